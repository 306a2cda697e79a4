#pragma once

#include "cli/run.h"
#include "store/fields.h"
#include "store/item_content.h"
#include "store/labels.h"
#include "store/phrase_store.h"
#include "store/step_text.h"
#include "tests/fakes/fake_file_system.h"

#include <gtest/gtest.h>
#include <sstream>

namespace kvtx::testing {

inline const std::u16string kStoreDir = u"C:\\Korvatex\\";

struct CliResult {
    int code;
    std::string out;
    std::string err;
};

// A store built through PhraseStore's own writer, with switches for what only a damaged or
// foreign store holds (unknown kinds, stale entries beyond the counts).
class StoreBuilder {
public:
    StoreBuilder& Category(std::u16string name, std::u16string fileName) {
        const int k = index.categoryCount++;
        SetFieldText(index.categories[k].name, name);
        SetFieldText(index.categories[k].fileName, fileName);
        categories.emplace_back();
        return *this;
    }

    StoreBuilder& Text(std::u16string name, std::u16string text) {
        ItemContent& content = NewItem(name, static_cast<std::int32_t>(ItemKind::TextInsertion));
        SetContentText(content, text);
        Last().contentLength = ContentLengthFor(ItemKind::TextInsertion, content);
        return *this;
    }

    StoreBuilder& Conversion(std::u16string name, const std::vector<ConversionStep>& steps) {
        ItemContent& content = NewItem(name, static_cast<std::int32_t>(ItemKind::TextConversion));
        for (std::size_t s = 0; s < steps.size(); ++s) {
            SetStepAt(content, static_cast<int>(s), steps[s]);
        }
        SetStepCount(content, static_cast<int>(steps.size()));
        Last().contentLength = ContentLengthFor(ItemKind::TextConversion, content);
        return *this;
    }

    StoreBuilder& Raw(std::u16string name, std::int32_t kind, const std::vector<std::byte>& bytes) {
        ItemContent& content = NewItem(name, kind);
        std::copy(bytes.begin(), bytes.end(), content.bytes);
        Last().contentLength = static_cast<std::int32_t>(bytes.size());
        return *this;
    }

    void Save(FakeFileSystem& files, const std::u16string& dir = kStoreDir) {
        PhraseStore store(files, dir);
        store.Index() = index;
        for (std::size_t k = 0; k < categories.size(); ++k) {
            store.Loaded() = categories[k];
            ASSERT_TRUE(store.SaveCategory(static_cast<int>(k)));
        }
        ASSERT_TRUE(store.SaveIndex());
    }

    CategoryImage& Current() { return categories.back(); }

    IndexImage index{};
    std::vector<CategoryImage> categories;

private:
    ItemContent& NewItem(const std::u16string& name, std::int32_t kind) {
        CategoryHeader& header = Current().header;
        PhraseItem& item = header.items[header.itemCount];
        SetFieldText(item.name, name);
        item.kind = kind;
        return Current().contents[header.itemCount++];
    }
    PhraseItem& Last() { return Current().header.items[Current().header.itemCount - 1]; }
};

inline ConversionStep Step(StepKind kind, std::u16string a, std::u16string b,
                           std::u16string c = {}) {
    return *PackStep(static_cast<std::uint16_t>(kind), {std::move(a), std::move(b), std::move(c)});
}

inline std::vector<std::byte> Bytes(std::string_view text) {
    const auto bytes = std::as_bytes(std::span(text));
    return {bytes.begin(), bytes.end()};
}

class CliTest : public ::testing::Test {
protected:
    CliResult Kvtx(const std::vector<std::string>& commandLine) {
        std::vector<std::string> arguments{"kvtx"};
        arguments.insert(arguments.end(), commandLine.begin(), commandLine.end());
        std::ostringstream out;
        std::ostringstream err;
        std::istringstream in(standardInput);
        const int code = cli::Run(arguments, {files, kStoreDir, out, err, in});
        return {code, out.str(), err.str()};
    }

    // A JSON file outside the store folder, given to import by this name.
    void PutJson(std::string_view json) { files.Put(kJsonPath, Bytes(json)); }

    std::vector<std::byte> StoreFile(std::u16string_view name,
                                     const std::u16string& dir = kStoreDir) const {
        const auto found = files.files.find(dir + std::u16string(name));
        return found == files.files.end() ? std::vector<std::byte>() : found->second;
    }

    // What the next command reads from standard input.
    std::string standardInput;
    static constexpr const char* kJsonName = "backup.json";
    const std::u16string kJsonPath = u"backup.json";
    FakeFileSystem files;
};

} // namespace kvtx::testing
