#include "app/win32/extensions.h"

namespace kvtx::app::win32 {

// Each subsystem that lands sets its hook here, for example
//     resident.Logic().hooks.openEditor = [&resident] { ... };
// Until then its button, hotkey or command does nothing.
void InstallExtensions(ResidentDialogWindow&) {}

} // namespace kvtx::app::win32
