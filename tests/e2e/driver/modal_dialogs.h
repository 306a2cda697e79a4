#pragma once

#include <gtest/gtest.h>
#include <windows.h>

namespace kvtx::e2e {

// Whether Windows shows a taskbar button for the window: a visible window without an owner
// that is not a tool window, or any visible window marked WS_EX_APPWINDOW. Wine 8's taskbar
// lists every visible window without an owner, tool windows too, so the rule is applied to the
// window itself rather than read off Wine's buttons.
bool HasTaskbarButton(HWND window);

// A modal dialog as the user of a real desktop meets it: owned by `owner`, which stays disabled
// while it is open, without a taskbar button of its own, in the foreground, wholly on the screen
// and covered by no other window of its program.
testing::AssertionResult ShowsAsModalOver(HWND dialog, HWND owner);

} // namespace kvtx::e2e
