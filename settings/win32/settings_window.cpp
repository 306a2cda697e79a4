#include "settings/win32/settings_window.h"

#include "res/resource_ids.h"
#include "settings/win32/application_keys_window.h"

namespace kvtx::settings::win32 {

// Each hotkey's controls have consecutive ids: enable box, Alt, Control, Shift, letter combo.
static_assert(IDC_SETTINGS_PICKER_KEY == IDC_SETTINGS_PICKER_ENABLED + 4);
static_assert(IDC_SETTINGS_MENU_KEY == IDC_SETTINGS_MENU_ENABLED + 4);
static_assert(IDC_SETTINGS_REGEX_KEY == IDC_SETTINGS_REGEX_ENABLED + 4);
static_assert(IDC_SETTINGS_SEARCH_KEY == IDC_SETTINGS_SEARCH_ENABLED + 4);

void SettingsWindow::HotkeyItems::Attach(HWND dialog, int firstId) {
    enabled.Attach(dialog, firstId);
    alt.Attach(dialog, firstId + 1);
    ctrl.Attach(dialog, firstId + 2);
    shift.Attach(dialog, firstId + 3);
    key.Attach(dialog, firstId + 4);
}

SettingsWindow::SettingsWindow(platform::StartupShortcuts& shortcuts, platform::Profile& profile,
                               std::u16string frontApplication)
    : Dialog(IDD_SETTINGS), profile_(profile), frontApplication_(std::move(frontApplication)),
      logic_({picker_.Controls(), menu_.Controls(), regex_.Controls(), search_.Controls(), delay_,
              restoreClipboard_, startup_},
             messages_, shortcuts) {
    HandleCommand(IDC_SETTINGS_STARTUP, BN_CLICKED, [this] { logic_.ToggleStartup(); });
    // Its entries are written at once, whether this dialog is then confirmed or cancelled.
    HandleCommand(IDC_SETTINGS_APPLICATION_KEYS, BN_CLICKED, [this] {
        ApplicationKeysWindow table(profile_, frontApplication_);
        table.RunModal(Window());
    });
}

bool SettingsWindow::OnInitDialog() {
    messages_.SetOwner(Window());
    picker_.Attach(Window(), IDC_SETTINGS_PICKER_ENABLED);
    menu_.Attach(Window(), IDC_SETTINGS_MENU_ENABLED);
    regex_.Attach(Window(), IDC_SETTINGS_REGEX_ENABLED);
    search_.Attach(Window(), IDC_SETTINGS_SEARCH_ENABLED);
    delay_.Attach(Window(), IDC_SETTINGS_DELAY);
    restoreClipboard_.Attach(Window(), IDC_SETTINGS_RESTORE_CLIPBOARD);
    startup_.Attach(Window(), IDC_SETTINGS_STARTUP);
    logic_.OnInitDialog();
    return true;
}

void SettingsWindow::OnOK() {
    if (logic_.OnOK()) {
        End(IDOK);
    }
}

} // namespace kvtx::settings::win32
