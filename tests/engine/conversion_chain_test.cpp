#include "engine/conversion_chain.h"
#include "store/item_content.h"
#include "store/step_text.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_input_prompt.h"
#include "tests/fakes/fake_message_box.h"
#include "tests/fakes/fake_regex_library.h"

#include <cstring>
#include <gtest/gtest.h>
#include <set>

namespace kvtx {
namespace {

struct StepSpec {
    std::uint16_t kind;
    std::u16string a;
    std::u16string b;
    std::u16string c;
};

constexpr auto kSimple = static_cast<std::uint16_t>(StepKind::SimpleReplace);
constexpr auto kRegex = static_cast<std::uint16_t>(StepKind::RegexReplace);
constexpr auto kRange = static_cast<std::uint16_t>(StepKind::RangeReplace);

ItemContent Chain(const std::vector<StepSpec>& steps) {
    ItemContent content{};
    SetStepCount(content, static_cast<int>(steps.size()));
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const auto packed = PackStep(steps[i].kind, {steps[i].a, steps[i].b, steps[i].c});
        EXPECT_TRUE(packed.has_value());
        ConversionStep step = packed.value_or(ConversionStep{});
        step.kind = steps[i].kind;
        SetStepAt(content, static_cast<int>(i), step);
    }
    return content;
}

class ApplyConversionTest : public ::testing::Test {
protected:
    bool Apply(const std::vector<StepSpec>& steps, std::u16string& text) {
        return ApplyConversion(Chain(steps), text, {{clock, prompt}, regex, messages});
    }
    std::u16string Converted(const std::vector<StepSpec>& steps, std::u16string text) {
        EXPECT_TRUE(Apply(steps, text));
        return text;
    }

