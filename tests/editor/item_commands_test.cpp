#include "editor/editor_texts.h"
#include "tests/editor/editor_fixture.h"

namespace kvtx::editor {
namespace {

using ItemEditingTest = EditorTest;
using ItemCommandsTest = EditorTest;
using ItemKindTest = EditorTest;

// --- Text edits and their commit ---

TEST_F(ItemEditingTest, TypedTextIsSavedWhenAnotherItemIsClicked) {
    SeedDefault();
    Open(0, 0);
    text.UserReplaces(u"おはようございます");
    EXPECT_TRUE(editor->PendingChange());
    EXPECT_EQ(files.writes, 0);
    items.UserSelects(1);
    EXPECT_FALSE(editor->PendingChange());
    const auto& file = File(u"kvtx_00000.dat");
    EXPECT_EQ(LengthOnDisk(u"kvtx_00000.dat", 0), 18);
    EXPECT_EQ(testing::ReadUnits(file, 1772, 9), u"おはようございます");
    EXPECT_EQ(testing::ReadUnits(file, 1772 + 18, 5), u"こんばんは");
    EXPECT_EQ(file.size(), 1772u + 18 + 10 + 3 * 512);
    EXPECT_EQ(text.Text(), u"こんばんは");
}

TEST_F(ItemEditingTest, TypedTextIsSavedWhenTheCategoryChanges) {
    SeedDefault();
    Open(2, 0);
    text.Type(u"千代田区");
    category.UserSelects(0);
    EXPECT_EQ(ContentTextOf(*Reread(2), 0), u"東京都千代田区");
    EXPECT_EQ(editor->LoadedCategory(), 0);
    EXPECT_EQ(items.Count(), 3);
    EXPECT_EQ(editor->CurrentItem(), -1);
}

TEST_F(ItemEditingTest, TypingWithNoItemSelectedStoresNothing) {
    SeedDefault();
    Open(3, 0);
    text.Type(u"どこにも入らない");
    EXPECT_FALSE(editor->PendingChange());
    category.UserSelects(0);
    Open(0, -1);
    text.Type(u"どこにも入らない");
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(files.writes, 0);
}

TEST_F(ItemEditingTest, ATextOfTheFullLengthIsStoredWhole) {
    SeedDefault();
    Open(0, 0);
    text.UserReplaces(std::u16string(2100, u'字'));
    EXPECT_EQ(text.Text().size(), 2044u); // the box refuses the rest
    items.UserSelects(1);
    EXPECT_EQ(LengthOnDisk(u"kvtx_00000.dat", 0), 4088);
    EXPECT_EQ(ContentTextOf(*Reread(0), 0), std::u16string(2044, u'字'));
}

// --- The five item buttons ---

TEST_F(ItemCommandsTest, AddAppendsAnEmptyTextItemAndSelectsIt) {
    SeedDefault();
    Open(2, 0);
    names.answers.push_back(u"FAX");
    editor->AddItem();
    ASSERT_EQ(names.presets, (std::vector<std::u16string>{u""}));
    EXPECT_EQ(items.items.back(), u"c:FAX");
    EXPECT_EQ(items.Selection(), 2);
    EXPECT_EQ(editor->CurrentItem(), 2);
    EXPECT_EQ(kind.Selection(), 0);
    EXPECT_TRUE(text.IsVisible());
    EXPECT_EQ(text.Text(), u"");
    EXPECT_EQ(CountOnDisk(u"kvtx_00002.dat"), 3);
    EXPECT_EQ(NameOnDisk(u"kvtx_00002.dat", 2), u"FAX");
    EXPECT_EQ(KindOnDisk(u"kvtx_00002.dat", 2), 0);
    EXPECT_EQ(LengthOnDisk(u"kvtx_00002.dat", 2), 0);
    EXPECT_EQ(File(u"kvtx_00002.dat").size(), 1772u + 6 + 14);
}

TEST_F(ItemCommandsTest, AddingTheTwentySeventhItemIsRefusedWithoutAsking) {
    std::vector<SeedItem> full;
    for (int i = 0; i < 26; ++i) {
        full.emplace_back(std::u16string(1, static_cast<char16_t>(u'A' + i)), u"x");
    }
    Seed(1, {{u"満杯", u"kvtx_00000.dat", full}});
    Open(0, 0);
    names.answers.push_back(u"27番目");
    editor->AddItem();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{texts::kNoMoreItems}));
    EXPECT_TRUE(names.presets.empty());
    EXPECT_EQ(files.writes, 0);
}

TEST_F(ItemCommandsTest, CancellingTheNameDialogChangesNothingButTheCommitStillSaves) {
    SeedDefault();
    Open(0, 0);
    text.UserReplaces(u"やあ");
    editor->AddItem(); // cancelled: no answer queued
    EXPECT_EQ(files.writes, 1);
    EXPECT_EQ(CountOnDisk(u"kvtx_00000.dat"), 3);
    EXPECT_EQ(ContentTextOf(*Reread(0), 0), u"やあ");
    editor->RenameItem();
    EXPECT_EQ(files.writes, 1);
}

