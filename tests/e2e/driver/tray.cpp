#include "tests/e2e/driver/tray.h"

#include <shellapi.h>

namespace kvtx::e2e {

HWND TrayWindow() {
    return ::FindWindowW(L"Shell_TrayWnd", nullptr);
}

bool TrayShowsIcons() {
    HWND tray = TrayWindow();
    return tray != nullptr && ::IsWindowVisible(tray);
}

POINT TrayIconPoint(int position) {
    RECT tray{};
    ::GetWindowRect(TrayWindow(), &tray);
    // Each icon is a small icon with a border of two pixels on every side.
    const int width = ::GetSystemMetrics(SM_CXSMICON) + 4;
    return {tray.right - position * width - width / 2, (tray.top + tray.bottom) / 2};
}

void ClickTrayIcon(int position, MouseButton button) {
    Click(TrayIconPoint(position), button);
}

void RemoveTrayIcon(HWND owner, UINT id) {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = owner;
    icon.uID = id;
    ::Shell_NotifyIconW(NIM_DELETE, &icon);
}

} // namespace kvtx::e2e
