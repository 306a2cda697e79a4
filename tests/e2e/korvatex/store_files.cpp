#include "tests/e2e/korvatex/store_files.h"

#include "tests/fakes/bytes.h"

#include <cstdio>

namespace kvtx::e2e {

using testing::ByteWriter;

StoreItem TextItem(std::u16string name, std::u16string text) {
    return {std::move(name), 0, std::move(text), {}};
}

StoreItem ConversionItem(std::u16string name, std::vector<StoreStep> steps) {
    return {std::move(name), 1, {}, std::move(steps)};
}

std::u16string CategoryFileName(int fileId) {
    char name[32];
    std::snprintf(name, sizeof name, "kvtx_%.5x.dat", static_cast<unsigned>(fileId));
    return std::u16string(name, name + std::char_traits<char>::length(name));
}

std::vector<std::byte> IndexFileBytes(const std::vector<StoreCategory>& categories) {
    ByteWriter index;
    index.I32(static_cast<std::int32_t>(categories.size())); // nextFileId
    index.I32(static_cast<std::int32_t>(categories.size()));
    for (std::size_t k = 0; k < 26; ++k) {
        if (k < categories.size()) {
            index.Field(categories[k].name, 32).Field(CategoryFileName(static_cast<int>(k)), 32);
        } else {
            index.Zeros(128);
        }
    }
    return index.bytes;
}

namespace {

ByteWriter StepChain(const std::vector<StoreStep>& steps) {
    ByteWriter chain;
    chain.U16(static_cast<std::uint16_t>(steps.size())).Zeros(510);
    for (const StoreStep& step : steps) {
        std::u16string packed = step.a + u'\0' + step.b + u'\0';
        if (step.kind == 2) {
            packed += step.c + u'\0';
        }
        chain.U16(step.kind).Field(packed, 255);
    }
    return chain;
}

ByteWriter Content(const StoreItem& item) {
    if (item.kind == 1) {
        return StepChain(item.steps);
    }
    ByteWriter text;
    text.Units(item.text);
    return text;
}

} // namespace

std::vector<std::byte> CategoryFileBytes(const StoreCategory& category) {
    ByteWriter header;
    ByteWriter contents;
    header.I32(static_cast<std::int32_t>(category.items.size()));
    for (std::size_t i = 0; i < 26; ++i) {
        if (i >= category.items.size()) {
            header.Zeros(68);
            continue;
        }
        const StoreItem& item = category.items[i];
        const ByteWriter content = Content(item);
        header.Field(item.name, 28).I32(item.kind).I32(0);
        header.I32(static_cast<std::int32_t>(content.bytes.size()));
        contents.Raw(content.bytes.data(), content.bytes.size());
    }
    header.Raw(contents.bytes.data(), contents.bytes.size());
    return header.bytes;
}

std::vector<std::pair<std::u16string, std::vector<std::byte>>>
StoreFiles(const std::vector<StoreCategory>& categories) {
    std::vector<std::pair<std::u16string, std::vector<std::byte>>> files;
    files.emplace_back(u"kvtx_index.dat", IndexFileBytes(categories));
    for (std::size_t k = 0; k < categories.size(); ++k) {
        files.emplace_back(CategoryFileName(static_cast<int>(k)), CategoryFileBytes(categories[k]));
    }
    return files;
}

} // namespace kvtx::e2e
