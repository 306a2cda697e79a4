#include "engine/template_expansion.h"
#include "platform/utf.h"
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

// Whether the expansion puts the selection in decides whether the copy keystroke goes out: read
// as the expansion reads "%original", after the "%%" pairs and across no caret field.
TEST(UsesSelection, AsTheExpansionReadsOriginal) {
    struct Case {
        std::u16string_view text;
        bool uses;
    };
    const Case cases[] = {{u"Dear %original,", true},  {u"%%original", true},
                          {u"%%%original", true},      {u"%%%%original", true},
                          {u"%Y/%M/%D %input", false}, {u"%orig%{カーソル}inal", false},
                          {u"%{曜日}%original", true}, {u"", false},
                          {u"%ORIGINAL", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(UsesSelection(std::u16string(c.text)), c.uses) << platform::Utf16ToUtf8(c.text);
    }
}

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
    clock.now = {2026, 12, 31, 23, 59, 59};
    EXPECT_EQ(Expand(u"%{月}/%{日} %Y %{曜日} %{元号}%{和暦年}"), u"12/31 2026 木 令和8");
    EXPECT_EQ(clock.readings, 2);
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

// Named fields: unpadded dates, the era and the weekday; "%%" comes first, and anything else in
// braces stays as typed.
TEST_F(ExpandTemplateTest, NamedDateFieldsAndWhatStaysAsTyped) {
    struct Case {
        platform::LocalTime now;
        std::u16string_view text;
        std::u16string_view expected;
    };
    const platform::LocalTime day{2026, 12, 9, 8, 5, 0};
    const Case cases[] = {
        {day, u"%{元号}%{和暦年}年%{月}月%{日}日(%{曜日})", u"令和8年12月9日(水)"},
        {{2027, 1, 4, 0, 0, 0}, u"%{月}/%{日} %M/%D %{和暦年}", u"1/4 01/04 9"},
        {{2019, 5, 1, 0, 0, 0}, u"%{元号}%{和暦年}年", u"令和1年"},
        {day, u"%%{曜日} %%%{曜日} %%{カーソル}", u"%{曜日} %水 %{カーソル}"},
        {day, u"%{年} %{} %{曜日 } %{ 曜日} %{Y}", u"%{年} %{} %{曜日 } %{ 曜日} %{Y}"},
        {day, u"%{曜日", u"%{曜日"},
        {day, u"%{", u"%{"},
        {day, u"%{曜日%{日}", u"%{曜日9"},
        {day, u"%{%Y}%{曜日}", u"%{2026}水"},
        {day, u"{曜日} %{曜日}}", u"{曜日} 水}"},
    };
    for (const auto& c : cases) {
        clock.now = c.now;
        EXPECT_EQ(Expand(std::u16string(c.text)), c.expected) << platform::Utf16ToUtf8(c.text);
        EXPECT_FALSE(caret);
    }
    EXPECT_EQ(prompt.asked, 0);
}

// "%{カーソル}" gives nothing and marks the caret's place (the first one; later ones go), which
// moves with typed and selected text; neither of those is looked at for fields, and no field is
// formed across a caret field.
TEST_F(ExpandTemplateTest, CaretFieldMarksItsPlace) {
    struct Case {
        std::u16string_view text;
        std::u16string_view selected;
        std::u16string_view typed;
        std::u16string_view shown;
    };
    const Case cases[] = {
        {u"ab", u"SEL", u"", u"ab"},
        {u"a%{カーソル}b", u"SEL", u"", u"a|b"},
        {u"%{カーソル}", u"SEL", u"", u"|"},
        {u"%{カーソル}%Y", u"SEL", u"", u"|2009"},
        {u"%Y%{カーソル}", u"SEL", u"", u"2009|"},
        {u"a%{カーソル}b%{カーソル}c%{カーソル}", u"SEL", u"", u"a|bc"},
        {u"%original様\r\n%{カーソル}\r\n%input %original", u"田中", u"入力",
         u"田中様\r\n|\r\n入力 田中"},
        {u"%{カーソル}%input", u"SEL", u"X", u"|X"},
        {u"<%input>", u"%{日}%{カーソル}", u"%{曜日}%{カーソル}", u"<%{曜日}%{カーソル}>"},
        {u"<%original>", u"%{日}%{カーソル}", u"", u"<%{日}%{カーソル}>"},
        {u"%in%{カーソル}put %orig%{カーソル}inal", u"SEL", u"X", u"%in|put %original"},
        {u"%{カーソル}%orig%{カーソル}inal", u"SEL", u"X", u"|%original"},
    };
    for (const auto& c : cases) {
        prompt.answers = {std::u16string(c.typed)};
        EXPECT_EQ(ExpandShowingCaret(std::u16string(c.text), std::u16string(c.selected)), c.shown)
            << platform::Utf16ToUtf8(c.text);
    }
}

} // namespace
} // namespace kvtx
