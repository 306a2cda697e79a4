#include "store/file_names.h"

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

bool IsPlainFileName(std::u16string_view name) {
    if (name.empty() || name == u"." || name == u"..") {
        return false;
    }
    return name.find_first_of(u"\\/:") == std::u16string_view::npos;
}

} // namespace kvtx
