#pragma once

#include "store/fields.h"
#include "store/file_names.h"
#include "store/item_content.h"
#include "store/phrase_store.h"
#include "tests/fakes/fake_file_system.h"

#include <string>
#include <vector>

namespace kvtx::testing {

struct TestItem {
    std::u16string name;
    std::int32_t kind = static_cast<std::int32_t>(ItemKind::TextInsertion);
    std::u16string text; // an insertion item's template
};

struct TestCategory {
    std::u16string name;
    std::vector<TestItem> items;
};

// Lays out an index and one file per category ("kvtx_0000c.dat" for position c) through the
// store's own writer, which the store's tests check against the file format.
inline void WriteTestStore(FakeFileSystem& files, const std::u16string& directory,
                           const std::vector<TestCategory>& categories) {
    PhraseStore writer(files, directory);
    auto& index = writer.Index();
    index.categoryCount = static_cast<std::int32_t>(categories.size());
    index.nextFileId = index.categoryCount;
    for (int c = 0; c < index.categoryCount; ++c) {
        const auto& category = categories[static_cast<std::size_t>(c)];
        SetFieldText(index.categories[c].name, category.name);
        SetFieldText(index.categories[c].fileName, CategoryFileName(c));
        writer.Loaded() = CategoryImage{};
        auto& header = writer.Loaded().header;
        header.itemCount = static_cast<std::int32_t>(category.items.size());
        for (int i = 0; i < header.itemCount; ++i) {
            const auto& item = category.items[static_cast<std::size_t>(i)];
            SetFieldText(header.items[i].name, item.name);
            header.items[i].kind = item.kind;
            SetContentText(writer.Loaded().contents[i], item.text);
            header.items[i].contentLength =
                ContentLengthFor(static_cast<ItemKind>(item.kind), writer.Loaded().contents[i]);
        }
        writer.SaveCategory(c);
    }
    writer.SaveIndex();
}

} // namespace kvtx::testing
