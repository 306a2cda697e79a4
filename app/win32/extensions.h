#pragma once

#include "app/win32/resident_dialog_window.h"

namespace kvtx::app::win32 {

// Plugs the other subsystems into the resident dialog (its ResidentHooks): the editor, the
// settings dialog, applying a phrase, the category menu and the quick regular expression.
// Called once, before the dialog runs; the hooks themselves run later, from its messages.
void InstallExtensions(ResidentDialogWindow& resident);

} // namespace kvtx::app::win32