// The name dialog disables the editor; should the state change all the same while it is open,
// the command leaves alone the category now loaded.
TEST_F(ItemCommandsTest, ACommandWhoseStateChangedWhileTheNameWasAskedDoesNothing) {
    SeedDefault();
    Open(0, 0);
    const auto first = File(u"kvtx_00000.dat");
    const auto second = File(u"kvtx_00001.dat");
    names.whileOpen = [&] { category.UserSelects(1); };
    for (const auto command : {&EditorDialog::AddItem, &EditorDialog::RenameItem}) {
        category.UserSelects(0);
        items.UserSelects(0);
        names.answers.push_back(u"割り込み");
        (editor.get()->*command)();
        EXPECT_EQ(File(u"kvtx_00000.dat"), first);
        EXPECT_EQ(File(u"kvtx_00001.dat"), second);
    }
}

TEST_F(ItemCommandsTest, NamesLongerThanTheFieldAreRefusedAndAskedAgain) {
    SeedDefault();
    Open(2, 0);
    const std::u16string longName(28, u'長');
    const std::u16string fitting(27, u'短');
    names.answers = {longName, fitting};
    editor->AddItem();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{texts::kItemNameTooLong}));
    EXPECT_EQ(names.presets, (std::vector<std::u16string>{u"", longName}));
    EXPECT_EQ(NameOnDisk(u"kvtx_00002.dat", 2), fitting);
    EXPECT_EQ(KindOnDisk(u"kvtx_00002.dat", 2), 0);
    EXPECT_EQ(testing::ReadI32(File(u"kvtx_00002.dat"), 64 + 68 * 2), 0); // reserved
}

TEST_F(ItemCommandsTest, RenameKeepsKindAndContent) {
    SeedDefault();
    Open(0, 2);
    names.answers.push_back(u"置換");
    editor->RenameItem();
    EXPECT_EQ(names.presets, (std::vector<std::u16string>{u"変換"}));
    EXPECT_EQ(items.items[2], u"c:置換");
    EXPECT_EQ(items.Selection(), 2);
    EXPECT_EQ(KindOnDisk(u"kvtx_00000.dat", 2), 1);
    EXPECT_EQ(LengthOnDisk(u"kvtx_00000.dat", 2), 3 * 512);
    EXPECT_EQ(steps.Count(), 2);
}

TEST_F(ItemCommandsTest, DeleteSelectsTheItemThatMovedIntoThePlace) {
    SeedDefault();
    Open(0, 0);
    editor->DeleteItem();
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_EQ(items.items, (std::vector<std::u16string>{u"a:夜", u"b:変換"}));
    EXPECT_EQ(items.Selection(), 0);
    EXPECT_EQ(text.Text(), u"こんばんは");
    const auto store = Reread(0);
    EXPECT_EQ(store->ItemCount(), 2);
    EXPECT_EQ(ContentTextOf(*store, 0), u"こんばんは");
    EXPECT_EQ(store->Loaded().header.items[1].kind, 1);
}

TEST_F(ItemCommandsTest, DeletingTheLastItemSelectsTheNewLastAndTheOnlyItemLeavesNone) {
    SeedDefault();
    Open(2, 1);
    editor->DeleteItem();
    EXPECT_EQ(items.items, (std::vector<std::u16string>{u"a:住所"}));
    EXPECT_EQ(items.Selection(), 0);
    EXPECT_EQ(editor->CurrentItem(), 0);
    editor->DeleteItem();
    EXPECT_TRUE(items.items.empty());
    EXPECT_EQ(items.Selection(), -1);
    EXPECT_EQ(editor->CurrentItem(), -1);
    EXPECT_EQ(File(u"kvtx_00002.dat").size(), 1772u);
}

TEST_F(ItemCommandsTest, MovingDownExchangesContentAndKeepsTheItemSelected) {
    SeedDefault();
    Open(0, 1);
    editor->MoveItemDown();
    EXPECT_EQ(items.items, (std::vector<std::u16string>{u"a:朝", u"b:変換", u"c:夜"}));
    EXPECT_EQ(items.Selection(), 2);
    EXPECT_EQ(text.Text(), u"こんばんは");
    const auto store = Reread(0);
    EXPECT_EQ(store->Loaded().header.items[1].kind, 1);
    EXPECT_EQ(store->Loaded().header.items[1].contentLength, 3 * 512);
    EXPECT_EQ(ContentTextOf(*store, 2), u"こんばんは");

    editor->MoveItemUp();
    editor->MoveItemUp();
    EXPECT_EQ(items.items, (std::vector<std::u16string>{u"a:夜", u"b:朝", u"c:変換"}));
    EXPECT_EQ(items.Selection(), 0);
}

