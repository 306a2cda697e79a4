// DVLIBREGEX.dll as a foreign program meets it: loaded by path, entry points taken by ordinal,
// ANSI strings in the code page of the Japanese locale the Wine run sets.
#include "platform/file_system.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "regexlib/dvlibregex.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace kvtx {
namespace {

using AnsiEntry = int(__stdcall*)(char*, const char*, const char*);
using WideEntry = int(__stdcall*)(wchar_t*, unsigned int, const wchar_t*, const wchar_t*);

template <typename Entry> Entry Cast(FARPROC address) {
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(address));
}

// Joins byte strings; operator+ chains trip a false -Wrestrict of GCC 12 here.
std::string Cat(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (const std::string_view part : parts) {
        out.append(part);
    }
    return out;
}

// CP932 bytes: ソ and 表 end in 0x5C, the backslash.
const std::string kSo = "\x83\x5C";
const std::string kHyo = "\x95\x5C";
const std::string kHyoVote = "\x95\x5B"; // 票
const std::string kSofutoHyoji = Cat({kSo, "\x83\x74\x83\x67", kHyo, "\x8E\xA6"});

constexpr char kGuard = '\xCC';

class DvLibRegex : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module_.reset(
            LoadLibraryW(win32::Wide(platform::ExecutableDirectory() + u"DVLIBREGEX.dll")));
    }
    static void TearDownTestSuite() { module_.reset(); }

    void SetUp() override {
        ASSERT_TRUE(module_.valid()) << "DVLIBREGEX.dll beside the test";
        ansi_ = Cast<AnsiEntry>(GetProcAddress(module_.get(), MAKEINTRESOURCEA(1)));
        wide_ = Cast<WideEntry>(GetProcAddress(module_.get(), MAKEINTRESOURCEA(2)));
        ASSERT_NE(ansi_, nullptr);
        ASSERT_NE(wide_, nullptr);
    }

    // A buffer of exactly the size the caller owns, followed by guard bytes that must survive.
    struct Call {
        int result;
        std::string text;
        bool guardIntact;
    };
    Call Ansi(const std::string& text, std::size_t bufferSize, const std::string& pattern,
              const std::string& replacement) {
        std::vector<char> buffer(bufferSize + 32, kGuard);
        std::copy(text.begin(), text.end(), buffer.begin());
        buffer[text.size()] = '\0';
        const int result = ansi_(buffer.data(), pattern.c_str(), replacement.c_str());
        bool guard = true;
        for (std::size_t i = bufferSize; i < buffer.size(); ++i) {
            guard = guard && buffer[i] == kGuard;
        }
        return {result, std::string(buffer.data()), guard};
    }
    Call Ansi(const std::string& text, const std::string& pattern, const std::string& replacement) {
        // As the program sizes it: 2 x UTF-16 length + 10.
        const int units =
            MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        return Ansi(text, 2 * static_cast<std::size_t>(units) + 10, pattern, replacement);
    }

    // A wide entry's call on text in a buffer of capacity units followed by guard units.
    struct WideCall {
        int result;
        std::wstring text;
        bool guardIntact;
    };
    static WideCall CallWide(WideEntry entry, const std::wstring& text, std::size_t capacity,
                             const wchar_t* pattern, const wchar_t* replacement) {
        std::vector<wchar_t> buffer(capacity + 8, L'#');
        std::copy(text.begin(), text.end(), buffer.begin());
        buffer[text.size()] = L'\0';
        const int result =
            entry(buffer.data(), static_cast<unsigned>(capacity), pattern, replacement);
        return {result, std::wstring(buffer.data()),
                std::wstring(buffer.begin() + static_cast<std::ptrdiff_t>(capacity),
                             buffer.end()) == std::wstring(8, L'#')};
    }

    static win32::ModuleHandle module_;
    AnsiEntry ansi_ = nullptr;
    WideEntry wide_ = nullptr;
};

win32::ModuleHandle DvLibRegex::module_;

TEST_F(DvLibRegex, TheWineRunUsesTheJapaneseCodePage) {
    EXPECT_EQ(GetACP(), 932u);
}

