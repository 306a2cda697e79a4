#include "regexlib/substitute.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace kvtx::regexlib {
namespace {

constexpr std::size_t kRoomy = 1 << 20;

// For failure messages: the test patterns are ASCII.
std::string Ascii(std::u16string_view text) {
    std::string out;
    for (const char16_t unit : text) {
        out.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    return out;
}

struct Outcome {
    SubstituteStatus status;
    std::u16string text;
};

Outcome Attempt(std::u16string_view text, std::u16string_view pattern,
                std::u16string_view replacement, std::size_t maxUnits = kRoomy,
                const SubstituteLimits& limits = {}) {
    std::u16string result = u"untouched";
    const SubstituteStatus status =
        Substitute(text, pattern, replacement, maxUnits, result, limits);
    return {status, result};
}

std::u16string Done(std::u16string_view text, std::u16string_view pattern,
                    std::u16string_view replacement) {
    const Outcome outcome = Attempt(text, pattern, replacement);
    EXPECT_EQ(outcome.status, SubstituteStatus::kDone)
        << "pattern and replacement: " << Ascii(pattern) << " / " << Ascii(replacement);
    return outcome.text;
}

SubstituteStatus StatusOf(std::u16string_view text, std::u16string_view pattern,
                          std::u16string_view replacement) {
    return Attempt(text, pattern, replacement).status;
}

TEST(RegexDialect, ReplacesEveryMatchLeftToRight) {
    EXPECT_EQ(Done(u"cat cat cat", u"cat", u"dog"), u"dog dog dog");
    EXPECT_EQ(Done(u"a1b22c333", u"\\d+", u"#"), u"a#b#c#");
    EXPECT_EQ(Done(u"abc", u"zzz", u"y"), u"abc");
    // Empty matches: one before every character and one at the end, as Perl does.
    EXPECT_EQ(Done(u"abc", u"x*", u"-"), u"-a-b-c-");
    EXPECT_EQ(Done(u"", u"^", u"start"), u"start");
}

TEST(RegexDialect, GroupReferencesInEveryForm) {
    EXPECT_EQ(Done(u"John Smith", u"(\\w+) (\\w+)", u"$2, $1"), u"Smith, John");
    EXPECT_EQ(Done(u"John Smith", u"(\\w+) (\\w+)", u"${2}x ${1}"), u"Smithx John");
    EXPECT_EQ(Done(u"John Smith", u"(\\w+) (\\w+)", u"\\2 \\1"), u"Smith John");
    EXPECT_EQ(Done(u"2024-05-06", u"(?<y>\\d+)-(?<m>\\d+)-(?<d>\\d+)", u"${d}/${m}/${y}"),
              u"06/05/2024");
    EXPECT_EQ(Done(u"ab", u"(?<first>a)(?<second>b)", u"$+{second}$+{first}"), u"ba");
    EXPECT_EQ(Done(u"ab", u"(?<x>a)", u"$$+{x}"), u"$+{x}b");
    EXPECT_EQ(Done(u"abc", u"b", u"[$0]"), u"a[b]c");
    // \12 is group 12, not group 1 followed by a 2.
    EXPECT_EQ(Done(u"abcdefghijkl", u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)", u"\\12\\1"), u"la");
    // A group that took no part in the match stands for nothing.
    EXPECT_EQ(Done(u"b", u"(a)|(b)", u"[$1]"), u"[]");
}

TEST(RegexDialect, EscapesInTheReplacement) {
    EXPECT_EQ(Done(u"x", u"x", u"$$1"), u"$1");
    EXPECT_EQ(Done(u"x", u"x", u"\\$1"), u"$1");
    EXPECT_EQ(Done(u"x", u"(x)", u"\\\\1"), u"\\1");
    EXPECT_EQ(Done(u"x", u"(x)", u"\\Q\\1$1\\E$1"), u"\\1$1x");
    EXPECT_EQ(Done(u"hello world", u"(\\w+) (\\w+)", u"\\U$1\\E \\u$2"), u"HELLO World");
}

TEST(RegexDialect, JapaneseAndCharactersBeyondTheBasicPlane) {
    EXPECT_EQ(Done(u"ソフト表示の表", u"表", u"票"), u"ソフト票示の票");
    // One dot takes a whole surrogate pair.
    EXPECT_EQ(Done(u"a😀b", u"a.b", u"ok"), u"ok");
    EXPECT_EQ(Done(u"😀😀", u".", u"[$0]"), u"[😀][😀]");
    EXPECT_EQ(Done(u"ＡＢＣ", u"(?i)ａｂｃ", u"全角"), u"全角");
    EXPECT_EQ(Done(u"東京都", u"(東京)(都)", u"$2$1"), u"都東京");
}

TEST(RegexDialect, LineEndsAreSingleLineFeeds) {
    EXPECT_EQ(Done(u"one\ntwo", u"\n", u" "), u"one two");
    EXPECT_EQ(Done(u"one\ntwo", u"(?m)^", u"> "), u"> one\n> two");
    EXPECT_EQ(Done(u"one\ntwo", u"o$", u"O"), u"one\ntwO");
}

TEST(RegexDialect, TextThatIsNotValidUtf16IsCarriedThrough) {
    const std::u16string lone = u"a\xD800z a";
    EXPECT_EQ(Done(lone, u"a", u"b"), u"b\xD800z b");
    const std::u16string withNul(u"a\0a", 3);
    EXPECT_EQ(Done(withNul, u"\\x{0}", u"-"), u"a-a");
    const std::u16string pair = u"\xD83D\xDE00";
    EXPECT_EQ(Done(pair + u"a.", u"a|\\.", u"b"), pair + u"bb");
    const std::u16string lowFirst = u"\xDC00";
    const std::u16string reversed = u"\xDE00\xD83D";
    for (const std::u16string& odd :
         {lowFirst + u"a", std::u16string(u"a\xD800"), reversed + u"a"}) {
        std::u16string expected = odd;
        expected[expected.find(u'a')] = u'b';
        EXPECT_EQ(Done(odd, u"a", u"b"), expected);
    }
    // A replacement with a lone surrogate is refused as malformed, on valid text or not.
    EXPECT_EQ(StatusOf(u"abc", u"a", u"\xD800"), SubstituteStatus::kMalformed);
    EXPECT_EQ(StatusOf(u"a\xD800", u"a", u"\xDC00x"), SubstituteStatus::kMalformed);
}

TEST(RegexMalformed, PatternsThatDoNotCompile) {
    for (const char16_t* pattern :
         {u"(", u"a)", u"[a", u"a{2,1}", u"\\", u"*a", u"(?<n>a)(?<n>b)", u"\\C"}) {
        EXPECT_EQ(StatusOf(u"abc", pattern, u"x"), SubstituteStatus::kMalformed) << Ascii(pattern);
    }
}

TEST(RegexMalformed, ReplacementsWhetherOrNotAnythingMatches) {
    for (const char16_t* text : {u"abc", u"zzz"}) {
        for (const char16_t* replacement :
             {u"$", u"${", u"${1", u"$9", u"${nosuch}", u"\\q", u"x\\", u"$\\1", u"${1:+\\",
              u"${1:-x\\", u"y${1:+x:\\"}) {
            EXPECT_EQ(StatusOf(text, u"(a)", replacement), SubstituteStatus::kMalformed)
                << "replacement " << Ascii(replacement);
        }
    }
    // The check of a replacement on a text with no match keeps the pattern's leading settings.
    EXPECT_EQ(StatusOf(u"zzz", u"(*CRLF)(a)", u"$2"), SubstituteStatus::kMalformed);
    EXPECT_EQ(StatusOf(u"zzz", u"(*CRLF)(a)", u"$1"), SubstituteStatus::kDone);
}

TEST(RegexLimits, CatastrophicBacktrackingStopsAtTheMatchLimit) {
    const std::u16string text = std::u16string(30, u'a') + u"cb";
    const Outcome outcome = Attempt(text, u"(a+)+b", u"x");
    EXPECT_EQ(outcome.status, SubstituteStatus::kMatchLimit);
    EXPECT_TRUE(outcome.text == u"untouched");
}

TEST(RegexLimits, ADeadlineBoundsManyAttemptsThatEachStayUnderTheMatchLimit) {
    // Every run of 16 a's costs tens of thousands of steps per start position, far below the
    // match limit, and there are hundreds of thousands of start positions.
    // The b keeps the required-character check from ruling out every attempt at once.
    std::u16string text;
    for (int i = 0; i < 20000; ++i) {
        text += u"aaaaaaaaaaaaaaaa-b";
    }
    SubstituteLimits limits;
    limits.deadline = std::chrono::milliseconds(200);
    const Outcome outcome = Attempt(text, u"(a+)+b", u"x", kRoomy * 4, limits);
    EXPECT_EQ(outcome.status, SubstituteStatus::kTimeLimit);
    EXPECT_TRUE(outcome.text == u"untouched");
}

TEST(RegexLimits, RepeatedGroupsOverAHugeTextAreRefusedNotCrashed) {
    const std::u16string text(2'000'000, u'x');
    // Time enough that the backtracking memory, not the clock, runs out.
    SubstituteLimits limits;
    limits.deadline = std::chrono::hours(1);
    EXPECT_EQ(Attempt(text, u"(.|\\n)*", u"y", text.size() * 2, limits).status,
              SubstituteStatus::kMatchLimit);
}

TEST(RegexLimits, TheUsualWorkOnALongTextIsDone) {
    std::u16string text;
    for (int i = 0; i < 20000; ++i) {
        text += u"日本語 text 123\n";
    }
    const Outcome outcome = Attempt(text, u"(\\d+)", u"<$1>", text.size() * 2);
    ASSERT_EQ(outcome.status, SubstituteStatus::kDone);
    EXPECT_EQ(outcome.text.size(), text.size() + 2 * 20000);
    EXPECT_EQ(outcome.text.substr(0, 15), u"日本語 text <123>\n");
}

TEST(RegexResultSize, AResultUpToTheLimitIsDoneOneUnitMoreIsRefused) {
    EXPECT_EQ(Attempt(u"abc", u"b", u"12345", 7).text, u"a12345c");
    const Outcome over = Attempt(u"abc", u"b", u"123456", 7);
    EXPECT_EQ(over.status, SubstituteStatus::kResultTooLarge);
    EXPECT_TRUE(over.text == u"untouched");
}

TEST(RegexResultSize, AResultFarLargerThanTheTextStillComesOutWhole) {
    const std::u16string text(1000, u'a');
    const Outcome outcome = Attempt(text, u"a", u"$0$0$0$0$0$0$0$0$0$0", 10000);
    ASSERT_EQ(outcome.status, SubstituteStatus::kDone);
    EXPECT_TRUE(outcome.text == std::u16string(10000, u'a'));
    EXPECT_EQ(Attempt(text, u"a", u"$0$0$0$0$0$0$0$0$0$0", 9999).status,
              SubstituteStatus::kResultTooLarge);
}

// Every caller ends strings at a NUL, so a result with one would reach the user cut short.
TEST(RegexResultSize, AResultHoldingANulIsRefusedWhole) {
    const std::u16string withNul(u"a\0a", 3);
    for (const auto& [text, replacement] : std::vector<std::pair<std::u16string, std::u16string>>{
             {u"abc", u"\\x{0}"}, {u"abc", u"\\o{0}"}, {u"abc", u"[\\x00]"}, {withNul, u"b"}}) {
        const Outcome outcome = Attempt(text, u"b|a", replacement);
        EXPECT_EQ(outcome.status, SubstituteStatus::kResultHoldsNul) << Ascii(replacement);
        EXPECT_TRUE(outcome.text == u"untouched");
    }
}

} // namespace
} // namespace kvtx::regexlib
