#pragma once

// The settings dialog on its template: the real controls, the start-up button routed to the
// dialog's logic, the button that opens the table of applications, and OK ending the dialog only
// with valid values.

#include "platform/profile.h"
#include "platform/win32/ui/dialog.h"
#include "platform/win32/ui/dialog_controls.h"
#include "platform/win32/ui/win32_message_box.h"
#include "settings/settings_dialog.h"

namespace kvtx::settings::win32 {

class SettingsWindow final : public kvtx::win32::ui::Dialog {
public:
    // frontApplication: the executable of the application the user was in, offered for an entry
    // of the table of applications, which the profile holds.
    SettingsWindow(platform::StartupShortcuts& shortcuts, platform::Profile& profile,
                   std::u16string frontApplication);

    SettingsDialog& Logic() { return logic_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    struct HotkeyItems {
        kvtx::win32::ui::CheckItem enabled, alt, ctrl, shift;
        kvtx::win32::ui::ComboBoxItem key;
        HotkeyControls Controls() { return {enabled, alt, ctrl, shift, key}; }
        void Attach(HWND dialog, int firstId);
    };

    HotkeyItems picker_, menu_, regex_, search_;
    kvtx::win32::ui::TextItem delay_;
    kvtx::win32::ui::CheckItem restoreClipboard_;
    kvtx::win32::ui::TextItem startup_;
    kvtx::win32::ui::Win32MessageBox messages_;
    platform::Profile& profile_;
    std::u16string frontApplication_;
    SettingsDialog logic_;
};

} // namespace kvtx::settings::win32
