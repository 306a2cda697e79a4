#include "engine/template_expansion.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_input_prompt.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

class ExpandTemplateTest : public ::testing::Test {
protected:
    std::u16string Expand(std::u16string text, const std::u16string& selected = u"SEL") {
        caret = ExpandTemplate(text, selected, {clock, prompt});
        return text;
    }
    // The text with "|" where the caret goes, or without one.
    std::u16string ExpandShowingCaret(std::u16string text,
                                      const std::u16string& selected = u"SEL") {
        text = Expand(std::move(text), selected);
        if (!caret) {
            return text;
        }
        // Built piece by piece: GCC 12 warns falsely on an insert of a literal here.
        std::u16string shown = text.substr(0, *caret);
        shown.push_back(u'|');
        shown.append(text, *caret);
        return shown;
    }

    testing::FakeClock clock{{2009, 3, 1, 5, 7, 3}};
    testing::FakeInputPrompt prompt;
    std::optional<std::size_t> caret;
};

TEST_F(ExpandTemplateTest, DateAndTimeFieldsAreZeroPaddedAndCaseSensitive) {
    EXPECT_EQ(Expand(u"%Y/%M/%D %h:%m:%s"), u"2009/03/01 05:07:03");
    EXPECT_EQ(Expand(u"%y %d %H %S %Input"), u"%y %d %H %S %Input");
    clock.now = {12345, 12, 31, 23, 59, 60};
    EXPECT_EQ(Expand(u"%Y-%M-%D %h%m%s"), u"12345-12-31 235960");
    clock.now = {33, 1, 2, 0, 0, 0};
    EXPECT_EQ(Expand(u"%Y"), u"0033");
}

TEST_F(ExpandTemplateTest, EveryFieldComesFromOneReadingOfTheClock) {
    EXPECT_EQ(Expand(u"%Y %Y %M %D %h %m %s %s"), u"2009 2009 03 01 05 07 03 03");
    EXPECT_EQ(clock.readings, 1);
}

TEST_F(ExpandTemplateTest, PercentPairsAndLonePercents) {
    EXPECT_EQ(Expand(u"100%%"), u"100%");
    EXPECT_EQ(Expand(u"%%Y"), u"%Y");
    EXPECT_EQ(Expand(u"%%%Y"), u"%2009");
    EXPECT_EQ(Expand(u"%%%%Y"), u"%%Y");
    EXPECT_EQ(Expand(u"%x % %"), u"%x % %");
    EXPECT_EQ(Expand(u"%"), u"%");
    EXPECT_EQ(Expand(u"%Y%"), u"2009%");
    EXPECT_EQ(Expand(u"%%M%M"), u"%M03");
}

TEST_F(ExpandTemplateTest, PlaceholderWordTypedByTheUserStaysAsTyped) {
    EXPECT_EQ(Expand(u"DOVAPERCENT"), u"DOVAPERCENT");
    EXPECT_EQ(Expand(u"%%DOVAPERCENT%%"), u"%DOVAPERCENT%");
    EXPECT_EQ(Expand(u"DOVAPERCENTY"), u"DOVAPERCENTY");
}

TEST_F(ExpandTemplateTest, TextWithoutFieldsIsUnchanged) {
    EXPECT_EQ(Expand(u""), u"");
    EXPECT_EQ(Expand(u"日本語 text\r\nline 2"), u"日本語 text\r\nline 2");
    EXPECT_EQ(prompt.asked, 0);
}

TEST_F(ExpandTemplateTest, OnePromptFillsEveryInputField) {
    prompt.answers = {u"typed"};
    EXPECT_EQ(Expand(u"[%input] [%input]"), u"[typed] [typed]");
    EXPECT_EQ(prompt.asked, 1);
}

TEST_F(ExpandTemplateTest, NoInputFieldAsksNothing) {
    prompt.answers = {u"typed"};
    EXPECT_EQ(Expand(u"%inpu %Input"), u"%inpu %Input");
    EXPECT_EQ(prompt.asked, 0);
}

TEST_F(ExpandTemplateTest, EscapedPromptGivesEmptyTextAndStillExpands) {
    prompt.answers = {std::nullopt};
    EXPECT_EQ(Expand(u"a%inputb %Y"), u"ab 2009");
    EXPECT_EQ(prompt.asked, 1);
}

TEST_F(ExpandTemplateTest, PercentPairIsRestoredBeforeInputAndOriginalAreLookedFor) {
    prompt.answers = {u"X"};
    EXPECT_EQ(Expand(u"%%input"), u"X");
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_EQ(Expand(u"%%original", u"S"), u"S");
}

TEST_F(ExpandTemplateTest, TypedTextKeepsDateFieldsButTakesTheOriginal) {
    prompt.answers = {u"%Y %original %input"};
    EXPECT_EQ(Expand(u"<%input>", u"sel"), u"<%Y sel %input>");
    EXPECT_EQ(prompt.asked, 1);
}

TEST_F(ExpandTemplateTest, OriginalIsInsertedWholeAndNotExpandedAgain) {
    const std::u16string selected = u"line1\r\n%Y %%\r\n%original";
    EXPECT_EQ(Expand(u"[%original][%original]", selected),
              u"[" + selected + u"][" + selected + u"]");
    EXPECT_EQ(Expand(u"%original", u""), u"");
}

