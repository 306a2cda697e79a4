#include "engine/regex_engine.h"

#include <gtest/gtest.h>
#include <tuple>
#include <utility>
#include <vector>

namespace kvtx {
namespace {

// Records what reaches the library and answers with a scripted result.
class RecordingLibrary final : public RegexLibrary {
public:
    struct Call {
        std::u16string text;
        std::u16string pattern;
        std::u16string replacement;
    };

    RegexStatus Substitute(std::u16string& text, const std::u16string& pattern,
                           const std::u16string& replacement) override {
        calls.push_back({text, pattern, replacement});
        if (answer == RegexStatus::kDone) {
            text = output;
        }
        return answer;
    }

    std::vector<Call> calls;
    RegexStatus answer = RegexStatus::kDone;
    std::u16string output;
};

TEST(RegexEngineBorder, SubstituteTextHandsOverLineFeedsAndEscapedFields) {
    RecordingLibrary library;
    library.output = u"x\ny";
    RegexEngine engine(library);
    std::u16string text = u"one\r\ntwo\r\n";
    ASSERT_EQ(engine.SubstituteText(text, u"a\\nb\\tc\\\\n", u"\\t%Y\\n"), RegexStatus::kDone);
    ASSERT_EQ(library.calls.size(), 1u);
    EXPECT_EQ(library.calls[0].text, u"one\ntwo\n");
    EXPECT_EQ(library.calls[0].pattern, u"a\nb\tc\\\n");
    // Template fields mean nothing here: %Y reaches the library as typed.
    EXPECT_EQ(library.calls[0].replacement, u"\t%Y\n");
    EXPECT_EQ(text, u"x\r\ny");
}

TEST(RegexEngineBorder, EveryLineFeedOfTheResultComesBackAsCrLf) {
    RecordingLibrary library;
    library.output = u"a\nb\n\nc";
    RegexEngine engine(library);
    std::u16string text = u"unix\nlines";
    ASSERT_EQ(engine.SubstituteText(text, u"p", u"r"), RegexStatus::kDone);
    EXPECT_EQ(library.calls[0].text, u"unix\nlines");
    EXPECT_EQ(text, u"a\r\nb\r\n\r\nc");
}

TEST(RegexEngineBorder, ARefusalLeavesTheTextAloneAndKeepsItsReason) {
    RecordingLibrary library;
    library.answer = RegexStatus::kTimeLimit;
    RegexEngine engine(library);
    // Lone LFs, lone CRs and CR CR LF too, which the LF form alone cannot give back.
    for (const std::u16string original :
         {u"keep\r\nme", u"lone\nand\r\npair\n", u"\r\r\n\r", u"\n"}) {
        std::u16string text = original;
        EXPECT_EQ(engine.SubstituteText(text, u"(", u""), RegexStatus::kTimeLimit);
        EXPECT_EQ(text, original);
    }
    EXPECT_EQ(library.calls[1].text, u"lone\nand\npair\n");
    EXPECT_EQ(library.calls[2].text, u"\r\n\r");
}

TEST(RegexEngineBorder, CheckSyntaxProbesTestWithTheEscapesApplied) {
    RecordingLibrary library;
    RegexEngine engine(library);
    EXPECT_EQ(engine.CheckSyntax(u"\\n", u"\\t"), RegexStatus::kDone);
    ASSERT_EQ(library.calls.size(), 1u);
    EXPECT_EQ(library.calls[0].text, u"test");
    EXPECT_EQ(library.calls[0].pattern, u"\n");
    EXPECT_EQ(library.calls[0].replacement, u"\t");
}

TEST(RegexEngineBorder, CheckSyntaxPassesAProbeResultTooLargeAndReportsEveryOtherReason) {
    RecordingLibrary library;
    RegexEngine engine(library);
    for (const auto& [answer, verdict] : std::vector<std::pair<RegexStatus, RegexStatus>>{
             {RegexStatus::kResultTooLarge, RegexStatus::kDone},
             {RegexStatus::kMalformed, RegexStatus::kMalformed},
             {RegexStatus::kLibraryMissing, RegexStatus::kLibraryMissing},
             {RegexStatus::kMatchLimit, RegexStatus::kMatchLimit},
             {RegexStatus::kHoldsNul, RegexStatus::kHoldsNul}}) {
        library.answer = answer;
        EXPECT_EQ(engine.CheckSyntax(u"p", u"r"), verdict) << static_cast<int>(answer);
    }
}

// The platform's own library: in-process on Linux, DVLIBREGEX.dll beside the test on Windows.
class RegexEngineLibrary : public ::testing::Test {
protected:
    RegexEngine engine{DefaultRegexLibrary()};
};

TEST_F(RegexEngineLibrary, SubstitutesCapturedTextAsAStepDoes) {
    std::u16string text = u"山田 太郎\r\n鈴木 花子\r\n";
    ASSERT_EQ(engine.SubstituteText(text, u"(\\S+) (\\S+)", u"$2 \\1"), RegexStatus::kDone);
    EXPECT_EQ(text, u"太郎 山田\r\n花子 鈴木\r\n");

    text = u"line one\r\nline two";
    ASSERT_EQ(engine.SubstituteText(text, u"one\\nline", u"1\\t+\\n"), RegexStatus::kDone);
    EXPECT_EQ(text, u"line 1\t+\r\n two");
}

TEST_F(RegexEngineLibrary, KeepsCharactersNoCodePageHolds) {
    std::u16string text = u"😀 и ✓ 表";
    ASSERT_EQ(engine.SubstituteText(text, u"и", u"ü"), RegexStatus::kDone);
    EXPECT_EQ(text, u"😀 ü ✓ 表");
}

TEST_F(RegexEngineLibrary, CheckSyntaxTellsMalformedFromWellFormed) {
    for (const auto& [pattern, replacement] :
         std::vector<std::pair<std::u16string, std::u16string>>{
             {u"t", u"T"},
             {u"(\\d+)-(?<x>\\w)", u"${x}$1\\2"},
             {u"nomatch", u"x"},
             // A long result of a well-formed pair is no syntax error, even beyond what the
             // probe's buffer holds.
             {u"t", std::u16string(100, u'x')},
             {u"t", std::u16string(300, u'x')}}) {
        EXPECT_EQ(engine.CheckSyntax(pattern, replacement), RegexStatus::kDone);
    }
    // The probe text has no match in the last two, yet the broken replacement is caught.
    for (const auto& [pattern, replacement] :
         std::vector<std::pair<std::u16string, std::u16string>>{
             {u"(", u"x"}, {u"[", u"x"}, {u"nomatch", u"$"}, {u"(no)match", u"$2"}}) {
        EXPECT_EQ(engine.CheckSyntax(pattern, replacement), RegexStatus::kMalformed);
    }
}

TEST_F(RegexEngineLibrary, AResultBeyondTwiceTheTextAndTenIsRefused) {
    // 300 units give a buffer of 610 units: 609 for the result and its NUL.
    const std::u16string text(300, u'a');
    std::u16string fits = text;
    ASSERT_EQ(engine.Substitute(fits, u"^", std::u16string(309, u'b')), RegexStatus::kDone);
    EXPECT_EQ(fits.size(), 609u);

    std::u16string tooLong = text;
    EXPECT_EQ(engine.Substitute(tooLong, u"^", std::u16string(310, u'b')),
              RegexStatus::kResultTooLarge);
    EXPECT_EQ(tooLong, text);
}

TEST_F(RegexEngineLibrary, LimitsAndANulInTheResultAreToldApartAndLeaveTheText) {
    const std::u16string original = std::u16string(30, u'a') + u"cb\r\n";
    for (const auto& [pattern, replacement, status] :
         std::vector<std::tuple<std::u16string, std::u16string, RegexStatus>>{
             {u"(a+)+b", u"x", RegexStatus::kMatchLimit},
             {u"b", u"\\x{0}", RegexStatus::kHoldsNul},
             {u"c", std::u16string(600, u'x'), RegexStatus::kResultTooLarge}}) {
        std::u16string text = original;
        EXPECT_EQ(engine.SubstituteText(text, pattern, replacement), status);
        EXPECT_EQ(text, original);
    }
    // A NUL of the text, kept, would cut the result short just the same.
    const std::u16string withNul(u"a\0a", 3);
    std::u16string text = withNul;
    EXPECT_EQ(engine.SubstituteText(text, u"a", u"b"), RegexStatus::kHoldsNul);
    EXPECT_EQ(text, withNul);
}

} // namespace
} // namespace kvtx
