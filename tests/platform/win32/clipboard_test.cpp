// What the capture reads back from the clipboard that another program has filled.
#include "platform/win32/apply_services.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace kvtx {
namespace {

// Puts one block of the given bytes on the clipboard under this format, as another program
// would; the clipboard owns the block afterwards.
bool Put(UINT format, const void* bytes, std::size_t size) {
    if (!::OpenClipboard(nullptr)) {
        return false;
    }
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    bool placed = false;
    if (block != nullptr) {
        std::memcpy(::GlobalLock(block), bytes, size);
        ::GlobalUnlock(block);
        placed = ::SetClipboardData(format, block) != nullptr;
        if (!placed) {
            ::GlobalFree(block);
        }
    }
    ::CloseClipboard();
    return placed;
}

bool PutUnicode(const std::u16string& text) {
    return Put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(char16_t));
}

class ClipboardTest : public ::testing::Test {
protected:
    win32::Win32Clipboard clipboard{nullptr};
};

TEST_F(ClipboardTest, UnicodeTextKeepsCharactersOutsideTheCodePage) {
    const std::u16string text = u"日本語 😀 Ωé ①\r\n二行目";
    ASSERT_TRUE(PutUnicode(text));
    EXPECT_EQ(clipboard.ReadText(), text);
}

TEST_F(ClipboardTest, AnsiTextAloneIsConvertedFromTheCodePage) {
    ASSERT_EQ(::GetACP(), 932u) << "the test prefix runs with the Japanese code page";
    const char shiftJis[] = "\x93\xfa\x96\x7b\x8c\xea abc"; // 日本語 abc
    ASSERT_TRUE(Put(CF_TEXT, shiftJis, sizeof shiftJis));
    EXPECT_EQ(clipboard.ReadText(), u"日本語 abc");
}

TEST_F(ClipboardTest, ClipboardWithoutTextGivesEmptyCapture) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_EQ(clipboard.ReadText(), u"");
}

HWND MessageWindow() {
    return ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                             nullptr);
}

TEST_F(ClipboardTest, ClipboardHeldOpenByAnotherWindowCannotBeReadYet) {
    ASSERT_TRUE(PutUnicode(u"held"));
    HWND holder = MessageWindow();
    HWND owner = MessageWindow();
    ASSERT_TRUE(holder != nullptr && owner != nullptr);
    ASSERT_TRUE(::OpenClipboard(holder));
    EXPECT_EQ(win32::Win32Clipboard(owner).ReadText(), std::nullopt);
    ::CloseClipboard();
    EXPECT_EQ(win32::Win32Clipboard(owner).ReadText(), u"held");
    ::DestroyWindow(holder);
    ::DestroyWindow(owner);
}

} // namespace
} // namespace kvtx
