#pragma once

#include <string>
#include <string_view>

namespace kvtx {

// The form in which a query and the phrases are compared, so that the spellings Japanese text
// allows for one word find each other: compatibility forms as NFKC gives them (full-width Latin,
// digits and signs, the ideographic space, half-width katakana with their sound marks joined to
// the kana before them), lower case (Latin, Greek, Cyrillic), and katakana for hiragana.
// "めーる", "メール" and "ﾒｰﾙ" all fold to "メール". Characters outside these ranges stay.
std::u16string FoldForSearch(std::u16string_view text);
// The same, appended to `folded`, so that a long text is folded without a copy of its own.
void AppendFolded(std::u16string_view text, std::u16string& folded);

} // namespace kvtx
