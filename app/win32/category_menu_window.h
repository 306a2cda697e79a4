#pragma once

#include "app/category_menu.h"
#include "platform/screen.h"

#include <vector>
#include <windows.h>

namespace kvtx::app::win32 {

// Fills the menu template's first pop-up with these categories and tracks it at `at`, owned by
// `owner`, which receives the chosen command as WM_COMMAND after this returns. The menu and every
// group pop-up in it are destroyed before it returns.
void TrackCategoryMenu(HWND owner, platform::ScreenPoint at,
                       const std::vector<MenuEntry>& categories);

} // namespace kvtx::app::win32
