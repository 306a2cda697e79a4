#pragma once

#include "settings/settings_dialog.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_message_box.h"
#include "tests/fakes/fake_startup_shortcuts.h"

#include <gtest/gtest.h>

namespace kvtx::testing {

// One hotkey's controls, with the letter combo holding "A" to "Z" as its template gives them.
struct FakeHotkeyControls {
    FakeHotkeyControls() {
        for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
            key.Add(std::u16string(1, letter));
        }
    }
    settings::HotkeyControls Controls() { return {enabled, alt, ctrl, shift, key}; }

    FakeCheck enabled, alt, ctrl, shift;
    FakeList key = FakeList::ComboBox();
};

class SettingsFixture : public ::testing::Test {
protected:
    FakeHotkeyControls picker, menu, regex, search;
    FakeText delay;
    FakeCheck restoreClipboard;
    FakeText startup;
    FakeMessageBox messages;
    FakeStartupShortcuts shortcuts;
    settings::SettingsDialog dialog{{picker.Controls(), menu.Controls(), regex.Controls(),
                                     search.Controls(), delay, restoreClipboard, startup},
                                    messages,
                                    shortcuts};
};

} // namespace kvtx::testing
