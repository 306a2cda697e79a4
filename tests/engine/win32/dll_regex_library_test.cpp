#include "engine/win32/dll_regex_library.h"
#include "platform/file_system.h"

#include <gtest/gtest.h>

namespace kvtx::win32 {
namespace {

std::u16string BesideTest(const char16_t* name) {
    return platform::ExecutableDirectory() + name;
}

class AnsiOnlyLibrary : public ::testing::Test {
protected:
    int Calls() {
        using Counter = int(__stdcall*)();
        const auto counter = reinterpret_cast<Counter>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleW(L"ansi_only_regex.dll"), "AnsiOnlyCalls")));
        return counter();
    }

    DllRegexLibrary library{BesideTest(u"ansi_only_regex.dll")};
};

TEST_F(AnsiOnlyLibrary, IsReachedThroughOrdinalOneWithAnsiStrings) {
    ASSERT_TRUE(library.Loaded());
    EXPECT_FALSE(library.HasStatusEntry());
    EXPECT_FALSE(library.HasWideEntry());
    std::u16string text = u"表✓";
    // ✓ has no CP932 form: the ANSI border turns it into the default character.
    EXPECT_EQ(library.Substitute(text, u"パ", u"r"), RegexStatus::kDone);
    EXPECT_EQ(text, u"表?|パ|r");
}

TEST_F(AnsiOnlyLibrary, AnswerOneIsMalformedAndLeavesTheTextAlone) {
    std::u16string text = u"keep";
    EXPECT_EQ(library.Substitute(text, u"(", u"x"), RegexStatus::kMalformed);
    EXPECT_EQ(text, u"keep");
}

TEST_F(AnsiOnlyLibrary, AFieldBeyondItsAnsiBufferIsRefusedWithoutACall) {
    const int before = Calls();
    std::u16string text = u"t";
    EXPECT_EQ(library.Substitute(text, std::u16string(512, u'p'), u"r"), RegexStatus::kMalformed);
    // 256 two-byte characters need 512 bytes and the NUL.
    EXPECT_EQ(library.Substitute(text, u"p", std::u16string(256, u'表')), RegexStatus::kMalformed);
    EXPECT_EQ(text, u"t");
    EXPECT_EQ(Calls(), before);

    EXPECT_EQ(library.Substitute(text, std::u16string(511, u'p'), u"r"), RegexStatus::kDone);
    EXPECT_EQ(Calls(), before + 1);
}

TEST(DllRegexLibrary, ALibraryWithoutTheStatusEntryIsReachedThroughItsWideEntry) {
    DllRegexLibrary library(BesideTest(u"wide_only_regex.dll"));
    ASSERT_TRUE(library.Loaded());
    EXPECT_FALSE(library.HasStatusEntry());
    EXPECT_TRUE(library.HasWideEntry());
    std::u16string text = u"😀";
    EXPECT_EQ(library.Substitute(text, u"✓", u"r"), RegexStatus::kDone);
    EXPECT_EQ(text, u"😀|✓|r");
    EXPECT_EQ(library.Substitute(text, u"(", u"r"), RegexStatus::kMalformed);
    EXPECT_EQ(text, u"😀|✓|r");
}

TEST(DllRegexLibrary, OurOwnLibraryIsReachedThroughItsStatusEntry) {
    DllRegexLibrary library(BesideTest(u"DVLIBREGEX.dll"));
    ASSERT_TRUE(library.Loaded());
    EXPECT_TRUE(library.HasStatusEntry());
    std::u16string text = u"😀 and ✓";
    EXPECT_EQ(library.Substitute(text, u"and", u"и"), RegexStatus::kDone);
    EXPECT_EQ(text, u"😀 и ✓");
}

TEST(DllRegexLibrary, WithoutALibraryEveryCallSaysItIsMissing) {
    DllRegexLibrary library(BesideTest(u"no-such-library.dll"));
    EXPECT_FALSE(library.Loaded());
    std::u16string text = u"t";
    EXPECT_EQ(library.Substitute(text, u"t", u"x"), RegexStatus::kLibraryMissing);
    EXPECT_EQ(text, u"t");
}

} // namespace
} // namespace kvtx::win32