TEST_F(ItemCommandsTest, MovingPastEitherEndWritesNothingBeyondTheCommit) {
    SeedDefault();
    Open(0, 0);
    editor->MoveItemUp();
    EXPECT_EQ(files.writes, 0);
    text.Type(u"！");
    editor->MoveItemUp();
    EXPECT_EQ(files.writes, 1);
    EXPECT_EQ(ContentTextOf(*Reread(0), 0), u"おはよう！");
    items.UserSelects(2);
    editor->MoveItemDown();
    EXPECT_EQ(files.writes, 1);
    EXPECT_EQ(items.Selection(), 2);
}

TEST_F(ItemCommandsTest, ButtonsWithoutASelectionDoNothing) {
    SeedDefault();
    Open(0, -1);
    names.answers.push_back(u"名前");
    editor->RenameItem();
    editor->DeleteItem();
    editor->MoveItemDown();
    EXPECT_TRUE(names.presets.empty());
    Open(7, -1);
    editor->AddItem();
    EXPECT_TRUE(names.presets.empty());
    EXPECT_EQ(files.writes, 0);
}

// --- Changing an item's kind ---

TEST_F(ItemKindTest, AnEmptyTextBecomesAConversionItemWithoutAQuestion) {
    Seed(1, {{u"新", u"kvtx_00000.dat", {SeedItem(u"空っぽ", u"")}}});
    Open(0, 0);
    kind.UserSelects(1);
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_FALSE(text.IsVisible());
    EXPECT_TRUE(steps.IsVisible());
    EXPECT_EQ(steps.Count(), 0);
    EXPECT_TRUE(editor->PendingChange());
    EXPECT_EQ(files.writes, 0); // the change waits for the next commit
    items.UserSelects(0);
    EXPECT_EQ(KindOnDisk(u"kvtx_00000.dat", 0), 1);
    EXPECT_EQ(LengthOnDisk(u"kvtx_00000.dat", 0), 512);
}

TEST_F(ItemKindTest, AnsweringNoKeepsKindAndContent) {
    SeedDefault();
    Open(0, 0);
    kind.UserSelects(1);
    EXPECT_EQ(messages.asked, (std::vector<std::u16string>{texts::kChangeKind}));
    EXPECT_EQ(kind.Selection(), 0);
    EXPECT_TRUE(text.IsVisible());
    EXPECT_EQ(text.Text(), u"おはよう");
    EXPECT_FALSE(editor->PendingChange());
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(files.writes, 0);
}

TEST_F(ItemKindTest, AnsweringYesErasesTheStepsAndTheCommitStoresAnEmptyText) {
    SeedDefault();
    Open(0, 2);
    messages.answers.push_back(true);
    kind.UserSelects(0);
    EXPECT_TRUE(text.IsVisible());
    EXPECT_EQ(text.Text(), u"");
    text.Type(u"新しい文");
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(KindOnDisk(u"kvtx_00000.dat", 2), 0);
    EXPECT_EQ(LengthOnDisk(u"kvtx_00000.dat", 2), 8);
    EXPECT_EQ(ContentTextOf(*Reread(0), 2), u"新しい文");
}

TEST_F(ItemKindTest, TextTypedSinceTheLastCommitCountsAndNoKeepsIt) {
    Seed(1, {{u"新", u"kvtx_00000.dat", {SeedItem(u"空っぽ", u"")}}});
    Open(0, 0);
    text.Type(u"まだ保存されていない");
    kind.UserSelects(1);
    EXPECT_EQ(messages.asked, (std::vector<std::u16string>{texts::kChangeKind}));
    EXPECT_EQ(text.Text(), u"まだ保存されていない");
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(ContentTextOf(*Reread(0), 0), u"まだ保存されていない");
}

TEST_F(ItemKindTest, WithNoItemCurrentTheKindComboChangesNothing) {
    SeedDefault();
    Open(0, -1);
    kind.UserSelects(1);
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_FALSE(editor->PendingChange());
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(files.writes, 0);
}

TEST_F(ItemKindTest, AnItemOfAnUnknownKindKeepsItWhenItsCategoryIsSaved) {
    SeedItem unknown(u"謎", u"abc");
    unknown.kind = 7;
    Seed(1, {{u"壊", u"kvtx_00000.dat", {unknown, SeedItem(u"普通", u"x")}}});
    Open(0, 0);
    EXPECT_EQ(kind.Selection(), -1);
    items.UserSelects(1);
    text.Type(u"y");
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(KindOnDisk(u"kvtx_00000.dat", 0), 7);
    EXPECT_EQ(ContentTextOf(*Reread(0), 1), u"xy");
}

} // namespace
} // namespace kvtx::editor
