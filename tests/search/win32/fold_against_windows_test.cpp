// The search's own fold table against what Windows does with the same characters: NFKC through
// NormalizeString, then hiragana to katakana and lower case through LCMapStringEx. Run under
// Wine in the Windows build.

#include "platform/win32/wide.h"
#include "search/search_fold.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace kvtx {
namespace {

std::u16string Normalized(const std::u16string& text) {
    const wchar_t* source = win32::Wide(text);
    const int size =
        ::NormalizeString(NormalizationKC, source, static_cast<int>(text.size()), nullptr, 0);
    std::u16string result(static_cast<std::size_t>(size > 0 ? size : 0), u'\0');
    const int written = ::NormalizeString(NormalizationKC, source, static_cast<int>(text.size()),
                                          win32::Wide(result.data()), size);
    result.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    return result;
}

std::u16string Mapped(const std::u16string& text, DWORD flags) {
    const wchar_t* source = win32::Wide(text);
    const int size = ::LCMapStringEx(L"ja-JP", flags, source, static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr, 0);
    std::u16string result(static_cast<std::size_t>(size > 0 ? size : 0), u'\0');
    const int written = ::LCMapStringEx(L"ja-JP", flags, source, static_cast<int>(text.size()),
                                        win32::Wide(result.data()), size, nullptr, nullptr, 0);
    result.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    return result;
}

std::u16string WindowsFold(const std::u16string& text) {
    return Mapped(Mapped(Normalized(text), LCMAP_KATAKANA), LCMAP_LOWERCASE);
}

// Every character the table maps, and every half-width kana followed by each sound mark.
std::vector<std::u16string> CoveredTexts() {
    std::vector<std::u16string> texts;
    const auto range = [&](char16_t first, char16_t last) {
        for (char16_t c = first; c <= last; ++c) {
            texts.emplace_back(1, c);
        }
    };
    range(u'A', u'Z');
    range(u'\u00C0', u'\u00DE');
    range(u'\u0391', u'\u03A1');
    range(u'\u03A3', u'\u03A9');
    range(u'\u0400', u'\u042F');
    range(u'\u3041', u'\u3096');
    range(u'\u309D', u'\u309E');
    range(u'\uFF01', u'\uFF9F');
    range(u'\uFFE0', u'\uFFE2');
    range(u'\uFFE4', u'\uFFE6');
    range(u'\uFFE8', u'\uFFEE');
    texts.emplace_back(u"\u3000");
    for (char16_t kana = u'\uFF66'; kana <= u'\uFF9D'; ++kana) {
        texts.push_back({kana, u'\uFF9E'});
        texts.push_back({kana, u'\uFF9F'});
    }
    for (const char16_t* decomposed : {u"か\u3099", u"は\u309A", u"ウ\u3099", u"ゝ\u3099"}) {
        texts.emplace_back(decomposed);
    }
    return texts;
}

TEST(FoldAgainstWindows, TheTableFoldsAsNormalizeStringAndLCMapStringExDo) {
    int compared = 0;
    for (const auto& text : CoveredTexts()) {
        const std::u16string windows = WindowsFold(text);
        ASSERT_FALSE(windows.empty()) << "U+" << std::hex << static_cast<int>(text[0]);
        EXPECT_EQ(FoldForSearch(text), windows) << "U+" << std::hex << static_cast<int>(text[0])
                                                << " U+" << static_cast<int>(text.back());
        ++compared;
    }
    EXPECT_GT(compared, 500);
}

} // namespace
} // namespace kvtx
