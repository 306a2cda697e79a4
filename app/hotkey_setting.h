#pragma once

namespace kvtx::app {

// One global hotkey: the letter 'A' + keyIndex with any of Ctrl, Shift and Alt.
struct HotkeySetting {
    int ctrl = 0;
    int shift = 0;
    int alt = 0;
    int enabled = 0;
    int keyIndex = 0;
    // The id it was last registered under; meaningful only while enabled.
    int id = 0;

    bool operator==(const HotkeySetting&) const = default;
};

unsigned HotkeyModifiers(const HotkeySetting& hotkey);
// 65 + keyIndex, whatever keyIndex holds.
unsigned HotkeyVirtualKey(const HotkeySetting& hotkey);
// modifiers × 256 + the key's low byte: equal combinations give equal ids.
int HotkeyId(const HotkeySetting& hotkey);

} // namespace kvtx::app