    testing::FakeClock clock{{2009, 3, 1, 5, 7, 3}};
    testing::FakeInputPrompt prompt;
    testing::FakeRegexLibrary library;
    RegexEngine regex{library};
    testing::FakeMessageBox messages;
};

TEST_F(ApplyConversionTest, NoStepsLeaveTheTextAsCaptured) {
    EXPECT_EQ(Converted({}, u"a\r\nb"), u"a\r\nb");
}

TEST_F(ApplyConversionTest, SimpleReplaceIsLiteralAndDoesNotSearchItsOwnOutput) {
    EXPECT_EQ(Converted({{kSimple, u"cat", u"dog", u""}}, u"catcat"), u"dogdog");
    EXPECT_EQ(Converted({{kSimple, u"a", u"aa", u""}}, u"aa"), u"aaaa");
    EXPECT_EQ(Converted({{kSimple, u"Cat", u"x", u""}}, u"cat"), u"cat");
    EXPECT_EQ(Converted({{kSimple, u"\\n", u"X", u""}}, u"a\\nb\r\nc"), u"aXb\r\nc");
    EXPECT_EQ(Converted({{kSimple, u"", u"X", u""}}, u"abc"), u"abc");
}

TEST_F(ApplyConversionTest, SimpleReplaceExpandsItsReplacementAgainstTheRunningText) {
    prompt.answers = {u"in"};
    EXPECT_EQ(Converted({{kSimple, u"x", u"[%original|%input|%Y\\n]", u""}}, u"axb"),
              u"a[axb|in|2009\\n]b");
    // The pattern is never expanded.
    EXPECT_EQ(Converted({{kSimple, u"%Y", u"y", u""}}, u"%Y 2009"), u"y 2009");
}

// The named fields fill a plain replacement's B and a range's C; a caret field there is removed
// and nothing else (the regular-expression step takes its fields literally).
TEST_F(ApplyConversionTest, NamedFieldsFillBAndCAndTheCaretFieldIsRemoved) {
    clock.now = {2026, 12, 9, 9, 5, 0};
    EXPECT_EQ(
        Converted({{kSimple, u"日付", u"%{月}月%{日}日(%{曜日})%{カーソル}", u""}}, u"[日付]"),
        u"[12月9日(水)]");
    EXPECT_EQ(Converted({{kRange, u"<", u">", u"%{カーソル}%{元号}%{和暦年}年%{不明}"}}, u"<x>"),
              u"<令和8年%{不明}>");
    EXPECT_EQ(Converted({{kSimple, u"%{曜日}", u"%%{曜日}", u""}}, u"%{曜日}"), u"%{曜日}");
}

TEST_F(ApplyConversionTest, EachStepReadsItsOwnClockAndAsksItsOwnPrompt) {
    prompt.answers = {u"1", u"2"};
    EXPECT_EQ(Converted({{kSimple, u"a", u"%input%input", u""}, {kSimple, u"b", u"%input%h", u""}},
                        u"ab"),
              u"11205");
    EXPECT_EQ(prompt.asked, 2);
    EXPECT_EQ(clock.readings, 2);
}

TEST_F(ApplyConversionTest, LaterStepsSeeTheRunningText) {
    EXPECT_EQ(Converted({{kSimple, u"a", u"b", u""}, {kSimple, u"b", u"<%original>", u""}}, u"ab"),
              u"<bb><bb>");
}

TEST_F(ApplyConversionTest, RangeReplaceKeepsTheDelimiters) {
    EXPECT_EQ(Converted({{kRange, u"<", u">", u"x"}}, u"<a><b>"), u"<x><x>");
    EXPECT_EQ(Converted({{kRange, u"[", u"]", u"x"}}, u"][a]"), u"][x]");
    EXPECT_EQ(Converted({{kRange, u"<", u">", u""}}, u"<abc>"), u"<>");
    EXPECT_EQ(Converted({{kRange, u"<b>", u"</b>", u"%D"}}, u"<b>bold</b> <b>x</b>"),
              u"<b>01</b> <b>01</b>");
}

TEST_F(ApplyConversionTest, RangeWithoutClosingMarkerEndsTheStep) {
    EXPECT_EQ(Converted({{kRange, u"<", u">", u"x"}}, u"<a"), u"<a");
    EXPECT_EQ(Converted({{kRange, u"<", u">", u"x"}}, u"<a> <b"), u"<x> <b");
    EXPECT_EQ(Converted({{kRange, u"(", u")", u"x"}}, u"no markers"), u"no markers");
    // Only the next closing marker counts, so the later opening one is consumed with the rest.
    EXPECT_EQ(Converted({{kRange, u"(", u")", u"x"}}, u"(a(b)c)"), u"(x)c)");
}

TEST_F(ApplyConversionTest, RangeStopsAfterAHundredPasses) {
    std::u16string text = u"ab";
    ASSERT_TRUE(Apply({{kRange, u"a", u"b", u"ab"}}, text));
    EXPECT_EQ(text, std::u16string(kMaxRangePasses + 1, u'a') +
                        std::u16string(kMaxRangePasses + 1, u'b'));
}

TEST_F(ApplyConversionTest, EmptyRangeMarkers) {
    // An empty closing marker is found at once: C goes straight after each opening marker.
    EXPECT_EQ(Converted({{kRange, u"<", u"", u"x"}}, u"<a<b"), u"<xa<xb");
    // An empty opening marker matches at every search start, so only the pass limit ends these.
    std::u16string text = u"ab";
    ASSERT_TRUE(Apply({{kRange, u"", u"b", u"-"}}, text));
    EXPECT_EQ(text, std::u16string(kMaxRangePasses, u'-') + u"b");
    text = u"";
    ASSERT_TRUE(Apply({{kRange, u"", u"", u"z"}}, text));
    EXPECT_EQ(text, std::u16string(kMaxRangePasses, u'z'));
}

TEST_F(ApplyConversionTest, RangeReplacementIsExpandedOncePerStep) {
    prompt.answers = {u"T"};
    EXPECT_EQ(Converted({{kRange, u"(", u")", u"%input%D"}}, u"(1)(2)"), u"(T01)(T01)");
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_EQ(clock.readings, 1);
}

TEST_F(ApplyConversionTest, RegexStepSeesSingleLineFeedsAndUnexpandedFields) {
    EXPECT_EQ(Converted({{kRegex, u"1\\n2", u"%Y\\t", u""}}, u"1\r\n2\r\n3"), u"%Y\t\r\n3");
    ASSERT_EQ(library.calls.size(), 1u);
    EXPECT_EQ(library.calls[0].text, u"1\n2\n3");
    EXPECT_EQ(library.calls[0].pattern, u"1\n2");
    EXPECT_EQ(library.calls[0].replacement, u"%Y\t");
    EXPECT_EQ(clock.readings, 0);
}

TEST_F(ApplyConversionTest, RegexReplacementLineFeedComesBackAsCrLf) {
    EXPECT_EQ(Converted({{kRegex, u",", u"\\n", u""}}, u"a,b\r\nc"), u"a\r\nb\r\nc");
}

TEST_F(ApplyConversionTest, ARefusedExpressionStopsTheChainWithTheMessageOfItsReason) {
    const std::vector<RegexStatus> refusals{
        RegexStatus::kMalformed,  RegexStatus::kTimeLimit, RegexStatus::kResultTooLarge,
        RegexStatus::kMatchLimit, RegexStatus::kHoldsNul,  RegexStatus::kLibraryMissing};
    std::set<std::u16string> messagesSeen;
    for (const RegexStatus refusal : refusals) {
        library.refusals = {{u"(", refusal}};
        library.calls.clear();
        messages.shown.clear();
        std::u16string text = u"abc";
        EXPECT_FALSE(Apply(
            {{kSimple, u"a", u"x", u""}, {kRegex, u"(", u"y", u""}, {kSimple, u"b", u"z", u""}},
            text));
        ASSERT_EQ(messages.shown.size(), 1u);
        messagesSeen.insert(messages.shown[0]);
        // Only a malformed expression is reported as one.
        EXPECT_EQ(messages.shown[0] == u"正規表現の構文に誤りがあります",
                  refusal == RegexStatus::kMalformed);
        EXPECT_EQ(library.calls.size(), 1u);
        // The third step never ran.
        EXPECT_EQ(text.find(u'z'), std::u16string::npos);
    }
    EXPECT_EQ(messagesSeen.size(), refusals.size());
    // The user is told which file to look for.
    EXPECT_NE(messages.shown[0].find(u"DVLIBREGEX.dll"), std::u16string::npos);
}

TEST_F(ApplyConversionTest, UnknownStepKindsAreSkipped) {
    EXPECT_EQ(Converted({{7, u"a", u"x", u""}, {kSimple, u"b", u"y", u""}}, u"ab"), u"ay");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ApplyConversionTest, StepCountBeyondSevenIsClamped) {
    ItemContent content = Chain({});
    for (int i = 0; i < kMaxSteps; ++i) {
        SetStepAt(content, i, *PackStep(kSimple, {u"a", u"aa", u""}));
    }
    const std::uint16_t bogusCount = 500;
    std::memcpy(content.bytes, &bogusCount, sizeof bogusCount);
    std::u16string text = u"a";
    ASSERT_TRUE(ApplyConversion(content, text, {{clock, prompt}, regex, messages}));
    EXPECT_EQ(text, std::u16string(1u << kMaxSteps, u'a'));
}

} // namespace
} // namespace kvtx

