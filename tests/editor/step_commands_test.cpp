#include "editor/editor_texts.h"
#include "store/item_content.h"
#include "store/step_text.h"
#include "tests/editor/editor_fixture.h"

namespace kvtx::editor {
namespace {

using namespace std::string_literals;

class StepCommandsTest : public EditorTest {
protected:
    // Item a of category A is a conversion item with these steps.
    void OpenChain(std::vector<SeedStep> chain) {
        Seed(1, {{u"変換", u"kvtx_00000.dat", {SeedItem::Chain(u"連鎖", std::move(chain))}}});
        Open(0, 0);
    }

    void Fill(int stepKindIndex, const std::u16string& textA, const std::u16string& textB,
              const std::u16string& textC) {
        stepKind.UserSelects(stepKindIndex);
        a.UserReplaces(textA);
        b.UserReplaces(textB);
        c.UserReplaces(textC);
    }

    ConversionStep StoredStep(int index) { return StepAt(Reread(0)->Loaded().contents[0], index); }
};

TEST_F(StepCommandsTest, AddAppendsSelectsAndWaitsForTheCommit) {
    OpenChain({{0, u"foo", u"bar", u""}});
    Fill(1, u"a+", u"b", u"");
    editor->AddStep();
    EXPECT_EQ(steps.items,
              (std::vector<std::u16string>{u"Step 1 置換：foo → bar", u"Step 2 正規：s/a+/b/"}));
    EXPECT_EQ(steps.Selection(), 1);
    EXPECT_EQ(a.Text(), u"a+"); // the boxes keep their texts
    EXPECT_TRUE(editor->PendingChange());
    EXPECT_EQ(files.writes, 0);
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(LengthOnDisk(u"kvtx_00000.dat", 0), 3 * 512);
    const ConversionStep stored = StoredStep(1);
    EXPECT_EQ(stored.kind, 1);
    EXPECT_EQ(std::u16string(stored.text, 5), u"a+\0b\0"s);
}

TEST_F(StepCommandsTest, TheEighthStepIsRefused) {
    OpenChain(std::vector<SeedStep>(7, {0, u"x", u"y", u""}));
    Fill(0, u"p", u"q", u"");
    editor->AddStep();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{texts::kNoMoreSteps}));
    EXPECT_EQ(steps.Count(), 7);
    EXPECT_FALSE(editor->PendingChange());
    EXPECT_EQ(a.Text(), u"p");
}

TEST_F(StepCommandsTest, TwoStringStepsHaveABudgetOf252WhateverCHolds) {
    OpenChain({});
    Fill(0, std::u16string(200, u'a'), std::u16string(53, u'b'), std::u16string(254, u'c'));
    editor->AddStep();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{texts::kStepTooLong}));
    EXPECT_EQ(steps.Count(), 0);
    EXPECT_EQ(b.Text().size(), 53u);

    b.UserReplaces(std::u16string(52, u'b'));
    editor->AddStep();
    EXPECT_EQ(steps.Count(), 1);
    EXPECT_TRUE(editor->RequestClose());
    const StepStrings stored = SplitStepText(StoredStep(0).text);
    EXPECT_EQ(stored.a.size(), 200u);
    EXPECT_EQ(stored.b.size(), 52u);
    EXPECT_EQ(stored.c, u"");
}

TEST_F(StepCommandsTest, ARangeStepOf84Times3FillsTheFieldExactlyAnd85IsRefused) {
    OpenChain({});
    for (int longer = 0; longer < 3; ++longer) {
        Fill(2, std::u16string(longer == 0 ? 85 : 84, u'a'),
             std::u16string(longer == 1 ? 85 : 84, u'b'),
             std::u16string(longer == 2 ? 85 : 84, u'c'));
        editor->AddStep();
        EXPECT_EQ(messages.shown.size(), static_cast<std::size_t>(longer + 1));
    }
    EXPECT_EQ(steps.Count(), 0);
    Fill(2, std::u16string(84, u'a'), std::u16string(84, u'b'), std::u16string(84, u'c'));
    editor->AddStep();
    ASSERT_EQ(steps.Count(), 1);
    EXPECT_TRUE(editor->RequestClose());
    const ConversionStep stored = StoredStep(0);
    EXPECT_EQ(stored.text[84], u'\0');
    EXPECT_EQ(stored.text[169], u'\0');
    EXPECT_EQ(stored.text[253], u'c');
    EXPECT_EQ(stored.text[254], u'\0');
}

TEST_F(StepCommandsTest, AMalformedRegexIsStoredAndMarked) {
    OpenChain({});
    Fill(1, u"(abc", u"x", u"");
    editor->AddStep();
    EXPECT_EQ(steps.items, (std::vector<std::u16string>{u"Step 1 【構文誤り】 正規：s/(abc/x/"}));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(StoredStep(0).kind, 1);
    // Checked again on every refresh.
    Open(0, 0);
    EXPECT_EQ(steps.items[0], u"Step 1 【構文誤り】 正規：s/(abc/x/");
    EXPECT_EQ(std::count(syntaxChecked.begin(), syntaxChecked.end(), u"(abc"), 2);
}

TEST_F(StepCommandsTest, OnlyAMalformedRegexIsMarkedAsASyntaxError) {
    for (const auto& [answer, line] : std::vector<std::pair<RegexStatus, std::u16string>>{
             {RegexStatus::kLibraryMissing, u"Step 1 【ライブラリなし】 正規：s/(a+)+b/x/"},
             {RegexStatus::kMatchLimit, u"Step 1 正規：s/(a+)+b/x/"},
             {RegexStatus::kTimeLimit, u"Step 1 正規：s/(a+)+b/x/"}}) {
        syntaxAnswer = answer;
        OpenChain({{1, u"(a+)+b", u"x", u""}});
        EXPECT_EQ(steps.items, std::vector<std::u16string>{line});
    }
}

