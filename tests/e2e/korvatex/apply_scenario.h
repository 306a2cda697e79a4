#pragma once

#include "tests/e2e/driver/target_app.h"
#include "tests/e2e/korvatex/korvatex_app.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace kvtx::e2e {

// The program and the test's target application side by side: the target holds the user's
// text and selection, the program is driven through its hotkeys.
class ApplyScenario : public testing::Test {
protected:
    void TearDown() override;

    // Starts korvatex.exe on this store, with these values in its profile, and the target
    // application.
    void Start(const std::vector<StoreCategory>& store,
               const std::map<std::u16string, DWORD>& profile = {});

    // The target shows this text with [start, end) selected (end -1: to the end) and has the
    // keyboard focus.
    void Prepare(const std::u16string& text, int start, int end);

    // Opens the category menu with its hotkey and presses these mnemonic letters, each once
    // the menu level it opens is shown.
    void ChooseFromMenu(const std::vector<WORD>& letters);

    // A dialog of the program with this caption, once it is shown as a modal dialog over the
    // program's main window; nullptr, and a failure, if not.
    HWND WaitForDialog(const std::u16string& caption);
    // Waits until none of the program's windows has this caption any more.
    testing::AssertionResult WaitUntilClosed(const std::u16string& caption);

    testing::AssertionResult TargetShows(const std::u16string& text);
    // "前猫3後" with "猫3" selected, the item with these letters applied to it, and the target
    // showing what it pasted.
    testing::AssertionResult ApplyToTheCat(const std::vector<WORD>& letters,
                                           const std::u16string& shown);
    // The clipboard holds this text again: the user's, put back.
    static testing::AssertionResult ClipboardBackTo(const std::u16string& users);

    std::unique_ptr<KorvatexApp> app_;
    std::optional<TargetApp> target_;
};

} // namespace kvtx::e2e
