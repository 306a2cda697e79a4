#include "engine/replace_all.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

std::u16string Replaced(std::u16string text, std::u16string_view from, std::u16string_view to) {
    ReplaceAll(text, from, to);
    return text;
}

TEST(ReplaceAllTest, LeftToRightWithoutLookingAtInsertedText) {
    EXPECT_EQ(Replaced(u"catcat", u"cat", u"dog"), u"dogdog");
    EXPECT_EQ(Replaced(u"aa", u"a", u"aa"), u"aaaa");
    EXPECT_EQ(Replaced(u"aaa", u"aa", u"b"), u"ba");
    EXPECT_EQ(Replaced(u"xyz", u"y", u""), u"xz");
    std::u16string text = u"abab";
    EXPECT_EQ(ReplaceAll(text, u"ab", u"x"), 2u);
}

TEST(ReplaceAllTest, EmptyPatternOrNoMatchChangesNothing) {
    std::u16string text = u"abc";
    EXPECT_EQ(ReplaceAll(text, u"", u"x"), 0u);
    EXPECT_EQ(text, u"abc");
    EXPECT_EQ(Replaced(u"abc", u"d", u"x"), u"abc");
    EXPECT_EQ(Replaced(u"", u"a", u"x"), u"");
}

} // namespace
} // namespace kvtx
