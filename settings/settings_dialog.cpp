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
    const HotkeyControls& picker = controls_.picker;
    const HotkeyControls& menu = controls_.menu;
    const HotkeyControls& regex = controls_.regex;
    exchange_.Check(picker.alt, m_hkPicker.alt);
    exchange_.Check(picker.ctrl, m_hkPicker.ctrl);
    exchange_.Check(picker.enabled, m_hkPicker.enabled);
    exchange_.Check(picker.shift, m_hkPicker.shift);
    exchange_.Check(menu.alt, m_hkMenu.alt);
    exchange_.Check(menu.ctrl, m_hkMenu.ctrl);
    exchange_.Check(menu.enabled, m_hkMenu.enabled);
    exchange_.Check(menu.shift, m_hkMenu.shift);
    exchange_.Selection(picker.key, m_hkPicker.keyIndex);
    exchange_.Selection(menu.key, m_hkMenu.keyIndex);
    exchange_.Integer(controls_.delay, m_nTimeDelay, kMinDelay, kMaxDelay);
    exchange_.Check(regex.alt, m_hkRegex.alt);
    exchange_.Check(regex.ctrl, m_hkRegex.ctrl);
    exchange_.Check(regex.enabled, m_hkRegex.enabled);
    exchange_.Check(regex.shift, m_hkRegex.shift);
    exchange_.Selection(regex.key, m_hkRegex.keyIndex);
    exchange_.Check(controls_.restoreClipboard, m_nRestoreClip);
    const HotkeyControls& search = controls_.search;
    exchange_.Check(search.alt, m_hkSearch.alt);
    exchange_.Check(search.ctrl, m_hkSearch.ctrl);
    exchange_.Check(search.enabled, m_hkSearch.enabled);
    exchange_.Check(search.shift, m_hkSearch.shift);
    exchange_.Selection(search.key, m_hkSearch.keyIndex);
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
