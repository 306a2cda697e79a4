#pragma once

#include "app/win32/resident_dialog_window.h"

namespace kvtx::app::win32 {

// Applying phrases, the category menu, the search window, the quick regular-expression tool and
// the paste timer, plugged into the resident dialog's hooks. What they need is made at their
// first use, once the dialog's window exists, and lives as long as the hooks.
void InstallApplyExtension(ResidentDialogWindow& resident);

} // namespace kvtx::app::win32
