#pragma once

#include "tests/e2e/driver/input.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace kvtx::e2e {

// The notification area of the test desktop: the right end of the taskbar (class
// "Shell_TrayWnd") that Wine's virtual desktop draws along the bottom of the screen. Wine 8 shows
// the taskbar while it holds at least one icon and hides it when the last one goes. The icons
// stand in a row from the right end, the first one added rightmost; a click on one goes to its
// owner as its callback message, exactly as on Windows.

HWND TrayWindow(); // nullptr when Wine has made none yet
bool TrayShowsIcons();
// Screen position of the middle of the icon at this position in the row, counted from the right.
POINT TrayIconPoint(int position);
void ClickTrayIcon(int position, MouseButton button);

// The balloon shown at the tray now (Wine's explorer draws it as a tooltip window, a second or
// two after it was asked for), or nullptr.
HWND VisibleBalloon();
std::u16string BalloonText(HWND balloon);
// Hides the balloon, as its time-out would ten seconds later, and waits until it is gone: left on
// the screen it covers the icons. Wine's balloon takes no click (its close box is drawn, not
// handled).
testing::AssertionResult DismissBalloon(HWND balloon);

// Removes an icon whose owner died without deleting it (a test that had to kill the program),
// so that the next scenario starts with an empty tray.
void RemoveTrayIcon(HWND owner, UINT id);

} // namespace kvtx::e2e
