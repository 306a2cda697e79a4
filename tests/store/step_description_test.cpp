#include "store/step_description.h"
#include "store/step_text.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

ConversionStep Step(StepKind kind, std::u16string a, std::u16string b, std::u16string c = u"") {
    return *PackStep(static_cast<std::uint16_t>(kind), {std::move(a), std::move(b), std::move(c)});
}

TEST(DescribeStepTest, EachKindHasItsWording) {
    EXPECT_EQ(DescribeStep(Step(StepKind::SimpleReplace, u"foo", u"bar"), 1),
              u"Step 1 置換：foo → bar");
    EXPECT_EQ(DescribeStep(Step(StepKind::RegexReplace, u"a+", u"b"), 3), u"Step 3 正規：s/a+/b/");
    EXPECT_EQ(DescribeStep(Step(StepKind::RegexReplace, u"a+", u"b"), 3, StepMark::kSyntaxError),
              u"Step 3 【構文誤り】 正規：s/a+/b/");
    EXPECT_EQ(DescribeStep(Step(StepKind::RegexReplace, u"a+", u"b"), 3, StepMark::kLibraryMissing),
              u"Step 3 【ライブラリなし】 正規：s/a+/b/");
    EXPECT_EQ(DescribeStep(Step(StepKind::RangeReplace, u"(", u")", u"x"), 1),
              u"Step 1 区間：(<x>)");
}

TEST(DescribeStepTest, EmptyStringsAndUnknownKinds) {
    EXPECT_EQ(DescribeStep(Step(StepKind::SimpleReplace, u"", u""), 1), u"Step 1 置換： → ");
    EXPECT_EQ(DescribeStep(Step(StepKind::RangeReplace, u"", u"", u"z"), 1), u"Step 1 区間：<z>");
    ConversionStep unknown = Step(StepKind::SimpleReplace, u"a", u"b");
    unknown.kind = 9;
    EXPECT_EQ(DescribeStep(unknown, 2), u"");
    // The simple form never checks syntax, so a mark only shows on regular expressions.
    EXPECT_EQ(DescribeStep(Step(StepKind::SimpleReplace, u"a", u"b"), 12, StepMark::kSyntaxError),
              u"Step 12 置換：a → b");
}

} // namespace
} // namespace kvtx
