#include "tests/e2e/driver/tray.h"

#include <shellapi.h>

namespace kvtx::e2e {

HWND TrayWindow() {
    return ::FindWindowW(L"__winex11_standalone_tray", nullptr);
}

bool TrayShowsIcons() {
    HWND tray = TrayWindow();
    return tray != nullptr && ::IsWindowVisible(tray);
}

POINT TrayIconPoint(int position) {
    HWND tray = TrayWindow();
    RECT client{};
    ::GetClientRect(tray, &client);
    POINT origin{0, 0};
    ::ClientToScreen(tray, &origin);
    // The icons are square and fill the height of the row.
    const int size = client.bottom - client.top;
    return {origin.x + position * size + size / 2, origin.y + size / 2};
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
