#include "platform/win32/ui/placement.h"

#include "platform/win32/window_services.h"

namespace kvtx::win32::ui {

platform::ScreenPoint PlacementNear(HWND window, platform::ScreenPoint wanted,
                                    platform::ScreenPoint cursor) {
    RECT frame{};
    ::GetWindowRect(window, &frame);
    return platform::KeepInside(wanted, {frame.right - frame.left, frame.bottom - frame.top},
                                SystemScreen().WorkAreaAt(cursor));
}

void PlaceAtCursor(HWND window) {
    const platform::ScreenPoint cursor = SystemScreen().CursorPosition();
    const platform::ScreenPoint at = PlacementNear(window, cursor, cursor);
    ::SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace kvtx::win32::ui
