#include "engine/template_expansion.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_input_prompt.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

class ExpandTemplateTest : public ::testing::Test {
protected:
    std::u16string Expand(std::u16string text, const std::u16string& selected = u"SEL") {
        ExpandTemplate(text, selected, {clock, prompt});
        return text;
    }

    testing::FakeClock clock{{2009, 3, 1, 5, 7, 3}};
    testing::FakeInputPrompt prompt;
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

} // namespace
} // namespace kvtx
