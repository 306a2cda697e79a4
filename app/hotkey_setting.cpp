#include "app/hotkey_setting.h"

#include "platform/hotkeys.h"

#include <cstdint>

namespace kvtx::app {

unsigned HotkeyModifiers(const HotkeySetting& hotkey) {
    return (hotkey.ctrl != 0 ? platform::kModControl : 0) |
           (hotkey.alt != 0 ? platform::kModAlt : 0) |
           (hotkey.shift != 0 ? platform::kModShift : 0);
}

unsigned HotkeyVirtualKey(const HotkeySetting& hotkey) {
    // Wide arithmetic: a hand-edited profile may hold any int.
    return static_cast<unsigned>(std::int64_t{65} + hotkey.keyIndex);
}

int HotkeyId(const HotkeySetting& hotkey) {
    return static_cast<int>(HotkeyModifiers(hotkey) * 256 + (HotkeyVirtualKey(hotkey) & 0xFF));
}

} // namespace kvtx::app
