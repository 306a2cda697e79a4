#include "tests/e2e/driver/tray.h"

#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/top_level_windows.h"
#include "tests/e2e/driver/waiting.h"

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

HWND VisibleBalloon() {
    return FindTopLevelWindow(
        {u"tooltips_class32", std::nullopt, ProcessOf(TrayWindow()), /*visibleOnly=*/true});
}

std::u16string BalloonText(HWND balloon) {
    return ControlText(balloon);
}

testing::AssertionResult DismissBalloon(HWND balloon) {
    ::ShowWindow(balloon, SW_HIDE);
    return WaitUntil("the balloon to go", [&] { return !::IsWindowVisible(balloon); });
}

void RemoveTrayIcon(HWND owner, UINT id) {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = owner;
    icon.uID = id;
    ::Shell_NotifyIconW(NIM_DELETE, &icon);
}

} // namespace kvtx::e2e
