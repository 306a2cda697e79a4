// The dialog layer over the program's own templates, in this process: the entries templates give
// their list controls, the loop's keyboard hook, dropped commands of disabled controls, the
// owner's input, WM_QUIT.

#include "platform/win32/ui/dialog.h"
#include "platform/win32/ui/dialog_controls.h"
#include "res/resource_ids.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace kvtx::e2e {
namespace {

// A dialog whose start-up and key hook the test supplies.
class ScriptedDialog final : public win32::ui::Dialog {
public:
    using Dialog::HandleCommand;
    using Dialog::HandleMessage;
    explicit ScriptedDialog(int templateId) : Dialog(templateId) {}

    std::function<void(ScriptedDialog&)> onInit;
    std::vector<WPARAM> keysSeen;
    bool consumeKeys = false;

protected:
    bool OnInitDialog() override {
        if (onInit) {
            onInit(*this);
        }
        return true;
    }
    bool PreTranslateMessage(const MSG& message) override {
        if (message.message == WM_KEYDOWN) {
            keysSeen.push_back(message.wParam);
            return consumeKeys;
        }
        return false;
    }
};

std::vector<std::u16string> ComboEntries(HWND dialog, int id) {
    win32::ui::ComboBoxItem combo;
    combo.Attach(dialog, id);
    std::vector<std::u16string> entries;
    for (int i = 0; i < combo.Count(); ++i) {
        entries.push_back(combo.ItemText(i));
    }
    return entries;
}

TEST(DialogLayer, TemplatesGiveTheirListsTheirEntries) {
    std::vector<std::u16string> letters, kinds, stepKinds;
    ScriptedDialog settings(IDD_SETTINGS);
    settings.onInit = [&](ScriptedDialog& dialog) {
        letters = ComboEntries(dialog.Window(), IDC_SETTINGS_REGEX_KEY);
        dialog.End(IDOK);
    };
    EXPECT_EQ(settings.RunModal(), IDOK);
    ASSERT_EQ(letters.size(), 26u);
    EXPECT_EQ(letters.front(), u"A");
    EXPECT_EQ(letters.back(), u"Z");

    ScriptedDialog editor(IDD_EDITOR);
    editor.onInit = [&](ScriptedDialog& dialog) {
        kinds = ComboEntries(dialog.Window(), IDC_EDITOR_KIND);
        stepKinds = ComboEntries(dialog.Window(), IDC_EDITOR_STEP_KIND);
        dialog.End(IDCANCEL);
    };
    EXPECT_EQ(editor.RunModal(), IDCANCEL);
    EXPECT_EQ(kinds, (std::vector<std::u16string>{u"テキスト挿入", u"テキスト変換"}));
    EXPECT_EQ(stepKinds, (std::vector<std::u16string>{u"単純置換（AをBに）", u"正規表現（s/A/B/）",
                                                      u"区間置換え（AからBの間をCに）"}));
}

TEST(DialogLayer, KeysReachTheHookBeforeTheFocusedControl) {
    ScriptedDialog name(IDD_NAME);
    name.consumeKeys = true;
    std::u16string typed = u"unset";
    name.onInit = [&](ScriptedDialog& dialog) {
        HWND edit = dialog.Item(IDC_NAME_TEXT);
        ::PostMessageW(edit, WM_KEYDOWN, 'X', 0);
        ::PostMessageW(edit, WM_CHAR, 'y', 0);
        // Posted last, so it runs once the keys have been through the loop.
        ::PostMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    name.HandleCommand(IDCANCEL, BN_CLICKED, [&] {
        win32::ui::TextItem edit;
        edit.Attach(name.Window(), IDC_NAME_TEXT);
        typed = edit.Text();
        name.End(IDCANCEL);
    });
    EXPECT_EQ(name.RunModal(), IDCANCEL);
    EXPECT_EQ(name.keysSeen, (std::vector<WPARAM>{'X'}));
    EXPECT_EQ(typed, u"y") << "the consumed key down never reached the edit, the character did";
}

TEST(DialogLayer, CommandsOfDisabledControlsAreDroppedAndTheOwnerIsGivenBack) {
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    bool ownerEnabledWhileRunning = true;
    ScriptedDialog input(IDD_INPUT);
    input.onInit = [&](ScriptedDialog& dialog) {
        HWND ok = dialog.Item(IDOK);
        ::EnableWindow(ok, FALSE);
        ::PostMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(ok));
        ::PostMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    input.HandleCommand(IDCANCEL, BN_CLICKED, [&] {
        ownerEnabledWhileRunning = ::IsWindowEnabled(owner) != FALSE;
        input.End(IDCANCEL);
    });
    EXPECT_EQ(input.RunModal(owner), IDCANCEL) << "the disabled OK button did nothing";
    EXPECT_FALSE(ownerEnabledWhileRunning);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    ::DestroyWindow(owner);
}

// The resident window shows itself minimized at start-up and its timer hides it; if the timer
// comes before the queue first runs empty, the loop must not show the hidden window normally.
TEST(DialogLayer, AWindowItsStartUpShowedIsNotShownByTheLoop) {
    constexpr WPARAM kHide = 41;
    ScriptedDialog about(IDD_ABOUTBOX);
    bool visibleLater = true;
    about.onInit = [&](ScriptedDialog& dialog) {
        ::ShowWindow(dialog.Window(), SW_MINIMIZE);
        ::PostMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(kHide, BN_CLICKED), 0);
        ::SetTimer(dialog.Window(), 1, 100, nullptr);
    };
    about.HandleCommand(kHide, BN_CLICKED, [&] { ::ShowWindow(about.Window(), SW_HIDE); });
    about.HandleMessage(WM_TIMER, [&](WPARAM, LPARAM) -> std::optional<LRESULT> {
        ::KillTimer(about.Window(), 1);
        visibleLater = ::IsWindowVisible(about.Window()) != FALSE;
        about.End(IDOK);
        return 0;
    });
    EXPECT_EQ(about.RunModal(), IDOK);
    EXPECT_FALSE(visibleLater);
}

TEST(DialogLayer, QuitEndsTheLoopAndIsPostedAgainForTheLoopOutside) {
    ScriptedDialog about(IDD_ABOUTBOX);
    about.onInit = [](ScriptedDialog&) { ::PostQuitMessage(7); };
    EXPECT_EQ(about.RunModal(), -1) << "ended by WM_QUIT, not by End";
    MSG message{};
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

} // namespace
} // namespace kvtx::e2e