TEST_F(DvLibRegex, MultiByteCharactersAreNeverSplitAtABackslashTrailByte) {
    // Only the real backslash matches \\, not the second bytes of ソ and 表.
    Call call = Ansi(Cat({kSofutoHyoji, "\\a"}), "\\\\", "/");
    EXPECT_EQ(call.result, 0);
    EXPECT_EQ(call.text, Cat({kSofutoHyoji, "/a"}));

    // ソ+ is one character repeated, not 0x83 followed by an escaped plus.
    call = Ansi(Cat({kSo, kSo, kSo, "a"}), Cat({kSo, "+"}), "X");
    EXPECT_EQ(call.text, "Xa");

    call = Ansi(kSofutoHyoji, kHyo, kHyoVote);
    EXPECT_EQ(call.text, Cat({kSo, "\x83\x74\x83\x67", kHyoVote, "\x8E\xA6"}));

    call = Ansi(Cat({"x", kHyo, "y"}), Cat({"(", kHyo, ")"}), "[$1\\1]");
    EXPECT_EQ(call.text, Cat({"x[", kHyo, kHyo, "]y"}));
}

// Ordinal 1 has no capacity: a longer result is neither cut nor written past the buffer the text
// implies, and the text stays as it was.
TEST_F(DvLibRegex, AnsiResultsUpToTwiceTheTextAndTenFitLongerOnesLeaveTheTextUntouched) {
    // "ab": 14 bytes, the terminating NUL included.
    EXPECT_EQ(Ansi("ab", "b", std::string(12, 'x')).text, Cat({"a", std::string(12, 'x')}));
    Call tooLong = Ansi("ab", "b", std::string(13, 'x'));
    EXPECT_NE(tooLong.result, 1);
    EXPECT_EQ(tooLong.text, "ab");
    EXPECT_TRUE(tooLong.guardIntact);

    // 表 is two bytes but one UTF-16 unit: 12 bytes, so five 表 and the NUL fit, six do not.
    Call fits = Ansi(kHyo, kHyo, Cat({kHyo, kHyo, kHyo, kHyo, kHyo}));
    EXPECT_EQ(fits.result, 0);
    EXPECT_TRUE(fits.guardIntact);
    tooLong = Ansi(kHyo, kHyo, Cat({kHyo, kHyo, kHyo, kHyo, kHyo, kHyo}));
    EXPECT_NE(tooLong.result, 1);
    EXPECT_EQ(tooLong.text, kHyo);
    EXPECT_TRUE(tooLong.guardIntact);
}

// The syntax probe: "test" in a 512-byte buffer. A well-formed pair passes however long its
// result, and a step whose 4-character text has 18 bytes is not written past them.
TEST_F(DvLibRegex, TheSyntaxProbeOfAWellFormedPairPassesWhateverItsResult) {
    for (const std::size_t bufferSize : {std::size_t{512}, std::size_t{18}}) {
        const Call probe = Ansi("test", bufferSize, "t", std::string(20, 'x'));
        EXPECT_NE(probe.result, 1) << bufferSize;
        EXPECT_EQ(probe.text, "test") << bufferSize;
        EXPECT_TRUE(probe.guardIntact) << bufferSize;
    }
    EXPECT_EQ(Ansi("test", 512, "(", "x").result, 1);
}

TEST_F(DvLibRegex, AResultHoldingANulIsRefusedRatherThanCutShort) {
    const Call ansi = Ansi("abc", "b", "\\x{0}");
    EXPECT_EQ(ansi.result, 1);
    EXPECT_EQ(ansi.text, "abc");
    const WideCall wide = CallWide(wide_, L"abc", 64, L"b", L"[\\o{0}]");
    EXPECT_EQ(wide.result, 1);
    EXPECT_EQ(wide.text, L"abc");
}

