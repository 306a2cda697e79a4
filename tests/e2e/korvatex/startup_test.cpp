// Start-up of the resident program: one instance per session, the tray icon, the three default
// hotkeys, and the window that hides itself.

#include "tests/e2e/driver/hotkeys.h"
#include "tests/e2e/driver/registry.h"
#include "tests/e2e/driver/top_level_windows.h"
#include "tests/e2e/driver/tray.h"
#include "tests/e2e/driver/waiting.h"
#include "tests/e2e/korvatex/korvatex_app.h"

#include <gtest/gtest.h>

namespace kvtx::e2e {
namespace {

bool Registered(const Hotkey& hotkey) {
    return HotkeyTakenElsewhere(hotkey.modifiers, hotkey.key);
}

class StartupTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(TrayShowsIcons()) << "an icon of an earlier scenario is still in the tray";
    }
};

TEST_F(StartupTest, FirstStartAddsTheIconRegistersTheHotkeysAndHides) {
    KorvatexApp app;
    app.Start();
    HWND window = app.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    // Watch the window until it has hidden itself: it may be seen minimized, never normal. The
    // list is read before the state, as in WaitUntilHidden.
    bool seenNormal = false;
    EXPECT_TRUE(WaitUntil("the main dialog to hide itself after start-up", [&] {
        const bool filled = !app.Picker().categories.empty();
        const WindowState state = StateOf(window);
        seenNormal = seenNormal || (state.visible && !state.minimized);
        return filled && !state.visible && state.minimized;
    }));
    EXPECT_FALSE(seenNormal) << "the main dialog was shown in its normal state during start-up";

    EXPECT_TRUE(WaitUntil("the tray icon", [] { return TrayShowsIcons(); }));
    EXPECT_TRUE(Registered(kPickerHotkey)) << "Ctrl+Shift+D";
    EXPECT_TRUE(Registered(kMenuHotkey)) << "Ctrl+Shift+S";
    EXPECT_TRUE(Registered(kRegexHotkey)) << "Ctrl+Shift+A";

    const WindowState state = StateOf(window);
    EXPECT_TRUE(state.topmost);
    EXPECT_TRUE(state.toolWindow);
    EXPECT_FALSE(state.appWindow) << "the window must have no taskbar button";
    EXPECT_TRUE(app.Instance().Running());
    ASSERT_TRUE(app.ExitFromTray());
}

TEST_F(StartupTest, WindowStaysMinimizedForTheProfilesDelayThenHides) {
    KorvatexApp app;
    WriteProfileValue(u"setting", u"timedelay", 2000);
    app.Start();
    HWND window = app.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil("the main dialog visible and minimized", [&] {
        const WindowState state = StateOf(window);
        return state.visible && state.minimized;
    }));
    EXPECT_TRUE(app.WaitUntilHidden());
    ASSERT_TRUE(app.ExitFromTray());
}

TEST_F(StartupTest, HotkeyLettersComeFromTheProfile) {
    KorvatexApp app;
    WriteProfileValue(u"setting", u"hotkeynum", 6);  // G
    WriteProfileValue(u"setting", u"shotkey", 0);    // regex hotkey off
    WriteProfileValue(u"setting", u"fhotkeynum", 7); // the search on H
    app.Start();
    ASSERT_TRUE(app.WaitUntilHidden());
    EXPECT_TRUE(Registered({MOD_CONTROL | MOD_SHIFT, 'G'}));
    EXPECT_TRUE(Registered({MOD_CONTROL | MOD_SHIFT, 'H'}));
    EXPECT_FALSE(Registered(kSearchHotkey));
    EXPECT_FALSE(Registered(kPickerHotkey));
    EXPECT_TRUE(Registered(kMenuHotkey));
    EXPECT_FALSE(Registered(kRegexHotkey));
    ASSERT_TRUE(app.ExitFromTray());
}

TEST_F(StartupTest, SecondStartEndsSilentlyWhileTheFirstRuns) {
    KorvatexApp app;
    app.Start();
    ASSERT_TRUE(app.WaitUntilHidden());
    Process& second = app.Start();
    bool secondShowedAWindow = false;
    ASSERT_TRUE(WaitUntil("the second instance to end", [&] {
        secondShowedAWindow = secondShowedAWindow ||
                              !FindTopLevelWindows({{}, std::nullopt, second.Id(), true}).empty();
        return !second.Running();
    }));
    EXPECT_FALSE(secondShowedAWindow);
    // The first instance is unchanged: running, hidden, with its icon and hotkeys.
    EXPECT_TRUE(app.Instance().Running());
    EXPECT_FALSE(::IsWindowVisible(app.MainWindow()));
    EXPECT_TRUE(TrayShowsIcons());
    EXPECT_TRUE(Registered(kPickerHotkey));
    EXPECT_TRUE(app.ShowPickerAt({400, 300}));
    ASSERT_TRUE(app.ExitFromTray());
}

TEST_F(StartupTest, StartAfterExitSucceeds) {
    KorvatexApp app;
    app.Start();
    ASSERT_TRUE(app.WaitUntilHidden());
    ASSERT_TRUE(app.ExitFromTray());

    KorvatexApp again;
    again.Start();
    ASSERT_TRUE(again.WaitUntilHidden());
    EXPECT_TRUE(WaitUntil("the tray icon of the new instance", [] { return TrayShowsIcons(); }));
    EXPECT_TRUE(Registered(kPickerHotkey));
    EXPECT_TRUE(again.ShowPickerAt({400, 300}));
    ASSERT_TRUE(again.ExitFromTray());
}

} // namespace
} // namespace kvtx::e2e
