#include "search/search_fold.h"

#include <array>

namespace kvtx {
namespace {

constexpr char16_t kVoicedMark = u'\u3099';
constexpr char16_t kSemiVoicedMark = u'\u309A';

// U+FF61 to U+FF9F, the half-width katakana block, as NFKC maps it.
constexpr std::array<char16_t, 63> kHalfWidthKana{
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ',       u'ィ',          u'ゥ', u'ェ', u'ォ',
    u'ャ', u'ュ', u'ョ', u'ッ', u'ー', u'ア', u'イ',       u'ウ',          u'エ', u'オ', u'カ',
    u'キ', u'ク', u'ケ', u'コ', u'サ', u'シ', u'ス',       u'セ',          u'ソ', u'タ', u'チ',
    u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ', u'ネ',       u'ノ',          u'ハ', u'ヒ', u'フ',
    u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ',       u'ヤ',          u'ユ', u'ヨ', u'ラ',
    u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', kVoicedMark, kSemiVoicedMark};

// U+FFE0 to U+FFEE, the other half-width and full-width signs; 0 where NFKC gives more than one
// character (U+FFE3, a macron over a space) or the code point is unassigned.
constexpr std::array<char16_t, 15> kWidthSigns{
    u'\u00A2', u'\u00A3', u'\u00AC', 0,         u'\u00A6', u'\u00A5', u'\u20A9', 0,
    u'\u2502', u'\u2190', u'\u2191', u'\u2192', u'\u2193', u'\u25A0', u'\u25CB'};

char16_t LowerCase(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= u'\u00C0' && c <= u'\u00DE' && c != u'\u00D7') ||
        (c >= u'\u0391' && c <= u'\u03A9' && c != u'\u03A2') ||
        (c >= u'\u0410' && c <= u'\u042F')) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= u'\u0400' && c <= u'\u040F') {
        return static_cast<char16_t>(c + 0x50);
    }
    return c;
}

// One character's compatibility form and case, before kana are joined with their marks.
char16_t FoldWidthAndCase(char16_t c) {
    if (c >= u'\uFF01' && c <= u'\uFF5E') {
        return LowerCase(static_cast<char16_t>(c - 0xFEE0));
    }
    if (c == u'\u3000') {
        return u' ';
    }
    if (c == u'\uFF5F' || c == u'\uFF60') {
        return static_cast<char16_t>(c - 0xFF5F + 0x2985);
    }
    if (c >= u'\uFF61' && c <= u'\uFF9F') {
        return kHalfWidthKana[c - 0xFF61];
    }
    if (c >= u'\uFFE0' && c <= u'\uFFEE' && kWidthSigns[c - 0xFFE0] != 0) {
        return kWidthSigns[c - 0xFFE0];
    }
    // Hiragana to katakana: the two blocks run in parallel 0x60 apart.
    if ((c >= u'\u3041' && c <= u'\u3096') || c == u'\u309D' || c == u'\u309E') {
        return static_cast<char16_t>(c + 0x60);
    }
    return LowerCase(c);
}

// The kana a sound mark joins with, as canonical composition does; 0 when it joins none. The
// voiced form follows each of these kana, the semi-voiced one the voiced form of ハ to ホ.
constexpr std::u16string_view kTakeVoicedMark = u"カキクケコサシスセソタチツテトハヒフヘホ";
constexpr std::u16string_view kTakeSemiVoicedMark = u"ハヒフヘホ";

char16_t Voiced(char16_t kana) {
    if (kTakeVoicedMark.find(kana) != std::u16string_view::npos) {
        return static_cast<char16_t>(kana + 1);
    }
    switch (kana) {
    case u'ウ':
        return u'ヴ';
    case u'ワ':
        return u'ヷ';
    case u'ヰ':
        return u'ヸ';
    case u'ヱ':
        return u'ヹ';
    case u'ヲ':
        return u'ヺ';
    case u'ヽ':
        return u'ヾ';
    default:
        return 0;
    }
}

char16_t SemiVoiced(char16_t kana) {
    return kTakeSemiVoicedMark.find(kana) != std::u16string_view::npos
               ? static_cast<char16_t>(kana + 2)
               : 0;
}

} // namespace

std::u16string FoldForSearch(std::u16string_view text) {
    std::u16string folded;
    AppendFolded(text, folded);
    return folded;
}

void AppendFolded(std::u16string_view text, std::u16string& folded) {
    // A mark joins only with a kana this call appended, never with what `folded` held before.
    const std::size_t start = folded.size();
    folded.reserve(start + text.size());
    for (const char16_t original : text) {
        const char16_t c = FoldWidthAndCase(original);
        if ((c == kVoicedMark || c == kSemiVoicedMark) && folded.size() > start) {
            const char16_t joined =
                c == kVoicedMark ? Voiced(folded.back()) : SemiVoiced(folded.back());
            if (joined != 0) {
                folded.back() = joined;
                continue;
            }
        }
        folded += c;
    }
}

} // namespace kvtx
