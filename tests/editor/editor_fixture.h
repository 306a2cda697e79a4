#pragma once

#include "editor/editor_dialog.h"
#include "store/item_content.h"
#include "store/phrase_store.h"
#include "tests/fakes/bytes.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_message_box.h"
#include "tests/fakes/fake_name_prompt.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kvtx::editor {

inline const std::u16string kDir = u"C:\\Phrases\\";

struct SeedStep {
    std::uint16_t kind;
    std::u16string a, b, c;
};

struct SeedItem {
    SeedItem(std::u16string itemName, std::u16string itemText)
        : name(std::move(itemName)), text(std::move(itemText)) {}

    static SeedItem Chain(std::u16string itemName, std::vector<SeedStep> chain) {
        SeedItem item(std::move(itemName), u"");
        item.conversion = true;
        item.steps = std::move(chain);
        return item;
    }

    std::u16string name;
    std::u16string text;
    bool conversion = false;
    std::vector<SeedStep> steps;
    std::int32_t kind = -1; // overrides the kind written, for damaged files
};

struct SeedCategory {
    std::u16string name;
    std::u16string fileName;
    std::vector<SeedItem> items;
};

// The editor over fake controls that raise the notifications the real ones do, and store files
// written field by field as the file format lays them out, independently of the store's code.
class EditorTest : public ::testing::Test {
protected:
    testing::FakeFileSystem files;
    testing::FakeMessageBox messages;
    testing::FakeNamePrompt names;

    testing::FakeList category = testing::FakeList::ComboBox();
    testing::FakeText text;
    testing::FakeList items = testing::FakeList::ListBox();
    testing::FakeList kind = testing::FakeList::ComboBox();
    testing::FakeList steps = testing::FakeList::ListBox();
    testing::FakeList stepKind = testing::FakeList::ComboBox();
    testing::FakeText a, b, c;
    testing::FakeText labelA, labelB, labelC;
    testing::FakeText addStep, changeStep, deleteStep, stepUp, stepDown;
    testing::FakeText addCategory, renameCategory, deleteCategory, categoryUp, categoryDown;
    testing::FakeText addItem, renameItem, deleteItem, itemUp, itemDown;

    std::vector<std::u16string> syntaxChecked;
    // When set, what the syntax check answers for every step.
    std::optional<RegexStatus> syntaxAnswer;
    std::unique_ptr<EditorDialog> editor;

    static std::u16string Path(const std::u16string& fileName) { return kDir + fileName; }

    // Four categories: A with two texts and a two-step conversion item, B with one text, C with
    // two texts, D empty.
    void SeedDefault() {
        Seed(4, {{u"挨拶",
                  u"kvtx_00000.dat",
                  {{u"朝", u"おはよう"},
                   {u"夜", u"こんばんは"},
                   SeedItem::Chain(u"変換", {{0, u"foo", u"bar", u""}, {2, u"(", u")", u"x"}})}},
                 {u"署名", u"kvtx_00001.dat", {{u"社内", u"山田\r\n営業部"}}},
                 {u"定型", u"kvtx_00002.dat", {{u"住所", u"東京都"}, {u"電話", u"03-1234"}}},
                 {u"空", u"kvtx_00003.dat", {}}});
    }

    void Seed(std::int32_t nextFileId, const std::vector<SeedCategory>& categories) {
        testing::ByteWriter index;
        index.I32(nextFileId).I32(static_cast<std::int32_t>(categories.size()));
        for (std::size_t k = 0; k < 26; ++k) {
            const bool used = k < categories.size();
            index.Field(used ? categories[k].name : u"", 32)
                .Field(used ? categories[k].fileName : u"", 32);
        }
        files.Put(Path(u"kvtx_index.dat"), index.bytes);
        for (const auto& seeded : categories) {
            files.Put(Path(seeded.fileName), CategoryFile(seeded.items));
        }
    }

