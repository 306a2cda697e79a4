#pragma once

#include "platform/screen.h"

#include <windows.h>

namespace kvtx::win32::ui {

// Where the window's top left corner goes to stand as near `wanted` as it can while the whole
// window stays inside the work area of the monitor under `cursor`.
platform::ScreenPoint PlacementNear(HWND window, platform::ScreenPoint wanted,
                                    platform::ScreenPoint cursor);
// Moves the window there for the mouse cursor as it stands now, its corner at the cursor.
void PlaceAtCursor(HWND window);

} // namespace kvtx::win32::ui
