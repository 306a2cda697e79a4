#pragma once

#include "platform/screen.h"
#include "platform/tray_icon.h"

#include <functional>

namespace kvtx::app {

// Adds the icon. A shell that times out gets ten more tries, 2 s apart, each a modify and then
// an add; after that the program runs on without an icon. False when the shell refused it
// outright, which ends the program.
bool AddTrayIcon(platform::TrayIcon& tray, const std::function<void(unsigned)>& sleep);

// Where the picker opens for a cursor position: a little up and left of it, kept on screen.
platform::ScreenPoint PickerPosition(platform::ScreenPoint cursor, int screenWidth,
                                     int screenHeight);

} // namespace kvtx::app
