#include "search/search_fold.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

struct FoldCase {
    const char16_t* text;
    const char16_t* folded;
};

TEST(SearchFoldTest, SpellingsOfOneWordFoldAlike) {
    const FoldCase cases[] = {
        // The three spellings of one word.
        {u"めーる", u"メール"},
        {u"メール", u"メール"},
        {u"ﾒｰﾙ", u"メール"},
        // Half-width sound marks join the kana before them, as full-width ones are written.
        {u"ｶﾞｷﾞﾊﾟﾎﾟｳﾞｦﾞ", u"ガギパポヴヺ"},
        {u"がぎぱぽゔ", u"ガギパポヴ"},
        // Decomposed kana join too; a mark after a kana that takes none, or alone, stays.
        {u"か\u3099は\u309A", u"ガパ"},
        {u"ｱﾞﾞ", u"ア\u3099\u3099"},
        {u"ﾞ", u"\u3099"},
        {u"ｯ｡｢｣､･ｧｮ", u"ッ。「」、・ァョ"},
        {u"ゝゞゕゖ", u"ヽヾヵヶ"},
        // Full-width Latin, digits and signs; case in every script the table knows.
        {u"ＡＢＣ１２３！～", u"abc123!~"},
        {u"Hello ÀÉ ΑΩ ДЁ", u"hello àé αω дё"},
        {u"×÷", u"×÷"},
        {u"￥￦｟", u"\u00A5\u20A9\u2985"},
        // The ideographic space is a space; kanji and other characters stay as they are.
        {u"定型\u3000文", u"定型 文"},
        {u"漢字😀", u"漢字😀"},
        {u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FoldForSearch(c.text), c.folded) << std::u16string(c.text).size();
    }
}

} // namespace
} // namespace kvtx
