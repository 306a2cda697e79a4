// Applications with keys of their own: a terminal that takes Ctrl+C as an interrupt and pastes
// with Shift+Insert, and Wine's console, which takes no paste keystroke, driven through the
// table of applications in the profile and its built-in entries.

#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/polling.h"
#include "tests/e2e/driver/registry.h"
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
