#include "store/file_names.h"

#include <limits>

namespace kvtx {

std::u16string CategoryFileName(std::int64_t fileId) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    auto value = static_cast<std::uint64_t>(fileId);
    std::u16string hex;
    do {
        hex.insert(hex.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (hex.size() < 5) {
        hex.insert(0, 5 - hex.size(), u'0');
    }
    return u"kvtx_" + hex + u".dat";
}

std::optional<std::int32_t> CategoryFileId(std::u16string_view fileName) {
    constexpr std::u16string_view kPrefix = u"kvtx_";
    constexpr std::u16string_view kSuffix = u".dat";
    // Eight hex digits already exceed INT32_MAX's seven, so longer names need no parsing.
    if (fileName.size() < kPrefix.size() + 5 + kSuffix.size() ||
        fileName.size() > kPrefix.size() + 8 + kSuffix.size() || !fileName.starts_with(kPrefix) ||
        !fileName.ends_with(kSuffix)) {
        return std::nullopt;
    }
    std::int64_t id = 0;
    for (const char16_t c :
         fileName.substr(kPrefix.size(), fileName.size() - kPrefix.size() - kSuffix.size())) {
        int digit = -1;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        }
        if (digit < 0) {
            return std::nullopt;
        }
        id = id * 16 + digit;
    }
    // Leading zeros beyond five digits would name a different file than the id's own.
    if (id > std::numeric_limits<std::int32_t>::max() || CategoryFileName(id) != fileName) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(id);
}

namespace {

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool IsHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f');
}

} // namespace

bool IsSyncServiceCopy(std::u16string_view fileName) {
    std::u16string name(fileName);
    for (char16_t& c : name) {
        c = Lower(c);
    }
    constexpr std::u16string_view kPrefix = u"kvtx_";
    constexpr std::u16string_view kSuffix = u".dat";
    constexpr std::u16string_view kIndexStem = u"index";
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix) || name == kIndexFileName) {
        return false;
    }
    // What the service added follows the store name's own stem: "index" or the hex digits.
    const std::u16string_view stem = std::u16string_view(name).substr(
        kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    std::size_t own = 0;
    if (stem.starts_with(kIndexStem)) {
        own = kIndexStem.size();
    } else {
        while (own < stem.size() && IsHexDigit(stem[own])) {
            ++own;
        }
        if (own < 5) {
            return false;
        }
    }
    return own < stem.size();
}

bool IsPlainFileName(std::u16string_view name) {
    if (name.empty() || name == u"." || name == u"..") {
        return false;
    }
    return name.find_first_of(u"\\/:") == std::u16string_view::npos;
}

} // namespace kvtx
