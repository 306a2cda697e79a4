// Only Exit ends the program; Esc, Cancel and the close box hide the picker and keep the tray
// icon and the hotkeys.

#include "tests/e2e/driver/hotkeys.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/top_level_windows.h"
#include "tests/e2e/driver/tray.h"
#include "tests/e2e/driver/waiting.h"
#include "tests/e2e/korvatex/korvatex_app.h"

#include <functional>
#include <gtest/gtest.h>

namespace kvtx::e2e {
namespace {

bool Registered(const Hotkey& hotkey) {
    return HotkeyTakenElsewhere(hotkey.modifiers, hotkey.key);
}

class HidingAndExitTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(TrayShowsIcons()) << "an icon of an earlier scenario is still in the tray";
        app_.Start();
        ASSERT_TRUE(app_.WaitUntilHidden());
    }
    void TearDown() override {
        if (app_.Instance().Running()) {
            EXPECT_TRUE(app_.ExitFromTray());
        }
    }

    // Shows the picker, closes it this way, and checks that only the window went away.
    void ExpectOnlyHidden(const std::function<void()>& close) {
        ASSERT_TRUE(app_.ShowPickerAt({400, 300}));
        PressKey('B');
        ASSERT_TRUE(WaitUntil("item b selected", [&] { return app_.Picker().item == 1; }));
        close();
        ASSERT_TRUE(WaitUntil("the picker to hide", [&] { return !app_.Picker().visible; }));
        EXPECT_TRUE(app_.Instance().Running());
        EXPECT_TRUE(TrayShowsIcons());
        EXPECT_TRUE(Registered(kPickerHotkey));
        EXPECT_TRUE(Registered(kMenuHotkey));
        EXPECT_TRUE(Registered(kRegexHotkey));
        // And it comes back as it was.
        ASSERT_TRUE(app_.ShowPickerAt({300, 200}));
        EXPECT_EQ(app_.Picker().item, 1);
    }

    KorvatexApp app_;
};

TEST_F(HidingAndExitTest, EscOnlyHides) {
    ExpectOnlyHidden([] { PressKey(VK_ESCAPE); });
}

TEST_F(HidingAndExitTest, CancelOnlyHides) {
    ExpectOnlyHidden([&] { Click(CenterOf(app_.PickerControl(picker::kCancel))); });
}

TEST_F(HidingAndExitTest, CloseBoxOnlyHides) {
    ExpectOnlyHidden([&] {
        const auto closeBox = FindNonClientPart(app_.MainWindow(), HTCLOSE);
        ASSERT_TRUE(closeBox.has_value()) << FailureWithScreenshot("the picker has no close box");
        Click(*closeBox);
    });
}

TEST_F(HidingAndExitTest, ExitFromTheTrayMenuRemovesTheIconAndEnds) {
    ASSERT_TRUE(app_.ExitFromTray());
    EXPECT_TRUE(WaitUntil("the tray icon to go", [] { return !TrayShowsIcons(); }));
    EXPECT_FALSE(Registered(kPickerHotkey));
    EXPECT_FALSE(Registered(kMenuHotkey));
    EXPECT_FALSE(Registered(kRegexHotkey));
}

TEST_F(HidingAndExitTest, ExitWhileThePickerIsShownEndsToo) {
    ASSERT_TRUE(app_.ShowPickerAt({400, 300}));
    ASSERT_TRUE(app_.ExitFromTray());
    EXPECT_TRUE(WaitUntil("the tray icon to go", [] { return !TrayShowsIcons(); }));
}

} // namespace
} // namespace kvtx::e2e
