#include "app/resident_settings.h"

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

constexpr HotkeyKeys kPickerKeys{u"hotkey", u"hotctrl", u"hotalt", u"hotshift", u"hotkeynum"};
constexpr HotkeyKeys kMenuKeys{u"mhotkey", u"mhotctrl", u"mhotalt", u"mhotshift", u"mhotkeynum"};
constexpr HotkeyKeys kRegexKeys{u"shotkey", u"shotctrl", u"shotalt", u"shotshift", u"shotkeynum"};
constexpr HotkeyKeys kSearchKeys{u"fhotkey", u"fhotctrl", u"fhotalt", u"fhotshift", u"fhotkeynum"};
constexpr const char16_t* kTimeDelay = u"timedelay";
constexpr const char16_t* kRestoreClipboard = u"restoreclip";

void ReadHotkey(const platform::Profile& profile, const HotkeyKeys& keys, HotkeySetting& hotkey) {
    hotkey.enabled = profile.ReadInt(kSection, keys.enabled, hotkey.enabled);
    hotkey.ctrl = profile.ReadInt(kSection, keys.ctrl, hotkey.ctrl);
    hotkey.alt = profile.ReadInt(kSection, keys.alt, hotkey.alt);
    hotkey.shift = profile.ReadInt(kSection, keys.shift, hotkey.shift);
    hotkey.keyIndex = profile.ReadInt(kSection, keys.keyIndex, hotkey.keyIndex);
}

void WriteHotkey(platform::Profile& profile, const HotkeyKeys& keys, const HotkeySetting& hotkey) {
    profile.WriteInt(kSection, keys.enabled, hotkey.enabled);
    profile.WriteInt(kSection, keys.ctrl, hotkey.ctrl);
    profile.WriteInt(kSection, keys.alt, hotkey.alt);
    profile.WriteInt(kSection, keys.shift, hotkey.shift);
    profile.WriteInt(kSection, keys.keyIndex, hotkey.keyIndex);
}

} // namespace

ResidentSettings ReadSettings(const platform::Profile& profile) {
    ResidentSettings settings;
    ReadHotkey(profile, kPickerKeys, settings.picker);
    ReadHotkey(profile, kMenuKeys, settings.menu);
    ReadHotkey(profile, kRegexKeys, settings.regex);
    settings.timeDelay = profile.ReadInt(kSection, kTimeDelay, settings.timeDelay);
    ReadHotkey(profile, kSearchKeys, settings.search);
    settings.restoreClipboard =
        profile.ReadInt(kSection, kRestoreClipboard, settings.restoreClipboard);
    return settings;
}

void WriteSettings(platform::Profile& profile, const ResidentSettings& settings) {
    WriteHotkey(profile, kPickerKeys, settings.picker);
    WriteHotkey(profile, kMenuKeys, settings.menu);
    WriteHotkey(profile, kRegexKeys, settings.regex);
    profile.WriteInt(kSection, kTimeDelay, settings.timeDelay);
    WriteHotkey(profile, kSearchKeys, settings.search);
    profile.WriteInt(kSection, kRestoreClipboard, settings.restoreClipboard);
}

} // namespace kvtx::app
