#include "engine/line_ends.h"
#include "engine/replace_all.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

template <typename Conversion> std::u16string Converted(std::u16string text, Conversion convert) {
    convert(text);
    return text;
}

TEST(LineEnds, CrLfBecomesLfAndOtherCrsStay) {
    EXPECT_EQ(Converted(u"a\r\nb\r\n", CrLfToLf), u"a\nb\n");
    EXPECT_EQ(Converted(u"\r\r\n", CrLfToLf), u"\r\n");
    EXPECT_EQ(Converted(u"a\rb\n\r", CrLfToLf), u"a\rb\n\r");
    EXPECT_EQ(Converted(u"\n\r\n\n", CrLfToLf), u"\n\n\n");
    EXPECT_EQ(Converted(u"", CrLfToLf), u"");
}

TEST(LineEnds, EveryLfOrOnlyTheLoneOnesGetACr) {
    EXPECT_EQ(Converted(u"\na\r\nb\n", LfToCrLf), u"\r\na\r\r\nb\r\n");
    EXPECT_EQ(Converted(u"\na\r\nb\n", LoneLfToCrLf), u"\r\na\r\nb\r\n");
    EXPECT_EQ(Converted(u"\r\r\n\n\n", LoneLfToCrLf), u"\r\r\n\r\n\r\n");
    EXPECT_EQ(Converted(u"a\r", LoneLfToCrLf), u"a\r");
    EXPECT_EQ(Converted(u"\n", LfToCrLf), u"\r\n");
    EXPECT_EQ(Converted(u"", LfToCrLf), u"");
}

TEST(LineEnds, InPlaceConversionsMatchPlainReplacement) {
    // Every arrangement of CR, LF and a letter up to five units long.
    const std::u16string units = u"\r\na";
    std::vector<std::u16string> texts{u""};
    for (std::size_t i = 0; i < texts.size() && texts[i].size() < 5; ++i) {
        for (const char16_t unit : units) {
            texts.push_back(texts[i] + unit);
        }
    }
    for (const std::u16string& text : texts) {
        std::u16string crLfToLf = text;
        ReplaceAll(crLfToLf, u"\r\n", u"\n");
        EXPECT_EQ(Converted(text, CrLfToLf), crLfToLf);
        std::u16string lfToCrLf = text;
        ReplaceAll(lfToCrLf, u"\n", u"\r\n");
        EXPECT_EQ(Converted(text, LfToCrLf), lfToCrLf);
        // Undoing CR LF to LF is exact when no LF stood alone.
        if (!HasLoneLf(text)) {
            EXPECT_EQ(Converted(crLfToLf, LfToCrLf), text);
            EXPECT_EQ(Converted(text, LoneLfToCrLf), text);
        } else {
            EXPECT_FALSE(HasLoneLf(Converted(text, LoneLfToCrLf)));
        }
    }
}

TEST(LineEnds, LoneLineFeedsAndCrLfAreFound) {
    EXPECT_TRUE(HasLoneLf(u"\n"));
    EXPECT_TRUE(HasLoneLf(u"a\r\nb\n"));
    EXPECT_FALSE(HasLoneLf(u"a\r\nb\r\n\r"));
    EXPECT_FALSE(HasLoneLf(u""));
    EXPECT_TRUE(HasCrLf(u"\r\r\n"));
    EXPECT_FALSE(HasCrLf(u"\n\r"));
}

} // namespace
} // namespace kvtx
