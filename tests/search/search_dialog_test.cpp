#include "search/search_dialog.h"
#include "store/fields.h"
#include "store/item_content.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/test_store.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

using testing::FakeList;
using testing::FakeText;

const std::u16string kDir = u"C:\\Korvatex\\";

// Twelve items in two categories, so that a page does not reach the end.
std::vector<testing::TestCategory> TwelveItems() {
    std::vector<testing::TestCategory> store{{u"挨拶", {}}, {u"メール", {}}};
    for (int i = 0; i < 12; ++i) {
        const std::u16string n(1, static_cast<char16_t>(u'0' + i % 10));
        store[i < 6 ? 0 : 1].items.push_back({u"項目" + n, 0, u"本文" + n + u"\r\n\t次の行"});
    }
    return store;
}

class SearchDialogTest : public ::testing::Test {
protected:
    SearchDialogTest() {
        testing::WriteTestStore(files, kDir, TwelveItems());
        reader.LoadIndex();
    }

    SearchDialog& Opened() {
        dialog.emplace(SearchControls{query, results, preview});
        query.onChange = [this] { dialog->OnQueryChange(); };
        dialog->OnInitDialog();
        dialog->ShowItems(ReadPhraseSearch(reader));
        return *dialog;
    }

    testing::FakeFileSystem files;
    PhraseStore reader{files, kDir};
    FakeText query;
    FakeList results = FakeList::ListBox();
    FakeText preview;
    std::optional<SearchDialog> dialog;
};

TEST_F(SearchDialogTest, OpensOnEveryItemWithTheFirstChosenAndTheKeyboardInTheBox) {
    SearchDialog& search = Opened();
    ASSERT_EQ(results.Count(), 12);
    EXPECT_EQ(results.ItemText(0), u"A-a 挨拶/項目0  本文0 次の行");
    EXPECT_EQ(results.Selection(), 0);
    EXPECT_EQ(preview.Text(), u"本文0\r\n\t次の行");
    EXPECT_EQ(query.focusCount, 1);
    EXPECT_EQ(PhraseIndex(*search.Chosen()), 0);
}

TEST_F(SearchDialogTest, WhatIsTypedBeforeTheItemsComeNarrowsThemWhenTheyDo) {
    dialog.emplace(SearchControls{query, results, preview});
    query.onChange = [this] { dialog->OnQueryChange(); };
    dialog->OnInitDialog();
    query.Type(u"ﾒｰﾙ 7");
    EXPECT_EQ(results.Count(), 0);
    EXPECT_EQ(dialog->Chosen(), nullptr);
    EXPECT_TRUE(dialog->OnKeyDown(40));
    dialog->ShowItems(ReadPhraseSearch(reader));
    ASSERT_EQ(results.Count(), 1);
    EXPECT_EQ(results.Selection(), 0);
    EXPECT_EQ(PhraseIndex(*dialog->Chosen()), 26 + 1);
}

TEST_F(SearchDialogTest, TypingNarrowsAtEachChangeAndChoosesTheFirstMatch) {
    SearchDialog& search = Opened();
    query.Type(u"めーる");
    EXPECT_EQ(results.Count(), 6);
    EXPECT_EQ(results.ItemText(0), u"B-a メール/項目6  本文6 次の行");
    query.Type(u" 7");
    ASSERT_EQ(results.Count(), 1);
    EXPECT_EQ(PhraseIndex(*search.Chosen()), 26 + 1);
    EXPECT_EQ(preview.Text(), u"本文7\r\n\t次の行");

    query.Type(u"x");
    EXPECT_EQ(results.Count(), 0);
    EXPECT_EQ(search.Chosen(), nullptr);
    EXPECT_EQ(preview.Text(), u"");
    EXPECT_FALSE(search.OnKeyDown(13)) << "Enter is the dialog's";
    EXPECT_TRUE(search.OnKeyDown(40)) << "Down is consumed even with nothing to move to";
}

TEST_F(SearchDialogTest, ArrowAndPageKeysMoveTheChoiceWithinTheListAndShowItsPreview) {
    SearchDialog& search = Opened();
    struct Step {
        unsigned key;
        int line;
    };
    // Down, Page Down past the end, Up, Page Up past the start, Up at the start.
    const Step steps[] = {{40, 1},  {34, 9}, {34, 11}, {40, 11},
                          {38, 10}, {33, 2}, {33, 0},  {38, 0}};
    for (const auto& step : steps) {
        EXPECT_TRUE(search.OnKeyDown(step.key));
        EXPECT_EQ(results.Selection(), step.line) << step.key;
        EXPECT_EQ(preview.Text(), search.Chosen()->preview);
    }
    results.UserSelects(4);
    search.OnResultSelected();
    EXPECT_EQ(preview.Text(), u"本文4\r\n\t次の行");
    EXPECT_FALSE(search.OnKeyDown('A')) << "letters go to the box";
}

TEST_F(SearchDialogTest, AChoiceCountsOnlyWhileTheStoreStillHoldsItThere) {
    SearchDialog& search = Opened();
    query.Type(u"項目7");
    const SearchEntry chosen = *search.Chosen();
    EXPECT_TRUE(StillInStore(reader, chosen));

    // The editor renames the item meanwhile, then the category.
    PhraseStore editor(files, kDir);
    editor.LoadIndex();
    editor.LoadCategory(1);
    SetFieldText(editor.Loaded().header.items[1].name, u"改名");
    ASSERT_TRUE(editor.SaveCategory(1));
    EXPECT_FALSE(StillInStore(reader, chosen));
    SetFieldText(editor.Loaded().header.items[1].name, u"項目7");
    ASSERT_TRUE(editor.SaveCategory(1));
    reader.Index().categoryCount = 1;
    EXPECT_FALSE(StillInStore(reader, chosen));
}

} // namespace
} // namespace kvtx
