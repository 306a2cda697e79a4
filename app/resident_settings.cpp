#include "app/resident_settings.h"

#include <array>
#include <string>

namespace kvtx::app {
namespace {

const std::u16string kSection = u"setting";

// The profile's keys of one hotkey, in the order they are read and written.
struct HotkeyKeys {
    const char16_t* enabled;
    const char16_t* ctrl;
    const char16_t* alt;
    const char16_t* shift;
    const char16_t* keyIndex;
};

constexpr std::array<HotkeyKeys, 3> kHotkeyKeys{{
    {u"hotkey", u"hotctrl", u"hotalt", u"hotshift", u"hotkeynum"},
    {u"mhotkey", u"mhotctrl", u"mhotalt", u"mhotshift", u"mhotkeynum"},
    {u"shotkey", u"shotctrl", u"shotalt", u"shotshift", u"shotkeynum"},
}};
constexpr const char16_t* kTimeDelay = u"timedelay";
constexpr const char16_t* kRestoreClipboard = u"restoreclip";

std::array<HotkeySetting*, 3> Hotkeys(ResidentSettings& settings) {
    return {&settings.picker, &settings.menu, &settings.regex};
}

} // namespace

ResidentSettings ReadSettings(const platform::Profile& profile) {
    ResidentSettings settings;
    const auto hotkeys = Hotkeys(settings);
    for (std::size_t i = 0; i < hotkeys.size(); ++i) {
        HotkeySetting& hotkey = *hotkeys[i];
        const HotkeyKeys& keys = kHotkeyKeys[i];
        hotkey.enabled = profile.ReadInt(kSection, keys.enabled, hotkey.enabled);
        hotkey.ctrl = profile.ReadInt(kSection, keys.ctrl, hotkey.ctrl);
        hotkey.alt = profile.ReadInt(kSection, keys.alt, hotkey.alt);
        hotkey.shift = profile.ReadInt(kSection, keys.shift, hotkey.shift);
        hotkey.keyIndex = profile.ReadInt(kSection, keys.keyIndex, hotkey.keyIndex);
    }
    settings.timeDelay = profile.ReadInt(kSection, kTimeDelay, settings.timeDelay);
    settings.restoreClipboard =
        profile.ReadInt(kSection, kRestoreClipboard, settings.restoreClipboard);
    return settings;
}

void WriteSettings(platform::Profile& profile, const ResidentSettings& settings) {
    ResidentSettings copy = settings;
    const auto hotkeys = Hotkeys(copy);
    for (std::size_t i = 0; i < hotkeys.size(); ++i) {
        const HotkeySetting& hotkey = *hotkeys[i];
        const HotkeyKeys& keys = kHotkeyKeys[i];
        profile.WriteInt(kSection, keys.enabled, hotkey.enabled);
        profile.WriteInt(kSection, keys.ctrl, hotkey.ctrl);
        profile.WriteInt(kSection, keys.alt, hotkey.alt);
        profile.WriteInt(kSection, keys.shift, hotkey.shift);
        profile.WriteInt(kSection, keys.keyIndex, hotkey.keyIndex);
    }
    profile.WriteInt(kSection, kTimeDelay, settings.timeDelay);
    profile.WriteInt(kSection, kRestoreClipboard, settings.restoreClipboard);
}

} // namespace kvtx::app