TEST_F(ExpandTemplateTest, JapaneseDateFieldsAreUnpadded) {
    clock.now = {2026, 12, 9, 8, 5, 0};
    EXPECT_EQ(Expand(u"%{元号}%{和暦年}年%{月}月%{日}日(%{曜日})"), u"令和8年12月9日(水)");
    clock.now = {2027, 1, 4, 0, 0, 0};
    EXPECT_EQ(Expand(u"%{月}/%{日} %M/%D %{和暦年}"), u"1/4 01/04 9");
    clock.now = {2019, 5, 1, 0, 0, 0};
    EXPECT_EQ(Expand(u"%{元号}%{和暦年}年"), u"令和1年");
}

TEST_F(ExpandTemplateTest, OldAndNewFieldsComeFromOneReadingOfTheClock) {
    clock.now = {2026, 12, 31, 23, 59, 59};
    EXPECT_EQ(Expand(u"%{月}/%{日} %Y %{曜日} %{元号}%{和暦年}"), u"12/31 2026 木 令和8");
    EXPECT_EQ(clock.readings, 1);
}

TEST_F(ExpandTemplateTest, PercentPairsComeFirstForNamedFields) {
    clock.now = {2026, 12, 9, 0, 0, 0};
    EXPECT_EQ(Expand(u"%%{曜日}"), u"%{曜日}");
    EXPECT_EQ(Expand(u"%%%{曜日}"), u"%水");
    EXPECT_EQ(Expand(u"%%{カーソル}"), u"%{カーソル}");
    EXPECT_FALSE(caret);
}

TEST_F(ExpandTemplateTest, UnknownAndUnclosedNamedFieldsStayAsTyped) {
    clock.now = {2026, 12, 9, 0, 0, 0};
    EXPECT_EQ(Expand(u"%{年} %{} %{曜日 } %{ 曜日} %{Y}"), u"%{年} %{} %{曜日 } %{ 曜日} %{Y}");
    EXPECT_EQ(Expand(u"%{曜日"), u"%{曜日");
    EXPECT_EQ(Expand(u"%{"), u"%{");
    EXPECT_EQ(Expand(u"%{曜日%{日}"), u"%{曜日9");
    EXPECT_EQ(Expand(u"%{%Y}%{曜日}"), u"%{2026}水");
    EXPECT_EQ(Expand(u"{曜日} %{曜日}}"), u"{曜日} 水}");
    EXPECT_EQ(prompt.asked, 0);
}

TEST_F(ExpandTemplateTest, TypedTextAndTheSelectionKeepNamedFieldsAsTheyAre) {
    prompt.answers = {u"%{曜日}%{カーソル}"};
    EXPECT_EQ(ExpandShowingCaret(u"<%input>", u"%{日}%{カーソル}"), u"<%{曜日}%{カーソル}>");
    EXPECT_EQ(ExpandShowingCaret(u"<%original>", u"%{日}%{カーソル}"), u"<%{日}%{カーソル}>");
}

TEST_F(ExpandTemplateTest, CaretFieldGivesNothingAndMarksItsPlace) {
    EXPECT_EQ(ExpandShowingCaret(u"ab"), u"ab");
    EXPECT_EQ(ExpandShowingCaret(u"a%{カーソル}b"), u"a|b");
    EXPECT_EQ(ExpandShowingCaret(u"%{カーソル}"), u"|");
    EXPECT_EQ(ExpandShowingCaret(u"%{カーソル}%Y"), u"|2009");
    EXPECT_EQ(ExpandShowingCaret(u"%Y%{カーソル}"), u"2009|");
}

TEST_F(ExpandTemplateTest, OnlyTheFirstCaretFieldCountsAndLaterOnesAreRemoved) {
    EXPECT_EQ(ExpandShowingCaret(u"a%{カーソル}b%{カーソル}c%{カーソル}"), u"a|bc");
}

TEST_F(ExpandTemplateTest, TheCaretMovesWithTheTypedTextAndTheSelection) {
    prompt.answers = {u"入力"};
    EXPECT_EQ(ExpandShowingCaret(u"%original様\r\n%{カーソル}\r\n%input %original", u"田中"),
              u"田中様\r\n|\r\n入力 田中");
    EXPECT_EQ(prompt.asked, 1);
    prompt.answers = {u"X"};
    EXPECT_EQ(ExpandShowingCaret(u"%{カーソル}%input"), u"|X");
    EXPECT_EQ(prompt.asked, 2);
}

TEST_F(ExpandTemplateTest, NoFieldIsFormedAcrossACaretField) {
    prompt.answers = {u"X"};
    EXPECT_EQ(ExpandShowingCaret(u"%in%{カーソル}put %orig%{カーソル}inal"), u"%in|put %original");
    EXPECT_EQ(ExpandShowingCaret(u"%{カーソル}%orig%{カーソル}inal"), u"|%original");
    EXPECT_EQ(prompt.asked, 0);
}

} // namespace
} // namespace kvtx
