#pragma once

#include "platform/screen.h"
#include "platform/tray_icon.h"

#include <functional>

namespace kvtx::app {

// Adds the icon. A shell that times out gets ten more tries, 2 s apart, each a modify and then
// an add; after that the program runs on without an icon. False when the shell refused it
// outright, which ends the program.
bool AddTrayIcon(platform::TrayIcon& tray, const std::function<void(unsigned)>& sleep);

// Where the picker opens for a cursor position: a little up and left of it, wholly inside the
// work area of the cursor's monitor.
platform::ScreenPoint PickerPosition(platform::ScreenPoint cursor, platform::ScreenSize picker,
                                     platform::ScreenRect workArea);

} // namespace kvtx::app
