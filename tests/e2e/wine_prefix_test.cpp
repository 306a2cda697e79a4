// The Wine prefix must be what the program meets on a Japanese Windows: code page 932, and the
// dialog fonts the templates ask for drawn with real Japanese glyphs.

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace {

struct FontFacts {
    DWORD fileBytes = 0; // size of the font file behind the face
    bool hasJapaneseGlyphs = false;
};

FontFacts FactsOf(const wchar_t* face) {
    HDC screen = ::GetDC(nullptr);
    LOGFONTW wanted{};
    wanted.lfHeight = -12;
    wanted.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    HFONT font = ::CreateFontIndirectW(&wanted);
    HGDIOBJ previous = ::SelectObject(screen, font);
    FontFacts facts;
    facts.fileBytes = ::GetFontData(screen, 0, 0, nullptr, 0);
    WORD glyphs[3] = {};
    facts.hasJapaneseGlyphs =
        ::GetGlyphIndicesW(screen, L"あ漢ア", 3, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == 3 &&
        glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF && glyphs[2] != 0xFFFF;
    ::SelectObject(screen, previous);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, screen);
    return facts;
}

TEST(WinePrefix, AnsiCodePageIsJapanese) {
    EXPECT_EQ(::GetACP(), 932u);
}

TEST(WinePrefix, DialogFontsAreTheIpaProportionalGothic) {
    const FontFacts ipa = FactsOf(L"IPAPGothic");
    ASSERT_TRUE(ipa.hasJapaneseGlyphs) << "the IPA fonts are not installed (fonts-ipafont)";
    for (const wchar_t* face : {L"ＭＳ Ｐゴシック", L"MS UI Gothic"}) {
        const FontFacts facts = FactsOf(face);
        EXPECT_TRUE(facts.hasJapaneseGlyphs);
        // Without the prefix's substitute, Wine falls back to another font for the code page.
        EXPECT_EQ(facts.fileBytes, ipa.fileBytes) << "no substitute for this face";
    }
}

} // namespace
