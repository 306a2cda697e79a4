#include "store/item_content.h"
#include "store/labels.h"
#include "store/step_text.h"

#include <cstring>
#include <gtest/gtest.h>

namespace kvtx {
namespace {

ConversionStep StepWithText(std::u16string_view units) {
    ConversionStep step{};
    std::copy(units.begin(), units.end(), step.text);
    return step;
}

TEST(SplitStepTextTest, ReadsThreeStringsEachAfterThePreviousTerminator) {
    using namespace std::string_literals;
    const auto strings = SplitStepText(StepWithText(u"\0\0z\0"s).text);
    EXPECT_EQ(strings.a, u"");
    EXPECT_EQ(strings.b, u"");
    EXPECT_EQ(strings.c, u"z");

    const auto two = SplitStepText(StepWithText(u"cat\0dog\0"s).text);
    EXPECT_EQ(two.a, u"cat");
    EXPECT_EQ(two.b, u"dog");
    EXPECT_EQ(two.c, u"");
}

TEST(SplitStepTextTest, UnterminatedFieldStopsAtItsEnd) {
    ConversionStep step{};
    std::fill(std::begin(step.text), std::end(step.text), u'x');
    const auto strings = SplitStepText(step.text);
    EXPECT_EQ(strings.a, std::u16string(255, u'x'));
    EXPECT_EQ(strings.b, u"");
    EXPECT_EQ(strings.c, u"");
}

TEST(PackStepTest, RangeStepOfThreeTimes84FillsTheFieldExactly) {
    const std::u16string a(84, u'a'), b(84, u'b'), c(84, u'c');
    const auto step = PackStep(static_cast<std::uint16_t>(StepKind::RangeReplace), {a, b, c});
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(step->text[84], u'\0');
    EXPECT_EQ(step->text[85], u'b');
    EXPECT_EQ(step->text[170], u'c');
    EXPECT_EQ(step->text[254], u'\0');
    const auto back = SplitStepText(step->text);
    EXPECT_EQ(back.a, a);
    EXPECT_EQ(back.b, b);
    EXPECT_EQ(back.c, c);
    for (int which = 0; which < 3; ++which) {
        StepStrings longer{a, b, c};
        (which == 0 ? longer.a : which == 1 ? longer.b : longer.c) += u'+';
        EXPECT_FALSE(PackStep(2, longer).has_value()) << which;
    }
}

TEST(PackStepTest, TwoStringStepsIgnoreCAndKeepTheSameBudget) {
    EXPECT_TRUE(PackStep(0, {u"", std::u16string(252, u'b'), u"ignored"}).has_value());
    EXPECT_TRUE(PackStep(0, {std::u16string(200, u'a'), std::u16string(52, u'b'),
                             std::u16string(254, u'c')})
                    .has_value());
    EXPECT_FALSE(
        PackStep(1, {std::u16string(200, u'a'), std::u16string(53, u'b'), u""}).has_value());
    const auto step = PackStep(0, {u"a", u"b", u"c"});
    EXPECT_EQ(SplitStepText(step->text).c, u"");
}

TEST(ItemContentTest, TextWithoutTerminatorIsBoundedByTheBuffer) {
    ItemContent content{};
    std::memset(content.bytes, 0x41, sizeof content.bytes);
    EXPECT_EQ(ContentText(content).size(), 2044u);
    SetContentText(content, std::u16string(3000, u'x'));
    EXPECT_EQ(ContentText(content), std::u16string(2044, u'x'));
    EXPECT_EQ(ContentLengthFor(ItemKind::TextInsertion, content), 4088);
}

TEST(ItemContentTest, DamagedStepCountIsClampedToSeven) {
    ItemContent content{};
    content.bytes[0] = std::byte{0xFF};
    content.bytes[1] = std::byte{0xFF};
    EXPECT_EQ(StepCount(content), 7);
    EXPECT_EQ(ContentLengthFor(ItemKind::TextConversion, content), 4096);
    SetStepCount(content, 0);
    EXPECT_EQ(ContentLengthFor(ItemKind::TextConversion, content), 512);
}

TEST(LabelsTest, LettersFollowPositions) {
    EXPECT_EQ(ListLabel(CategoryLetter(0), u"Greetings"), u"A:Greetings");
    EXPECT_EQ(ListLabel(ItemLetter(2), u"Signature"), u"c:Signature");
    EXPECT_EQ(MenuLabel(CategoryLetter(25), u"末尾"), u"(&Z) 末尾");
}

} // namespace
} // namespace kvtx
