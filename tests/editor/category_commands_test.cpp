#include "editor/editor_texts.h"
#include "store/file_names.h"
#include "tests/editor/editor_fixture.h"

namespace kvtx::editor {
namespace {

using namespace std::string_literals;
using CategoryCommandsTest = EditorTest;

std::vector<SeedCategory> Categories(int count) {
    std::vector<SeedCategory> categories;
    for (int k = 0; k < count; ++k) {
        categories.push_back({std::u16string(1, static_cast<char16_t>(u'ア' + k)),
                              CategoryFileName(k),
                              {SeedItem(u"項目", u"本文")}});
    }
    return categories;
}

TEST_F(CategoryCommandsTest, TheFirstCategoryOfANewStoreIsFileZero) {
    Open(0, 0);
    names.answers.push_back(u"挨拶");
    editor->AddCategory();
    EXPECT_EQ(names.presets, (std::vector<std::u16string>{u""}));
    EXPECT_EQ(File(u"kvtx_00000.dat"), std::vector<std::byte>(1772));
    const auto& index = File(u"kvtx_index.dat");
    ASSERT_EQ(index.size(), 3336u);
    EXPECT_EQ(testing::ReadI32(index, 0), 1);
    EXPECT_EQ(testing::ReadI32(index, 4), 1);
    EXPECT_EQ(testing::ReadUnits(index, 8, 3), u"挨拶\0"s);
    EXPECT_EQ(testing::ReadUnits(index, 72, 15), u"kvtx_00000.dat\0"s);
    EXPECT_EQ(category.items, (std::vector<std::u16string>{u"A:挨拶"}));
    EXPECT_EQ(category.Selection(), 0);
    EXPECT_EQ(editor->LoadedCategory(), 0);
    EXPECT_TRUE(items.items.empty());
}

TEST_F(CategoryCommandsTest, AddStepsOverFilesAlreadyInTheFolder) {
    Seed(0, {{u"一", u"kvtx_00001.dat", {}}});
    files.Put(Path(u"kvtx_00000.dat"), {});
    Open(0, 0);
    names.answers.push_back(u"二");
    editor->AddCategory();
    EXPECT_TRUE(files.files.contains(Path(u"kvtx_00002.dat")));
    EXPECT_EQ(Reread()->Index().nextFileId, 3);
    EXPECT_EQ(category.Selection(), 1);
}

TEST_F(CategoryCommandsTest, TheTwentySixthCategoryIsZAndTheTwentySeventhIsRefused) {
    Seed(25, Categories(25));
    Open(0, 0);
    names.answers.push_back(u"最後");
    editor->AddCategory();
    EXPECT_EQ(category.items.back(), u"Z:最後");
    EXPECT_EQ(category.Selection(), 25);
    names.answers.push_back(u"溢れ");
    editor->AddCategory();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{texts::kNoMoreCategories}));
    EXPECT_EQ(names.presets.size(), 1u);
    EXPECT_EQ(Reread()->CategoryCount(), 26);
}

TEST_F(CategoryCommandsTest, CancellingAddCreatesNoFileAndKeepsTheNextId) {
    SeedDefault();
    Open(0, 0);
    editor->AddCategory();
    EXPECT_EQ(files.writes, 0);
    EXPECT_FALSE(files.files.contains(Path(u"kvtx_00004.dat")));
    names.answers.push_back(u"新");
    editor->AddCategory();
    EXPECT_TRUE(files.files.contains(Path(u"kvtx_00004.dat")));
    EXPECT_EQ(Reread()->Index().nextFileId, 5);
}

TEST_F(CategoryCommandsTest, NoFreeFileIdIsReportedAndAddsNothing) {
    SeedDefault();
    Open(0, 0);
    files.existsOverride = [](const std::u16string&) { return true; };
    names.answers.push_back(u"新");
    editor->AddCategory();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{texts::kNoFreeFileId}));
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(category.Count(), 4);
}

TEST_F(CategoryCommandsTest, AFileThatCannotBeCreatedIsReportedAndAddsNothing) {
    SeedDefault();
    Open(1, 0);
    files.lockedFiles.insert(Path(u"kvtx_00004.dat"));
    names.answers.push_back(u"新");
    editor->AddCategory();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{texts::kCreateFailed}));
    EXPECT_EQ(Reread()->CategoryCount(), 4);
    EXPECT_EQ(Reread()->Index().nextFileId, 4);
    EXPECT_EQ(category.Count(), 4);
    EXPECT_EQ(category.Selection(), 1);
    // The id was not used up.
    files.lockedFiles.clear();
    names.answers.push_back(u"次");
    editor->AddCategory();
    EXPECT_EQ(*Reread()->CategoryPath(4), Path(u"kvtx_00004.dat"));
}

TEST_F(CategoryCommandsTest, AddCommitsThePendingTextFirst) {
    SeedDefault();
    Open(0, 1);
    text.Type(u"！");
    names.answers.push_back(u"新");
    editor->AddCategory();
    EXPECT_EQ(ContentTextOf(*Reread(0), 1), u"こんばんは！");
}

