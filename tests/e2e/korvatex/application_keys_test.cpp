// Applications with keys of their own: a terminal that takes Ctrl+C as an interrupt and pastes
// with Shift+Insert, and Wine's console, which takes no paste keystroke, driven through the
// table of applications in the profile and its built-in entries.

#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/modal_dialogs.h"
#include "tests/e2e/driver/polling.h"
#include "tests/e2e/driver/registry.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/top_level_windows.h"
#include "tests/e2e/driver/waiting.h"
#include "tests/e2e/korvatex/apply_scenario.h"

#include <cstring>

namespace kvtx::e2e {
namespace {

constexpr char16_t kTyped[] = u"和😀①\r\nend";

std::vector<StoreCategory> KeysStore() {
    return {{u"端末",
             {TextItem(u"挨拶", u"こんにちは"), TextItem(u"入力", kTyped),
              ConversionItem(u"置換", {{0, u"a", u"b", {}}}),
              TextItem(u"コマンド", u"echo typed> C:\\korvatex-e2e\\typed.txt\r\n")}}};
}

// The test's target acting as a terminal: Ctrl+C types "^C", Ctrl+V "^V", Shift+Insert pastes.
class TerminalScenario : public ApplyScenario {
protected:
    void SetUp() override {
        Start(KeysStore());
        target_->ActAsTerminal(true);
    }
    void UseKeys(const std::u16string& keys) {
        WriteProfileString(u"apps", u"e2e_target.exe", keys);
    }
};

// With the usual keys a plain template sends no copy keystroke, so no interrupt: only its
// Ctrl+V shows, as the "^V" such a terminal makes of it.
TEST_F(TerminalScenario, APlainTemplateSendsNoInterrupt) {
    Prepare(u"$ ", 2, 2);
    ChooseFromMenu({'A', 'A'});
    EXPECT_TRUE(TargetShows(u"$ ^V"));
}

// "none shift+insert": the template is pasted with Shift+Insert, and a conversion works on the
// text the clipboard held, since such a terminal copies on select.
TEST_F(TerminalScenario, ShiftInsertPastesAndTheClipboardHoldsTheSelection) {
    UseKeys(u"none shift+insert");
    Prepare(u"$ ", 2, 2);
    ChooseFromMenu({'A', 'A'});
    EXPECT_TRUE(TargetShows(u"$ こんにちは"));
    ASSERT_TRUE(SetClipboardText(u"abc"));
    Prepare(u"$ ", 2, 2);
    ChooseFromMenu({'A', 'C'});
    EXPECT_TRUE(TargetShows(u"$ bbc"));
}

// "none type": Japanese text, an emoji, "①" and a line end arrive typed, and the clipboard keeps
// what it held.
TEST_F(TerminalScenario, TypedTextArrivesAndTheClipboardIsLeftAlone) {
    UseKeys(u"none type");
    ASSERT_TRUE(SetClipboardText(u"sentinel"));
    Prepare(u"$ ", 2, 2);
    ChooseFromMenu({'A', 'B'});
    EXPECT_TRUE(TargetShows(std::u16string(u"$ ") + kTyped));
    EXPECT_EQ(ClipboardText(), std::optional<std::u16string>(u"sentinel"));
}

// The settings dialog's "アプリ別のキー(&K)..." opens the table with the application the user was
// in ready for keys: typed in and set with Enter, they count for the next item at once.
TEST_F(TerminalScenario, TheSettingsGiveTheApplicationInFrontItsKeys) {
    ASSERT_TRUE(app_->ShowPickerAt({400, 300}));
    PressChord({VK_MENU, 'S'});
    HWND settings = WaitForDialog(u"設定");
    ASSERT_NE(settings, nullptr);
    PressChord({VK_MENU, 'K'});
    HWND table = app_->WaitForDialog(u"アプリケーションごとのキー");
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(ShowsAsModalOver(table, settings));
    HWND value = ChildById(table, 1046);
    EXPECT_EQ(ControlText(ChildById(table, 1045)), u"e2e_target.exe");
    ASSERT_TRUE(WaitUntil("the keyboard in the keys box", [&] { return HasKeyboardFocus(value); }));
    TypeText(u"none type");
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil("the entry in the profile", [] {
        return ReadProfileString(u"apps", u"e2e_target.exe") == std::u16string(u"none type");
    }));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(u"アプリケーションごとのキー"));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(u"設定"));
    ASSERT_TRUE(app_->HidePicker());
    Prepare(u"$ ", 2, 2);
    ChooseFromMenu({'A', 'A'});
    EXPECT_TRUE(TargetShows(u"$ こんにちは"));
}

// Wine's console, which Ctrl+C would end and which takes no paste keystroke: its built-in entry
// ("none type") types a command line that a template holds, and cmd runs it and goes on.
TEST_F(TerminalScenario, ACommandLineTypedIntoWinesConsoleRuns) {
    const std::u16string output = u"C:\\korvatex-e2e\\typed.txt";
    ::DeleteFileW(L"C:\\korvatex-e2e\\typed.txt");
    Process cmd = Process::Start(u"C:\\windows\\system32\\cmd.exe", u"", CREATE_NEW_CONSOLE);
    const auto console = WaitFor<HWND>("Wine's console window", [] {
        HWND window = FindTopLevelWindow({u"WineConsoleClass", std::nullopt, std::nullopt, true});
        return window ? std::optional(window) : std::nullopt;
    });
    ASSERT_TRUE(console && BringToForeground(*console));
    ChooseFromMenu({'A', 'D'});
    EXPECT_TRUE(WaitUntil("cmd to run the typed command", [&] {
        const auto bytes = ReadFileBytes(output);
        return bytes && bytes->size() >= 5 && std::memcmp(bytes->data(), "typed", 5) == 0;
    }));
    EXPECT_TRUE(cmd.Running());
    cmd.Terminate();
}

} // namespace
} // namespace kvtx::e2e
