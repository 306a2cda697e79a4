#pragma once

#include "app/hotkey_setting.h"
#include "platform/profile.h"

namespace kvtx::app {

// The sixteen values of the profile's section "setting", the search window's hotkey after them,
// and "restoreclip" beside them.
struct ResidentSettings {
    HotkeySetting picker{.ctrl = 1, .shift = 1, .alt = 0, .enabled = 1, .keyIndex = 3};
    HotkeySetting menu{.ctrl = 1, .shift = 1, .alt = 0, .enabled = 1, .keyIndex = 18};
    HotkeySetting regex{.ctrl = 1, .shift = 1, .alt = 0, .enabled = 1, .keyIndex = 0};
    // The search window's: "fhotkey", "fhotctrl", "fhotalt", "fhotshift", "fhotkeynum".
    HotkeySetting search{.ctrl = 1, .shift = 1, .alt = 0, .enabled = 1, .keyIndex = 5};
    // Milliseconds: the hide delay at start-up and the wait before a paste.
    int timeDelay = 150;
    // Not 0: the user's clipboard is put back after each paste.
    int restoreClipboard = 0;
};

// Missing values take the defaults above; values are used as read.
ResidentSettings ReadSettings(const platform::Profile& profile);
void WriteSettings(platform::Profile& profile, const ResidentSettings& settings);

} // namespace kvtx::app
