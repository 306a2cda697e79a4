#include "tests/e2e/korvatex/apply_scenario.h"

#include "platform/utf.h"
#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/modal_dialogs.h"
#include "tests/e2e/driver/registry.h"
#include "tests/e2e/driver/top_level_windows.h"
#include "tests/e2e/driver/tray.h"
#include "tests/e2e/driver/waiting.h"

namespace kvtx::e2e {

void ApplyScenario::Start(const std::vector<StoreCategory>& store,
                          const std::map<std::u16string, DWORD>& profile) {
    ASSERT_FALSE(TrayShowsIcons()) << "an icon of an earlier scenario is still in the tray";
    app_ = std::make_unique<KorvatexApp>(store);
    for (const auto& [name, value] : profile) {
        WriteProfileValue(u"setting", name, value);
    }
    app_->Start();
    ASSERT_TRUE(app_->WaitUntilHidden());
    target_.emplace(TargetApp::Start());
}

void ApplyScenario::TearDown() {
    if (app_ && app_->Instance().Running()) {
        EXPECT_TRUE(app_->ExitFromTray());
    }
}

void ApplyScenario::Prepare(const std::u16string& text, int start, int end) {
    target_->SetText(text);
    target_->Select(start, end);
    ASSERT_TRUE(target_->Focus()) << "the target application did not get the keyboard focus";
}

void ApplyScenario::ChooseFromMenu(const std::vector<WORD>& letters) {
    MoveMouse({300, 200});
    PressHotkey(kMenuHotkey);
    for (std::size_t level = 0; level < letters.size(); ++level) {
        ASSERT_TRUE(WaitUntil("menu level " + std::to_string(level + 1) + " of the category menu",
                              [&] { return app_->MenuTakesKeys(level + 1); }));
        PressKey(letters[level]);
    }
}

HWND ApplyScenario::WaitForDialog(const std::u16string& caption) {
    HWND dialog = app_->WaitForDialog(caption);
    if (dialog == nullptr) {
        return nullptr;
    }
    // The program's hidden window owns the quick tool's and the prompt's dialogs.
    const auto modal = ShowsAsModalOver(dialog, app_->MainWindow());
    EXPECT_TRUE(modal);
    return modal ? dialog : nullptr;
}

testing::AssertionResult ApplyScenario::WaitUntilClosed(const std::u16string& caption) {
    const DWORD id = app_->Instance().Id();
    return WaitUntil("the dialog \"" + platform::Utf16ToUtf8(caption) + "\" to close", [&] {
        return FindTopLevelWindow({u"#32770", caption, id, true}) == nullptr;
    });
}

testing::AssertionResult ApplyScenario::TargetShows(const std::u16string& text) {
    testing::AssertionResult shown =
        WaitUntil("the target to show \"" + platform::Utf16ToUtf8(text) + "\"",
                  [&] { return target_->Text() == text; });
    if (!shown) {
        shown << "; it shows \"" << platform::Utf16ToUtf8(target_->Text()) << "\"";
    }
    return shown;
}

testing::AssertionResult ApplyScenario::ApplyToTheCat(const std::vector<WORD>& letters,
                                                      const std::u16string& shown) {
    Prepare(u"前猫3後", 1, 3);
    ChooseFromMenu(letters);
    return TargetShows(shown);
}

testing::AssertionResult ApplyScenario::ClipboardBackTo(const std::u16string& users) {
    return WaitUntil("the user's clipboard back", [&] { return ClipboardText() == users; });
}

} // namespace kvtx::e2e
