#include "settings/settings_dialog.h"

#include "settings/program_path_match.h"

namespace kvtx::settings {
namespace {

void CopyHotkeyValues(const app::HotkeySetting& from, app::HotkeySetting& to) {
    to.ctrl = from.ctrl;
    to.shift = from.shift;
    to.alt = from.alt;
    to.enabled = from.enabled;
    to.keyIndex = from.keyIndex;
}

} // namespace

SettingsDialog::SettingsDialog(const SettingsControls& controls, platform::MessageBox& messages,
                               platform::StartupShortcuts& shortcuts)
    : controls_(controls), messages_(messages), shortcuts_(shortcuts), exchange_(messages) {
    // The delay is checked in the middle, so a refused delay stops before the regex hotkey.
    BindChecks(controls_.picker, m_hkPicker);
    BindChecks(controls_.menu, m_hkMenu);
    exchange_.Selection(controls_.picker.key, m_hkPicker.keyIndex);
    exchange_.Selection(controls_.menu.key, m_hkMenu.keyIndex);
    exchange_.Integer(controls_.delay, m_nTimeDelay, kMinDelay, kMaxDelay);
    BindChecks(controls_.regex, m_hkRegex);
    exchange_.Selection(controls_.regex.key, m_hkRegex.keyIndex);
    exchange_.Check(controls_.restoreClipboard, m_nRestoreClip);
    BindChecks(controls_.search, m_hkSearch);
    exchange_.Selection(controls_.search.key, m_hkSearch.keyIndex);
}

void SettingsDialog::BindChecks(const HotkeyControls& controls, app::HotkeySetting& hotkey) {
    exchange_.Check(controls.alt, hotkey.alt);
    exchange_.Check(controls.ctrl, hotkey.ctrl);
    exchange_.Check(controls.enabled, hotkey.enabled);
    exchange_.Check(controls.shift, hotkey.shift);
}

void SettingsDialog::SetValues(const app::ResidentSettings& settings) {
    CopyHotkeyValues(settings.picker, m_hkPicker);
    CopyHotkeyValues(settings.menu, m_hkMenu);
    CopyHotkeyValues(settings.regex, m_hkRegex);
    CopyHotkeyValues(settings.search, m_hkSearch);
    m_nTimeDelay = settings.timeDelay;
    m_nRestoreClip = settings.restoreClipboard;
}

void SettingsDialog::GetValues(app::ResidentSettings& settings) const {
    CopyHotkeyValues(m_hkPicker, settings.picker);
    CopyHotkeyValues(m_hkMenu, settings.menu);
    CopyHotkeyValues(m_hkRegex, settings.regex);
    CopyHotkeyValues(m_hkSearch, settings.search);
    settings.timeDelay = m_nTimeDelay;
    settings.restoreClipboard = m_nRestoreClip;
}

void SettingsDialog::OnInitDialog() {
    exchange_.ShowInControls();
    m_strModulePath = shortcuts_.ProgramPath();
    m_strModulePathUpper = UpperCasePath(m_strModulePath);
    UpdateStartupButton();
}

bool SettingsDialog::OnOK() {
    return exchange_.TakeFromControls();
}

void SettingsDialog::ToggleStartup() {
    if (IsStartupRegistered()) {
        RemoveStartupShortcut();
    } else {
        CreateStartupShortcut();
    }
    // Looks at the folder again, so the caption tells what is there, also after a failure.
    UpdateStartupButton();
}

void SettingsDialog::UpdateStartupButton() {
    controls_.startup.SetText(IsStartupRegistered() ? u"スタートアップから解除"
                                                    : u"スタートアップに登録");
}

} // namespace kvtx::settings
