// What the capture reads back from the clipboard that another program has filled.
#include "platform/win32/apply_services.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <thread>

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

TEST_F(ClipboardTest, ClipboardHeldOpenThroughoutByAnotherWindowGivesEmptyCapture) {
    ASSERT_TRUE(PutUnicode(u"held"));
    HWND holder = MessageWindow();
    HWND owner = MessageWindow();
    ASSERT_TRUE(holder != nullptr && owner != nullptr);
    ASSERT_TRUE(::OpenClipboard(holder));
    EXPECT_EQ(win32::Win32Clipboard(owner).ReadText(), u"");
    ::CloseClipboard();
    EXPECT_EQ(win32::Win32Clipboard(owner).ReadText(), u"held");
    ::DestroyWindow(holder);
    ::DestroyWindow(owner);
}

// A clipboard manager holds the clipboard for a moment after every change; the capture must not
// take that moment for an empty selection.
TEST_F(ClipboardTest, ClipboardHeldForAMomentByAnotherProgramIsStillRead) {
    ASSERT_TRUE(PutUnicode(u"held for a moment"));
    HANDLE opened = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(opened, nullptr);
    bool holderOpened = false;
    std::thread holder([opened, &holderOpened] {
        holderOpened = ::OpenClipboard(nullptr) != FALSE;
        ::SetEvent(opened);
        if (holderOpened) {
            ::Sleep(100);
            ::CloseClipboard();
        }
    });
    EXPECT_EQ(::WaitForSingleObject(opened, 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(holderOpened);
    EXPECT_EQ(clipboard.ReadText(), u"held for a moment");
    holder.join();
    ::CloseHandle(opened);
}

} // namespace
} // namespace kvtx
