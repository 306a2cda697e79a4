#include "engine/regex_engine.h"

#include <gtest/gtest.h>
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

    int Substitute(std::u16string& text, const std::u16string& pattern,
                   const std::u16string& replacement) override {
        calls.push_back({text, pattern, replacement});
        if (answer != 1) {
            text = output;
        }
        return answer;
    }

    std::vector<Call> calls;
    int answer = 0;
    std::u16string output;
};

TEST(RegexEngineBorder, SubstituteTextHandsOverLineFeedsAndEscapedFields) {
    RecordingLibrary library;
    library.output = u"x\ny";
    RegexEngine engine(library);
    std::u16string text = u"one\r\ntwo\r\n";
    ASSERT_TRUE(engine.SubstituteText(text, u"a\\nb\\tc\\\\n", u"\\t%Y\\n"));
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
    ASSERT_TRUE(engine.SubstituteText(text, u"p", u"r"));
    EXPECT_EQ(library.calls[0].text, u"unix\nlines");
    EXPECT_EQ(text, u"a\r\nb\r\n\r\nc");
}

TEST(RegexEngineBorder, AMalformedAnswerLeavesTheTextAlone) {
    RecordingLibrary library;
    library.answer = 1;
    RegexEngine engine(library);
    // Lone LFs, lone CRs and CR CR LF too, which the LF form alone cannot give back.
    for (const std::u16string original :
         {u"keep\r\nme", u"lone\nand\r\npair\n", u"\r\r\n\r", u"\n"}) {
        std::u16string text = original;
        EXPECT_FALSE(engine.SubstituteText(text, u"(", u""));
        EXPECT_EQ(text, original);
    }
    EXPECT_EQ(library.calls[1].text, u"lone\nand\npair\n");
    EXPECT_EQ(library.calls[2].text, u"\r\n\r");
}

TEST(RegexEngineBorder, AnyAnswerOtherThanOneIsSuccess) {
    RecordingLibrary library;
    library.answer = 7;
    library.output = u"done";
    RegexEngine engine(library);
    std::u16string text = u"t";
    EXPECT_EQ(engine.Substitute(text, u"p", u"r"), 7);
    EXPECT_EQ(text, u"done");
    EXPECT_TRUE(engine.CheckSyntax(u"p", u"r"));
}

TEST(RegexEngineBorder, CheckSyntaxProbesTestWithTheEscapesApplied) {
    RecordingLibrary library;
    RegexEngine engine(library);
    EXPECT_TRUE(engine.CheckSyntax(u"\\n", u"\\t"));
    ASSERT_EQ(library.calls.size(), 1u);
    EXPECT_EQ(library.calls[0].text, u"test");
    EXPECT_EQ(library.calls[0].pattern, u"\n");
    EXPECT_EQ(library.calls[0].replacement, u"\t");
    library.answer = 1;
    EXPECT_FALSE(engine.CheckSyntax(u"(", u""));
}

// The platform's own library: in-process on Linux, DVLIBREGEX.dll beside the test on Windows.
class RegexEngineLibrary : public ::testing::Test {
protected:
    RegexEngine engine{DefaultRegexLibrary()};
};

TEST_F(RegexEngineLibrary, SubstitutesCapturedTextAsAStepDoes) {
    std::u16string text = u"山田 太郎\r\n鈴木 花子\r\n";
    ASSERT_TRUE(engine.SubstituteText(text, u"(\\S+) (\\S+)", u"$2 \\1"));
    EXPECT_EQ(text, u"太郎 山田\r\n花子 鈴木\r\n");

    text = u"line one\r\nline two";
    ASSERT_TRUE(engine.SubstituteText(text, u"one\\nline", u"1\\t+\\n"));
    EXPECT_EQ(text, u"line 1\t+\r\n two");
}

TEST_F(RegexEngineLibrary, KeepsCharactersNoCodePageHolds) {
    std::u16string text = u"😀 и ✓ 表";
    ASSERT_TRUE(engine.SubstituteText(text, u"и", u"ü"));
    EXPECT_EQ(text, u"😀 ü ✓ 表");
}

TEST_F(RegexEngineLibrary, CheckSyntaxTellsMalformedFromWellFormed) {
    EXPECT_TRUE(engine.CheckSyntax(u"t", u"T"));
    EXPECT_TRUE(engine.CheckSyntax(u"(\\d+)-(?<x>\\w)", u"${x}$1\\2"));
    EXPECT_TRUE(engine.CheckSyntax(u"nomatch", u"x"));
    EXPECT_FALSE(engine.CheckSyntax(u"(", u"x"));
    EXPECT_FALSE(engine.CheckSyntax(u"[", u"x"));
    // The probe text has no match here, yet the broken replacement is caught.
    EXPECT_FALSE(engine.CheckSyntax(u"nomatch", u"$"));
    EXPECT_FALSE(engine.CheckSyntax(u"(no)match", u"$2"));
    // A long result of a well-formed pair is no syntax error.
    EXPECT_TRUE(engine.CheckSyntax(u"t", std::u16string(100, u'x')));
}

TEST_F(RegexEngineLibrary, AResultBeyondTwiceTheTextAndTenIsRefused) {
    // 300 units give a buffer of 610 units: 609 for the result and its NUL.
    const std::u16string text(300, u'a');
    std::u16string fits = text;
    ASSERT_EQ(engine.Substitute(fits, u"^", std::u16string(309, u'b')), 0);
    EXPECT_EQ(fits.size(), 609u);

    std::u16string tooLong = text;
    EXPECT_EQ(engine.Substitute(tooLong, u"^", std::u16string(310, u'b')), 1);
    EXPECT_EQ(tooLong, text);
}

TEST_F(RegexEngineLibrary, CatastrophicPatternsAreRefused) {
    std::u16string text = std::u16string(30, u'a') + u"cb";
    EXPECT_FALSE(engine.SubstituteText(text, u"(a+)+b", u"x"));
    EXPECT_EQ(text, std::u16string(30, u'a') + u"cb");
}

} // namespace
} // namespace kvtx
