// A combination another program already holds: the failure message names error 1409 with the
// system's text, and the other hotkeys work.

#include "platform/utf.h"
#include "platform/win32/wide.h"
#include "tests/e2e/driver/hotkeys.h"
#include "tests/e2e/driver/message_boxes.h"
#include "tests/e2e/driver/tray.h"
#include "tests/e2e/driver/waiting.h"
#include "tests/e2e/korvatex/korvatex_app.h"

#include <gtest/gtest.h>

namespace kvtx::e2e {
namespace {

std::u16string SystemText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string result = length ? win32::FromWide(text, length) : std::u16string();
    ::LocalFree(text);
    return result;
}

// The menu's combination, and the search window's, which is registered after the other three.
TEST(HotkeyConflict, TakenCombinationShowsTheFailureAndTheOthersStillWork) {
    for (const Hotkey& held : {kMenuHotkey, kSearchHotkey}) {
        SCOPED_TRACE(static_cast<char>(held.key));
        ASSERT_FALSE(TrayShowsIcons()) << "an icon of an earlier scenario is still in the tray";
        const HeldHotkey taken(held.modifiers, held.key);
        ASSERT_TRUE(taken.Held()) << taken.Error();

        KorvatexApp app;
        app.Start();
        const DWORD id = app.Instance().Id();
        const auto box = WaitFor<MessageBoxWindow>("the hotkey failure message", [id] {
            const auto boxes = MessageBoxesOf(id);
            return boxes.empty() ? std::nullopt : std::optional(boxes.front());
        });
        ASSERT_TRUE(box.has_value());
        const std::u16string expected = u"ホットキーの登録に失敗しました\n1409," + SystemText(1409);
        EXPECT_EQ(box->text, expected) << platform::Utf16ToUtf8(box->text);
        EXPECT_FALSE(SystemText(1409).empty());
        ClickButton(box->window, IDOK);

        ASSERT_TRUE(app.WaitUntilHidden());
        EXPECT_TRUE(MessageBoxesOf(id).empty()) << "one message for the one failed hotkey";
        for (const Hotkey& other : {kPickerHotkey, kMenuHotkey, kRegexHotkey, kSearchHotkey}) {
            if (other.key != held.key) {
                EXPECT_TRUE(HotkeyTakenElsewhere(other.modifiers, other.key))
                    << static_cast<char>(other.key);
            }
        }
        EXPECT_TRUE(app.ShowPickerAt({400, 300}));
        EXPECT_TRUE(app.ExitFromTray());
    }
}

} // namespace
} // namespace kvtx::e2e
