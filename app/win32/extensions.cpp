#include "app/win32/extensions.h"

#include "app/win32/apply_extension.h"
#include "app/win32/editor_extension.h"
#include "app/win32/settings_extension.h"

namespace kvtx::app::win32 {

// Each subsystem that lands sets its hook here, for example
//     resident.Logic().hooks.openEditor = [&resident] { ... };
// Until then its button, hotkey or command does nothing.
void InstallExtensions(ResidentDialogWindow& resident) {
    InstallApplyExtension(resident);
    InstallEditorExtension(resident);
    InstallSettingsExtension(resident);
}

} // namespace kvtx::app::win32