namespace kvtx {
namespace {

// The same chain through the platform's own library, so that what the steps hand it (line
// ends, escapes, group references) is checked against the real dialect.
class ApplyConversionWithLibraryTest : public ::testing::Test {
protected:
    bool Apply(const std::vector<StepSpec>& steps, std::u16string& text) {
        return ApplyConversion(Chain(steps), text, {{clock, prompt}, regex, messages});
    }

    testing::FakeClock clock{{2009, 3, 1, 5, 7, 3}};
    testing::FakeInputPrompt prompt;
    RegexEngine regex{DefaultRegexLibrary()};
    testing::FakeMessageBox messages;
};

TEST_F(ApplyConversionWithLibraryTest, LineFeedEscapeMatchesBetweenCapturedLines) {
    std::u16string text = u"一行目\r\n二行目\r\n三行目";
    ASSERT_TRUE(
        Apply({{kRegex, u"目\\n二", u"目 / 二", u""}, {kRegex, u"(\\S+)$", u"[$1]", u""}}, text));
    EXPECT_EQ(text, u"一行目 / 二行目\r\n[三行目]");
}

TEST_F(ApplyConversionWithLibraryTest, MixedStepsAndAMalformedLastStep) {
    std::u16string text = u"2009 年";
    ASSERT_TRUE(
        Apply({{kSimple, u"年", u"%M月", u""}, {kRegex, u"(\\d+) (\\d+)", u"$2/$1", u""}}, text));
    EXPECT_EQ(text, u"03/2009月");
    EXPECT_FALSE(Apply({{kSimple, u"0", u"o", u""}, {kRegex, u"(", u"x", u""}}, text));
    EXPECT_EQ(messages.shown, std::vector<std::u16string>{u"正規表現の構文に誤りがあります"});
}

} // namespace
} // namespace kvtx
