#include "app/win32/settings_extension.h"

#include "platform/win32/shell_startup_shortcuts.h"
#include "settings/win32/settings_window.h"

namespace kvtx::app::win32 {

void InstallSettingsExtension(ResidentDialogWindow& resident) {
    resident.Logic().hooks.runSettings = [&resident](ResidentSettings& settings) {
        kvtx::win32::ShellStartupShortcuts shortcuts;
        // Opened from the picker, in front of the application the user was in.
        const platform::Target front = resident.Foreground().LastApplication();
        settings::win32::SettingsWindow dialog(shortcuts, resident.Logic().Services().profile,
                                               front ? front->executable : std::u16string());
        dialog.Logic().SetValues(settings);
        // Owned by the main window, as a dialog without a parent is: the topmost picker can
        // neither cover it nor open a second one while it runs.
        if (dialog.RunModal(resident.Window()) != IDOK) {
            return false;
        }
        dialog.Logic().GetValues(settings);
        return true;
    };
}

} // namespace kvtx::app::win32