    static std::vector<std::byte> CategoryFile(const std::vector<SeedItem>& seedItems) {
        testing::ByteWriter header;
        testing::ByteWriter contents;
        header.I32(static_cast<std::int32_t>(seedItems.size()));
        for (std::size_t i = 0; i < 26; ++i) {
            if (i >= seedItems.size()) {
                header.Field(u"", 28).I32(0).I32(0).I32(0);
                continue;
            }
            const SeedItem& item = seedItems[i];
            const std::size_t before = contents.bytes.size();
            if (item.conversion) {
                contents.U16(static_cast<std::uint16_t>(item.steps.size())).Zeros(510);
                for (const SeedStep& step : item.steps) {
                    std::u16string packed = step.a + u'\0' + step.b + u'\0';
                    if (step.kind != 0 && step.kind != 1) {
                        packed += step.c + u'\0';
                    }
                    contents.U16(step.kind).Field(packed, 255);
                }
            } else {
                contents.Units(item.text);
            }
            const std::int32_t kindValue = item.kind >= 0 ? item.kind : item.conversion ? 1 : 0;
            header.Field(item.name, 28)
                .I32(kindValue)
                .I32(0)
                .I32(static_cast<std::int32_t>(contents.bytes.size() - before));
        }
        header.Raw(contents.bytes.data(), contents.bytes.size());
        return header.bytes;
    }

    EditorControls Controls() {
        return {category,
                text,
                items,
                kind,
                steps,
                stepKind,
                a,
                b,
                c,
                labelA,
                labelB,
                labelC,
                addStep,
                changeStep,
                deleteStep,
                stepUp,
                stepDown,
                addCategory,
                renameCategory,
                deleteCategory,
                categoryUp,
                categoryDown,
                addItem,
                renameItem,
                deleteItem,
                itemUp,
                itemDown};
    }

    void Open(int categorySelection, int itemSelection) {
        Open(categorySelection, itemSelection, files, kDir);
    }

    // The editor on another file system, such as a real folder.
    void Open(int categorySelection, int itemSelection, platform::FileSystem& fileSystem,
              const std::u16string& dataDirectory) {
        EditorServices services{fileSystem, messages, names,
                                [this](const std::u16string& pattern, const std::u16string&) {
                                    syntaxChecked.push_back(pattern);
                                    if (syntaxAnswer) {
                                        return *syntaxAnswer;
                                    }
                                    return std::count(pattern.begin(), pattern.end(), u'(') ==
                                                   std::count(pattern.begin(), pattern.end(), u')')
                                               ? RegexStatus::kDone
                                               : RegexStatus::kMalformed;
                                }};
        editor = std::make_unique<EditorDialog>(Controls(), services, dataDirectory,
                                                categorySelection, itemSelection);
        category.onSelectionChange = [this] { editor->OnSelchangeCategory(); };
        items.onSelectionChange = [this] { editor->OnSelchangeItem(); };
        kind.onSelectionChange = [this] { editor->ChangeItemKind(); };
        steps.onSelectionChange = [this] { editor->ShowStep(); };
        stepKind.onSelectionChange = [this] { editor->ApplyStepKind(); };
        text.onChange = [this] { editor->OnTextChange(); };
        editor->OnInitDialog();
    }

    // The store as the next start would find it.
    std::unique_ptr<PhraseStore> Reread(int categoryPosition = -1) {
        auto store = std::make_unique<PhraseStore>(files, kDir);
        store->LoadIndex();
        if (categoryPosition >= 0) {
            store->LoadCategory(categoryPosition);
        }
        return store;
    }

    static std::u16string ContentTextOf(const PhraseStore& store, int item) {
        return ContentText(store.Loaded().contents[item]);
    }

    const std::vector<std::byte>& File(const std::u16string& fileName) {
        return files.files.at(Path(fileName));
    }

    // Header fields of item i of a category file, read at the offsets of the format.
    std::u16string NameOnDisk(const std::u16string& fileName, int i) {
        const std::u16string field =
            testing::ReadUnits(File(fileName), 4 + 68 * static_cast<std::size_t>(i), 28);
        return field.substr(0, field.find(u'\0'));
    }
    std::int32_t KindOnDisk(const std::u16string& fileName, int i) {
        return testing::ReadI32(File(fileName), 60 + 68 * static_cast<std::size_t>(i));
    }
    std::int32_t LengthOnDisk(const std::u16string& fileName, int i) {
        return testing::ReadI32(File(fileName), 68 + 68 * static_cast<std::size_t>(i));
    }
    std::int32_t CountOnDisk(const std::u16string& fileName) {
        return testing::ReadI32(File(fileName), 0);
    }
};

} // namespace kvtx::editor