TEST_F(CategoryCommandsTest, RenameKeepsTheFileAndTheItems) {
    SeedDefault();
    Open(1, 0);
    names.answers.push_back(u"署名欄");
    editor->RenameCategory();
    EXPECT_EQ(names.presets, (std::vector<std::u16string>{u"署名"}));
    EXPECT_EQ(category.items[1], u"B:署名欄");
    EXPECT_EQ(category.Selection(), 1);
    EXPECT_EQ(items.items, (std::vector<std::u16string>{u"a:社内"}));
    const auto store = Reread(1);
    EXPECT_EQ(store->CategoryName(1), u"署名欄");
    EXPECT_EQ(*store->CategoryPath(1), Path(u"kvtx_00001.dat"));
    EXPECT_EQ(ContentTextOf(*store, 0), u"山田\r\n営業部");
}

TEST_F(CategoryCommandsTest, ANameOfThirtyCharactersIsStoredWhole) {
    SeedDefault();
    Open(0, 0);
    const std::u16string name(30, u'名');
    names.answers.push_back(name);
    editor->RenameCategory();
    EXPECT_EQ(Reread()->CategoryName(0), name);
}

TEST_F(CategoryCommandsTest, DeleteSelectsTheCategoryThatMovedIntoTheGap) {
    SeedDefault();
    Open(1, 0);
    messages.answers.push_back(true);
    editor->DeleteCategory();
    EXPECT_EQ(messages.asked, (std::vector<std::u16string>{texts::kDeleteCategory}));
    EXPECT_FALSE(files.files.contains(Path(u"kvtx_00001.dat")));
    EXPECT_EQ(category.items, (std::vector<std::u16string>{u"A:挨拶", u"B:定型", u"C:空"}));
    EXPECT_EQ(category.Selection(), 1);
    EXPECT_EQ(items.items, (std::vector<std::u16string>{u"a:住所", u"b:電話"}));
    const auto& index = File(u"kvtx_index.dat");
    EXPECT_EQ(testing::ReadI32(index, 4), 3);
    // The old last entry stays behind, unused.
    EXPECT_EQ(testing::ReadUnits(index, 8 + 128 * 3, 1), u"空");
    // Ids only grow: the deleted one is not handed out again.
    names.answers.push_back(u"新");
    editor->AddCategory();
    EXPECT_TRUE(files.files.contains(Path(u"kvtx_00004.dat")));
}

TEST_F(CategoryCommandsTest, DeletingTheLastSelectsTheNewLastAndTheOnlyLeavesNothing) {
    SeedDefault();
    Open(3, 0);
    messages.answers.push_back(true);
    editor->DeleteCategory();
    EXPECT_EQ(category.Selection(), 2);
    EXPECT_EQ(editor->LoadedCategory(), 2);

    Seed(1, {{u"唯一", u"kvtx_00000.dat", {SeedItem(u"項目", u"本文")}}});
    Open(0, 0);
    messages.answers.push_back(true);
    editor->DeleteCategory();
    EXPECT_TRUE(category.items.empty());
    EXPECT_TRUE(items.items.empty());
    EXPECT_EQ(category.Selection(), -1);
    EXPECT_EQ(editor->LoadedCategory(), -1);
    EXPECT_EQ(editor->CurrentItem(), -1);
}

TEST_F(CategoryCommandsTest, AnsweringNoDeletesNothing) {
    SeedDefault();
    Open(1, 0);
    editor->DeleteCategory();
    EXPECT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(files.writes, 0);
    EXPECT_TRUE(files.removed.empty());
}

TEST_F(CategoryCommandsTest, MovingUpSwapsTheEntriesAndTouchesNoCategoryFile) {
    SeedDefault();
    Open(1, 0);
    const auto before = File(u"kvtx_00001.dat");
    editor->MoveCategoryUp();
    EXPECT_EQ(category.items[0], u"A:署名");
    EXPECT_EQ(category.Selection(), 0);
    EXPECT_EQ(items.items, (std::vector<std::u16string>{u"a:社内"}));
    EXPECT_EQ(files.writes, 1); // the index only
    EXPECT_EQ(File(u"kvtx_00001.dat"), before);
    EXPECT_EQ(*Reread()->CategoryPath(0), Path(u"kvtx_00001.dat"));
    editor->MoveCategoryDown();
    editor->MoveCategoryDown();
    EXPECT_EQ(category.items,
              (std::vector<std::u16string>{u"A:挨拶", u"B:定型", u"C:署名", u"D:空"}));
    EXPECT_EQ(category.Selection(), 2);
}

TEST_F(CategoryCommandsTest, MovingPastEitherEndOnlyCommits) {
    SeedDefault();
    Open(0, 0);
    text.Type(u"ございます");
    editor->MoveCategoryUp();
    EXPECT_EQ(files.writes, 1);
    EXPECT_EQ(ContentTextOf(*Reread(0), 0), u"おはようございます");
    category.UserSelects(3);
    editor->MoveCategoryDown();
    EXPECT_EQ(files.writes, 1);
    EXPECT_EQ(category.Selection(), 3);
}

} // namespace
} // namespace kvtx::editor