// Found by name as the program looks for it, and answering why it stopped.
TEST_F(DvLibRegex, TheStatusEntryTellsEveryReasonApartAndLeavesTheTextOnEach) {
    const auto status = Cast<WideEntry>(GetProcAddress(module_.get(), "DvRegexSubstituteStatusW"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status, Cast<WideEntry>(GetProcAddress(module_.get(), MAKEINTRESOURCEA(3))));
    std::wstring hostile;
    for (int i = 0; i < 20000; ++i) {
        hostile += L"aaaaaaaaaaaaaaaa-b";
    }
    struct Case {
        std::wstring text;
        std::size_t capacity;
        const wchar_t* pattern;
        const wchar_t* replacement;
        int status;
    };
    const std::wstring catastrophic = std::wstring(30, L'a') + L"cb";
    for (const Case& c :
         std::vector<Case>{{L"abc", 64, L"(", L"x", DV_REGEX_MALFORMED},
                           {L"abc", 64, L"b", L"$2", DV_REGEX_MALFORMED},
                           {hostile, hostile.size() + 1, L"(a+)+b", L"x", DV_REGEX_TIME_LIMIT},
                           {L"ab", 5, L"b", L"xyzw", DV_REGEX_RESULT_TOO_LARGE},
                           {catastrophic, 64, L"(a+)+b", L"x", DV_REGEX_MATCH_LIMIT},
                           {L"abc", 64, L"b", L"\\x{0}", DV_REGEX_RESULT_HOLDS_NUL}}) {
        const WideCall call = CallWide(status, c.text, c.capacity, c.pattern, c.replacement);
        EXPECT_EQ(call.result, c.status) << c.pattern;
        EXPECT_TRUE(call.text == c.text) << c.pattern;
        EXPECT_TRUE(call.guardIntact) << c.pattern;
    }
    const WideCall done = CallWide(status, L"表 abc", 64, L"b", L"😀");
    EXPECT_EQ(done.result, DV_REGEX_DONE);
    EXPECT_EQ(done.text, L"表 a😀c");
}

TEST_F(DvLibRegex, MalformedOrRefusedWorkAnswersOneAndLeavesTheText) {
    for (const auto& [pattern, replacement] : std::vector<std::pair<std::string, std::string>>{
             {"(", "x"}, {"[", "x"}, {"nomatch", "$"}, {"(a)", "$2"}, {"(a+)+b", "x"}}) {
        const Call call = Ansi(Cat({std::string(30, 'a'), "cb"}), pattern, replacement);
        EXPECT_EQ(call.result, 1) << pattern << " / " << replacement;
        EXPECT_EQ(call.text, Cat({std::string(30, 'a'), "cb"}));
    }
}

TEST_F(DvLibRegex, TheWideEntryKeepsEveryCharacterWithinItsCapacity) {
    EXPECT_EQ(wide_, Cast<WideEntry>(GetProcAddress(module_.get(), "DvRegexSubstituteW")));
    std::vector<wchar_t> buffer(64, L'\0');
    const std::wstring text = L"😀 и 表";
    std::copy(text.begin(), text.end(), buffer.begin());
    ASSERT_EQ(wide_(buffer.data(), static_cast<unsigned>(buffer.size()), L"и", L"ü"), 0);
    EXPECT_EQ(std::wstring(buffer.data()), L"😀 ü 表");

    // Capacity 5 holds four units and the NUL.
    const auto run = [&](const wchar_t* replacement) {
        std::vector<wchar_t> small(5 + 8, L'#');
        small[0] = L'a';
        small[1] = L'b';
        small[2] = L'\0';
        const int result = wide_(small.data(), 5, L"b", replacement);
        EXPECT_EQ(std::wstring(small.begin() + 5, small.end()), std::wstring(8, L'#'));
        return std::make_pair(result, std::wstring(small.data()));
    };
    EXPECT_EQ(run(L"xyz"), std::make_pair(0, std::wstring(L"axyz")));
    EXPECT_EQ(run(L"xyzw"), std::make_pair(1, std::wstring(L"ab")));
    EXPECT_EQ(run(L"$"), std::make_pair(1, std::wstring(L"ab")));
}

TEST_F(DvLibRegex, TheWideEntryRefusesATextWithNoNulInsideItsCapacity) {
    std::vector<wchar_t> buffer(4, L'a');
    EXPECT_EQ(wide_(buffer.data(), 4, L"a", L"b"), 1);
    EXPECT_EQ(std::wstring(buffer.begin(), buffer.end()), L"aaaa");
    EXPECT_EQ(wide_(buffer.data(), 0, L"a", L"b"), 1);
}

} // namespace
} // namespace kvtx
