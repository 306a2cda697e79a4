#pragma once

#include "app/win32/resident_dialog_window.h"

namespace kvtx::app::win32 {

// The picker's Settings button: the settings dialog, run modally with the resident dialog's
// values, which it gives back only when confirmed.
void InstallSettingsExtension(ResidentDialogWindow& resident);

} // namespace kvtx::app::win32
