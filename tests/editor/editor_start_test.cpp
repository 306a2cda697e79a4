#include "editor/editor_texts.h"
#include "tests/editor/editor_fixture.h"

namespace kvtx::editor {
namespace {

using StartTest = EditorTest;

TEST_F(StartTest, OpensOnTheOpenersCategoryAndItemWithoutWriting) {
    SeedDefault();
    Open(2, 1);
    EXPECT_EQ(category.items,
              (std::vector<std::u16string>{u"A:挨拶", u"B:署名", u"C:定型", u"D:空"}));
    EXPECT_EQ(category.Selection(), 2);
    EXPECT_EQ(items.items, (std::vector<std::u16string>{u"a:住所", u"b:電話"}));
    EXPECT_EQ(items.Selection(), 1);
    EXPECT_EQ(text.Text(), u"03-1234");
    EXPECT_EQ(kind.Selection(), 0);
    EXPECT_EQ(editor->LoadedCategory(), 2);
    EXPECT_EQ(editor->CurrentItem(), 1);
    EXPECT_FALSE(editor->PendingChange());
    EXPECT_EQ(files.writes, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartTest, KindCombosListTheKindsInStoredOrderAndLimitsAreSet) {
    SeedDefault();
    Open(0, 0);
    EXPECT_EQ(kind.items, (std::vector<std::u16string>{u"テキスト挿入", u"テキスト変換"}));
    EXPECT_EQ(stepKind.items,
              (std::vector<std::u16string>{u"単純置換（AをBに）", u"正規表現（s/A/B/）",
                                           u"区間置換え（AからBの間をCに）"}));
    EXPECT_EQ(text.limit, 2044u);
    EXPECT_EQ(a.limit, 254u);
    EXPECT_EQ(b.limit, 254u);
    EXPECT_EQ(c.limit, 254u);
}

TEST_F(StartTest, SelectionsBeyondTheListsSelectNothing) {
    SeedDefault();
    Open(7, 0);
    EXPECT_EQ(category.Selection(), -1);
    EXPECT_TRUE(items.items.empty());
    EXPECT_EQ(editor->LoadedCategory(), -1);
    EXPECT_EQ(editor->CurrentItem(), -1);

    Open(0, 9);
    EXPECT_EQ(editor->LoadedCategory(), 0);
    EXPECT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Selection(), -1);
    EXPECT_EQ(editor->CurrentItem(), -1);
    EXPECT_EQ(text.Text(), u"");
}

TEST_F(StartTest, NoStoreFilesGiveEmptyListsAndTheTextBox) {
    Open(0, 0);
    EXPECT_TRUE(category.items.empty());
    EXPECT_TRUE(items.items.empty());
    EXPECT_TRUE(text.IsVisible());
    EXPECT_FALSE(steps.IsVisible());
    EXPECT_EQ(editor->LoadedCategory(), -1);
}

TEST_F(StartTest, AConversionItemShowsTheStepControlsAndATextItemHidesThem) {
    SeedDefault();
    Open(0, 2);
    EXPECT_EQ(kind.Selection(), 1);
    EXPECT_FALSE(text.IsVisible());
    for (const ui::Control* control : Controls().StepControls()) {
        EXPECT_TRUE(control->IsVisible());
    }
    EXPECT_EQ(steps.items,
              (std::vector<std::u16string>{u"Step 1 置換：foo → bar", u"Step 2 区間：(<x>)"}));
    EXPECT_EQ(stepKind.Selection(), 0);
    EXPECT_TRUE(a.IsEnabled());
    EXPECT_TRUE(b.IsEnabled());
    EXPECT_FALSE(c.IsEnabled());

    items.UserSelects(0);
    EXPECT_TRUE(text.IsVisible());
    EXPECT_EQ(text.Text(), u"おはよう");
    for (const ui::Control* control : Controls().StepControls()) {
        EXPECT_FALSE(control->IsVisible());
    }
    EXPECT_TRUE(category.IsVisible());
    EXPECT_TRUE(items.IsVisible());
    EXPECT_TRUE(kind.IsVisible());
}

TEST_F(StartTest, ClosingCommitsOnceWhicheverWayTheDialogEnds) {
    SeedDefault();
    Open(0, 0);
    text.UserReplaces(u"おはようございます");
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(files.writes, 1);
    editor->OnDestroy();
    EXPECT_EQ(files.writes, 1);
    EXPECT_EQ(ContentTextOf(*Reread(0), 0), u"おはようございます");
}

TEST_F(StartTest, TheDestroyAloneCommitsToo) {
    SeedDefault();
    Open(1, 0);
    text.Type(u"課長");
    editor->OnDestroy();
    EXPECT_EQ(ContentTextOf(*Reread(1), 0), u"山田\r\n営業部課長");
}

TEST_F(StartTest, ClosingWithoutAChangeWritesNothing) {
    SeedDefault();
    Open(0, 2);
    items.UserSelects(1);
    items.UserSelects(0);
    EXPECT_TRUE(editor->RequestClose());
    editor->OnDestroy();
    EXPECT_EQ(files.writes, 0);
}

} // namespace
} // namespace kvtx::editor
