#pragma once

#include "app/hotkey_setting.h"
#include "app/resident_settings.h"
#include "platform/message_box.h"
#include "platform/startup_shortcuts.h"
#include "platform/ui/data_exchange.h"

#include <optional>
#include <string>

namespace kvtx::settings {

// The controls of one hotkey: its enable box, the three modifier boxes and the letter combo.
struct HotkeyControls {
    ui::CheckControl& enabled;
    ui::CheckControl& alt;
    ui::CheckControl& ctrl;
    ui::CheckControl& shift;
    ui::ListControl& key;
};

struct SettingsControls {
    HotkeyControls picker;
    HotkeyControls menu;
    HotkeyControls regex;
    HotkeyControls search;
    ui::TextControl& delay;
    ui::CheckControl& restoreClipboard;
    // The start-up button, whose caption says what a click will do.
    ui::TextControl& startup;
};

// The "設定" dialog: the four hotkeys, the copy/paste delay and whether the user's clipboard
// comes back after a paste, as members that the opener fills and reads back after OK, and the
// start-up shortcut, which the button changes at once.
class SettingsDialog {
public:
    static constexpr int kTemplateId = 134;
    static constexpr int kMinDelay = 100;
    static constexpr int kMaxDelay = 2000;
    static constexpr char16_t kShortcutName[] = u"Korvatex.lnk";
    static constexpr char16_t kShortcutDescription[] = u"定型文管理";

    SettingsDialog(const SettingsControls& controls, platform::MessageBox& messages,
                   platform::StartupShortcuts& shortcuts);

    // The opener's values in, and back out after OK; the registered ids are not the dialog's.
    void SetValues(const app::ResidentSettings& settings);
    void GetValues(app::ResidentSettings& settings) const;

    // Shows the members and the shortcut's state.
    void OnInitDialog();
    // True when every value is valid and the dialog ends with OK; a delay outside 100..2000
    // keeps it open with its message and the focus in the box.
    bool OnOK();
    // The start-up button: removes the shortcut when there is one, else creates it.
    void ToggleStartup();

    std::optional<std::u16string> GetStartupFolder() const;
    bool ShortcutTargetsProgram(const std::u16string& path) const;
    bool IsStartupRegistered() const;
    void CreateStartupShortcut();
    void RemoveStartupShortcut();
    void UpdateStartupButton();

    app::HotkeySetting m_hkPicker{.keyIndex = -1};
    app::HotkeySetting m_hkMenu{.keyIndex = -1};
    app::HotkeySetting m_hkRegex{.keyIndex = -1};
    app::HotkeySetting m_hkSearch{.keyIndex = -1};
    int m_nTimeDelay = 0;
    int m_nRestoreClip = 0;
    std::u16string m_strModulePath;
    std::u16string m_strModulePathUpper;

private:
    // A hotkey's Alt, Control, enable and Shift boxes, in that order.
    void BindChecks(const HotkeyControls& controls, app::HotkeySetting& hotkey);
    // The first link in the start-up folder that points to this program.
    std::optional<std::u16string> FindProgramShortcut() const;

    SettingsControls controls_;
    platform::MessageBox& messages_;
    platform::StartupShortcuts& shortcuts_;
    ui::DataExchange exchange_;
};

} // namespace kvtx::settings
