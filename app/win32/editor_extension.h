#pragma once

#include "app/win32/resident_dialog_window.h"

namespace kvtx::app::win32 {

// The picker's Edit button: the phrase editor, run modally on the picker's data folder and its
// category and item as last exchanged. The picker reloads its store when the editor has closed.
void InstallEditorExtension(ResidentDialogWindow& resident);

} // namespace kvtx::app::win32
