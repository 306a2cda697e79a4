#include "platform/utf.h"

#include <gtest/gtest.h>

namespace kvtx::platform {
namespace {

// One character of each length: 1, 2, 3 and 4 bytes (the last a surrogate pair).
constexpr std::string_view kEveryLength = "a\xC3\xA9\xE7\xA2\xBA\xF0\x9F\x98\x80";
constexpr std::u16string_view kEveryLength16 = u"a\u00E9\u78BA\xD83D\xDE00";

TEST(Utf, EveryLengthOfSequenceGoesBothWays) {
    EXPECT_EQ(Utf8ToUtf16(kEveryLength), kEveryLength16);
    EXPECT_EQ(Utf16ToUtf8(kEveryLength16), kEveryLength);
    // The edges of each length.
    const std::string edges = "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80"
                              "\xF4\x8F\xBF\xBF";
    const std::u16string edges16 = u"\x7F\x80\x7FF\x800\xFFFF\xD800\xDC00\xDBFF\xDFFF";
    EXPECT_EQ(Utf8ToUtf16(edges), edges16);
    EXPECT_EQ(Utf16ToUtf8(edges16), edges);
    EXPECT_TRUE(IsValidUtf8(edges));
}

TEST(Utf, EachMalformedSequenceBecomesOneReplacement) {
    EXPECT_EQ(Utf8ToUtf16("x\xFFz"), u"x\xFFFDz");
    EXPECT_EQ(Utf8ToUtf16("\x80"), u"\xFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xC0\x80"), u"\xFFFD");         // overlong
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\xFFFD");     // a surrogate
    EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), u"\xFFFD"); // beyond U+10FFFF
    // A sequence cut short keeps the byte that cut it.
    EXPECT_EQ(Utf8ToUtf16("\xE7\xA2z"), u"\xFFFDz");
    EXPECT_EQ(Utf8ToUtf16("a\xE7\xA2"), u"a\xFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98"), u"\xFFFD");
}

TEST(Utf, ValidityTellsARealReplacementCharacterFromADamagedSequence) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8(kEveryLength));
    EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD"));
    for (const std::string_view bad :
         {"\xFF", "\x80", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\xE7\xA2", "\xF0"}) {
        EXPECT_FALSE(IsValidUtf8(bad)) << ::testing::PrintToString(std::string(bad));
    }
}

TEST(Utf, LoneSurrogatesAreEncodedAsReplacements) {
    EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(Utf16ToUtf8(u"x\xDC00"), "x\xEF\xBF\xBD");
    EXPECT_EQ(Utf16ToUtf8(u"\xDE00\xD83D"), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(Utf16ToUtf8(u"a\xD83D"), "a\xEF\xBF\xBD");
}

// Large texts are converted in blocks of 65,536 bytes and 32,768 units: a sequence or a pair
// across a block's end must come out whole.
TEST(Utf, SequencesAcrossBlockEndsStayWhole) {
    for (std::size_t before = 65'530; before < 65'540; ++before) {
        const std::string utf8 = std::string(before, 'a') + std::string(kEveryLength) + "z";
        const std::u16string utf16 =
            std::u16string(before, u'a') + std::u16string(kEveryLength16) + u"z";
        EXPECT_EQ(Utf8ToUtf16(utf8), utf16) << before;
        EXPECT_EQ(Utf16ToUtf8(utf16), utf8) << before;
    }
    for (std::size_t before = 32'760; before < 32'770; ++before) {
        const std::u16string pair = std::u16string(before, u'a') + u"\xD83D\xDE00";
        EXPECT_EQ(Utf16ToUtf8(pair), std::string(before, 'a') + "\xF0\x9F\x98\x80") << before;
        const std::u16string lone = std::u16string(before, u'a') + u"\xD83D";
        EXPECT_EQ(Utf16ToUtf8(lone), std::string(before, 'a') + "\xEF\xBF\xBD") << before;
    }
    const std::string cut = std::string(65'535, 'a') + "\xE7\xA2";
    EXPECT_EQ(Utf8ToUtf16(cut), std::u16string(65'535, u'a') + u"\xFFFD");
}

TEST(Utf, StrictDecodingStopsBeforeTheFirstBadOrUnfinishedSequence) {
    std::u16string out = u"kept ";
    Utf8Decoded decoded = AppendValidUtf8AsUtf16(kEveryLength, out);
    EXPECT_EQ(decoded.bytesTaken, kEveryLength.size());
    EXPECT_FALSE(decoded.malformed);
    EXPECT_EQ(out, u"kept " + std::u16string(kEveryLength16));

    // An unfinished sequence at the end waits for the bytes that follow.
    out.clear();
    decoded = AppendValidUtf8AsUtf16("ab\xF0\x9F\x98", out);
    EXPECT_EQ(decoded.bytesTaken, 2u);
    EXPECT_FALSE(decoded.malformed);
    EXPECT_EQ(out, u"ab");

    for (const std::string_view bad : {"ab\xFFxy", "ab\xE7\xA2x", "ab\xED\xA0\x80", "ab\xC0\x80"}) {
        out.clear();
        decoded = AppendValidUtf8AsUtf16(bad, out);
        EXPECT_TRUE(decoded.malformed) << ::testing::PrintToString(std::string(bad));
        EXPECT_EQ(decoded.bytesTaken, 2u);
        EXPECT_EQ(out, u"ab");
    }

    // A real U+FFFD is text like any other.
    out.clear();
    decoded = AppendValidUtf8AsUtf16("\xEF\xBF\xBD", out);
    EXPECT_FALSE(decoded.malformed);
    EXPECT_EQ(out, u"\xFFFD");
}

} // namespace
} // namespace kvtx::platform
