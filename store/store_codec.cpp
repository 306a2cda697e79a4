#include "store/store_codec.h"

#include <algorithm>
#include <cstring>

namespace kvtx {
namespace {

constexpr std::int32_t kMaxTextBytes = kMaxTextChars * 2;

template <typename Record> void CopyPrefix(std::span<const std::byte> bytes, Record& record) {
    std::memset(&record, 0, sizeof record);
    if (!bytes.empty()) {
        std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
    }
}

template <typename Record> void Append(std::vector<std::byte>& out, const Record& record) {
    const std::size_t at = out.size();
    out.resize(at + sizeof record);
    std::memcpy(out.data() + at, &record, sizeof record);
}

} // namespace

int UsedCategories(const IndexImage& index) {
    return std::clamp(index.categoryCount, 0, kMaxCategories);
}

int UsedItems(const CategoryHeader& header) {
    return std::clamp(header.itemCount, 0, kMaxItems);
}

IndexImage DecodeIndex(std::span<const std::byte> bytes) {
    IndexImage index;
    CopyPrefix(bytes, index);
    index.categoryCount = UsedCategories(index);
    return index;
}

std::vector<std::byte> EncodeIndex(const IndexImage& index) {
    std::vector<std::byte> out;
    Append(out, index);
    return out;
}

CategoryHeader DecodeCategoryHeader(std::span<const std::byte> bytes) {
    CategoryHeader header;
    CopyPrefix(bytes, header);
    header.itemCount = UsedItems(header);
    return header;
}

void DecodeCategory(std::span<const std::byte> bytes, CategoryImage& image) {
    std::memset(&image, 0, sizeof image);
    image.header = DecodeCategoryHeader(bytes);
    std::size_t offset = kCategoryHeaderBytes;
    bool lengthsTrusted = true;
    for (int i = 0; i < image.header.itemCount; ++i) {
        PhraseItem& item = image.header.items[i];
        const std::int32_t stored = item.contentLength;
        lengthsTrusted = lengthsTrusted && stored >= 0 && stored <= kContentBytes;
        if (!lengthsTrusted) {
            item.contentLength = 0;
            continue;
        }
        const std::size_t available = offset < bytes.size() ? bytes.size() - offset : 0;
        const std::size_t take = std::min(static_cast<std::size_t>(stored), available);
        if (take > 0) {
            std::memcpy(image.contents[i].bytes, bytes.data() + offset, take);
        }
        offset += static_cast<std::size_t>(stored);
        if (item.kind == static_cast<std::int32_t>(ItemKind::TextInsertion)) {
            const std::int32_t kept = std::min(stored & ~1, kMaxTextBytes);
            std::memset(image.contents[i].bytes + kept, 0,
                        static_cast<std::size_t>(kContentBytes - kept));
            item.contentLength = kept;
        }
    }
}

std::vector<std::byte> EncodeCategory(const CategoryImage& image) {
    CategoryHeader header = image.header;
    header.itemCount = UsedItems(header);
    for (int i = 0; i < header.itemCount; ++i) {
        header.items[i].contentLength = std::clamp(header.items[i].contentLength, 0, kContentBytes);
    }
    std::vector<std::byte> out;
    out.reserve(kCategoryFileMaxBytes);
    Append(out, header);
    for (int i = 0; i < header.itemCount; ++i) {
        const auto* content = image.contents[i].bytes;
        out.insert(out.end(), content, content + header.items[i].contentLength);
    }
    return out;
}

} // namespace kvtx
