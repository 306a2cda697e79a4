// The four global hotkeys of the resident window: registration, dispatch, and the settings
// dialog that changes them.

#include "app/resident_dialog.h"

#include <array>
#include <string>

namespace kvtx::app {
namespace {

std::u16string Decimal(std::uint32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

void ResidentDialog::RegisterHotkeys() {
    for (HotkeySetting* hotkey : {&m_hkPicker, &m_hkMenu, &m_hkRegex, &m_hkSearch}) {
        if (hotkey->enabled == 0) {
            continue;
        }
        hotkey->id = HotkeyId(*hotkey);
        const auto error = services_.hotkeys.Register(hotkey->id, HotkeyModifiers(*hotkey),
                                                      HotkeyVirtualKey(*hotkey));
        if (error) {
            services_.messages.Show(u"ホットキーの登録に失敗しました\n" + Decimal(*error) + u"," +
                                    services_.hotkeys.ErrorText(*error));
        }
    }
}

void ResidentDialog::UnregisterHotkeys() {
    // The ids come from the current fields, so this must run before they change.
    for (const HotkeySetting* hotkey : {&m_hkPicker, &m_hkMenu, &m_hkRegex, &m_hkSearch}) {
        if (hotkey->enabled != 0) {
            services_.hotkeys.Unregister(HotkeyId(*hotkey));
        }
    }
}

void ResidentDialog::OnHotkey(std::uintptr_t id) {
    const auto matches = [id](const HotkeySetting& hotkey) {
        return hotkey.enabled != 0 && static_cast<std::uintptr_t>(hotkey.id) == id;
    };
    if (matches(m_hkPicker)) {
        OnTrayNotify(WM_TRAYNOTIFY, 0, 514);
        return;
    }
    // The user's application is the foreground window now, before anything of the program's
    // takes its place.
    const platform::Target target = services_.foreground.Application();
    // The menu and the search window list the categories of the index in memory.
    if (matches(m_hkMenu) || matches(m_hkSearch)) {
        RefreshStoreIfChanged();
    }
    if (matches(m_hkMenu)) {
        shownInMenu_ = std::make_unique<IndexImage>(store_.Index());
        if (hooks.showCategoryMenu) {
            hooks.showCategoryMenu(services_.screen.CursorPosition(), target);
        }
    } else if (matches(m_hkRegex)) {
        if (hooks.runQuickRegex) {
            hooks.runQuickRegex(target);
        }
    } else if (matches(m_hkSearch)) {
        if (hooks.showSearch) {
            hooks.showSearch(services_.screen.CursorPosition(), target);
        }
    }
}

ResidentSettings ResidentDialog::CurrentSettings() const {
    return {.picker = m_hkPicker,
            .menu = m_hkMenu,
            .regex = m_hkRegex,
            .search = m_hkSearch,
            .timeDelay = m_nTimeDelay,
            .restoreClipboard = m_nRestoreClip};
}

void ResidentDialog::ApplySettings(const ResidentSettings& settings) {
    m_hkPicker = settings.picker;
    m_hkMenu = settings.menu;
    m_hkRegex = settings.regex;
    m_hkSearch = settings.search;
    m_nTimeDelay = settings.timeDelay;
    m_nRestoreClip = settings.restoreClipboard;
}

void ResidentDialog::OnSettingsButton() {
    if (!hooks.runSettings) {
        return;
    }
    // No hotkey is registered while the dialog is open.
    UnregisterHotkeys();
    ResidentSettings settings = CurrentSettings();
    if (hooks.runSettings(settings)) {
        ApplySettings(settings);
        WriteSettings(services_.profile, settings);
    }
    RegisterHotkeys();
}

} // namespace kvtx::app
