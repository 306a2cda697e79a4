#pragma once

#include "tests/e2e/driver/input.h"

#include <windows.h>

namespace kvtx::e2e {

// The notification area as Wine shows it with no desktop shell: a small window of its own
// ("Wine System Tray") holding the icons in a row, shown while it holds at least one icon and
// hidden when the last one goes. A click on an icon there goes to the icon's owner as its
// callback message, exactly as a click in the Windows taskbar does.

HWND TrayWindow(); // nullptr when Wine has made none yet
bool TrayShowsIcons();
// Screen position of the middle of the icon at this position in the row.
POINT TrayIconPoint(int position);
void ClickTrayIcon(int position, MouseButton button);

// Removes an icon whose owner died without deleting it (a test that had to kill the program),
// so that the next scenario starts with an empty tray.
void RemoveTrayIcon(HWND owner, UINT id);

} // namespace kvtx::e2e