TEST_F(StepCommandsTest, ChangeOverwritesKindAndStringsOfTheSelectedStep) {
    OpenChain({{0, u"foo", u"bar", u""}, {0, u"x", u"y", u""}});
    steps.UserSelects(1);
    Fill(2, u"[", u"]", u"-");
    editor->ChangeStep();
    EXPECT_EQ(steps.items[1], u"Step 2 区間：[<->]");
    EXPECT_EQ(steps.Selection(), 1);
    EXPECT_TRUE(editor->PendingChange());
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(StoredStep(1).kind, 2);
    EXPECT_EQ(SplitStepText(StoredStep(1).text).c, u"-");
}

TEST_F(StepCommandsTest, ChangeAndDeleteNeedASelectedStep) {
    OpenChain({{0, u"foo", u"bar", u""}});
    editor->ChangeStep();
    editor->DeleteStep();
    editor->MoveStepDown();
    editor->MoveStepUp();
    EXPECT_EQ(steps.Count(), 1);
    EXPECT_FALSE(editor->PendingChange());
}

TEST_F(StepCommandsTest, DeletingTheOnlyStepLeavesAnEmptyChainOf512Bytes) {
    OpenChain({{0, u"foo", u"bar", u""}});
    steps.UserSelects(0);
    editor->DeleteStep();
    EXPECT_TRUE(steps.items.empty());
    EXPECT_EQ(steps.Selection(), -1);
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(LengthOnDisk(u"kvtx_00000.dat", 0), 512);
    EXPECT_EQ(File(u"kvtx_00000.dat").size(), 1772u + 512);
}

TEST_F(StepCommandsTest, DeletingSelectsTheNewLastOrTheStepThatMovedUp) {
    OpenChain({{0, u"1", u"one", u""}, {1, u"2", u"two", u""}, {2, u"(", u")", u"3"}});
    steps.UserSelects(2);
    EXPECT_TRUE(c.IsEnabled());
    editor->DeleteStep();
    EXPECT_EQ(steps.Selection(), 1);
    EXPECT_EQ(stepKind.Selection(), 1);
    EXPECT_EQ(a.Text(), u"2");
    EXPECT_EQ(c.Text(), u"");
    EXPECT_FALSE(c.IsEnabled());
    steps.UserSelects(0);
    editor->DeleteStep();
    EXPECT_EQ(steps.items, (std::vector<std::u16string>{u"Step 1 正規：s/2/two/"}));
    EXPECT_EQ(steps.Selection(), 0);
    EXPECT_EQ(b.Text(), u"two");
}

TEST_F(StepCommandsTest, MovingExchangesStepsAndFollowsTheMovedOne) {
    OpenChain({{0, u"1", u"one", u""}, {2, u"<", u">", u"x"}});
    steps.UserSelects(0);
    editor->MoveStepDown();
    EXPECT_EQ(steps.items,
              (std::vector<std::u16string>{u"Step 1 区間：<<x>>", u"Step 2 置換：1 → one"}));
    EXPECT_EQ(steps.Selection(), 1);
    EXPECT_EQ(a.Text(), u"1");
    editor->MoveStepDown(); // already last
    EXPECT_EQ(steps.Selection(), 1);
    editor->MoveStepUp();
    EXPECT_EQ(steps.items[0], u"Step 1 置換：1 → one");
    EXPECT_EQ(steps.Selection(), 0);
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(StoredStep(0).kind, 0);
    EXPECT_EQ(StoredStep(1).kind, 2);
}

TEST_F(StepCommandsTest, MovingPastAnEndLeavesPendingChangeAsItWas) {
    OpenChain({{0, u"1", u"one", u""}, {0, u"2", u"two", u""}});
    steps.UserSelects(0);
    editor->MoveStepUp();
    steps.UserSelects(1);
    editor->MoveStepDown();
    EXPECT_FALSE(editor->PendingChange());
}

TEST_F(StepCommandsTest, TheKindComboEnablesCWithoutChangingTheStep) {
    OpenChain({{0, u"foo", u"bar", u""}});
    steps.UserSelects(0);
    c.SetText(u"残る");
    stepKind.UserSelects(2);
    EXPECT_TRUE(c.IsEnabled());
    EXPECT_EQ(steps.items[0], u"Step 1 置換：foo → bar");
    EXPECT_FALSE(editor->PendingChange());
    steps.UserSelects(0);
    EXPECT_EQ(stepKind.Selection(), 0);
    EXPECT_EQ(c.Text(), u"");
    EXPECT_FALSE(c.IsEnabled());
}

TEST_F(StepCommandsTest, AStepOfAnUnknownKindLeavesTheComboEmptyAndIsNotRebuiltFromIt) {
    OpenChain({{9, u"p", u"q", u"r"}});
    EXPECT_EQ(steps.items, (std::vector<std::u16string>{u""}));
    a.UserReplaces(u"前");
    steps.UserSelects(0);
    EXPECT_EQ(stepKind.Selection(), -1);
    EXPECT_EQ(a.Text(), u"前");
    EXPECT_TRUE(c.IsEnabled());
    editor->ChangeStep();
    editor->AddStep();
    EXPECT_EQ(steps.Count(), 1);
    EXPECT_FALSE(editor->PendingChange());
}

TEST_F(StepCommandsTest, StepButtonsWithoutACurrentItemDoNothing) {
    SeedDefault();
    Open(0, 2);
    category.UserSelects(0); // reloads: no item is current
    Fill(0, u"a", u"b", u"");
    editor->AddStep();
    EXPECT_TRUE(steps.items.empty());
    EXPECT_FALSE(editor->PendingChange());
}

} // namespace
} // namespace kvtx::editor
