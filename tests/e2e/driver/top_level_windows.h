#pragma once

#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace kvtx::e2e {

// Which top-level windows a test is looking for; an empty field matches anything.
struct WindowQuery {
    std::u16string className;
    std::optional<std::u16string> caption;
    std::optional<DWORD> processId;
    bool visibleOnly = false;
};

std::vector<HWND> FindTopLevelWindows(const WindowQuery& query);
// The first match, or nullptr.
HWND FindTopLevelWindow(const WindowQuery& query);

// What a user sees of a window, read in one go.
struct WindowState {
    bool exists = false;
    bool visible = false;
    bool minimized = false;
    bool enabled = false;
    bool topmost = false;
    bool toolWindow = false;
    bool appWindow = false;
    RECT rect{};
};

WindowState StateOf(HWND window);
// The work area (the screen less the taskbar) of the monitor that holds the point.
RECT WorkAreaAt(POINT point);
// The rectangle lies wholly inside the area.
bool WhollyInside(const RECT& rect, const RECT& area);
std::u16string ClassOf(HWND window);
std::u16string CaptionOf(HWND window);
DWORD ProcessOf(HWND window);

// A screen point where the window reports this non-client part (HTCLOSE, HTCAPTION, ...) for
// WM_NCHITTEST, searched along its top edge; nullopt if there is none.
std::optional<POINT> FindNonClientPart(HWND window, LRESULT part);

// Brings the window to the front and waits until it has the keyboard focus's thread.
bool BringToForeground(HWND window);

// The focus, active window and menu state of the thread that gets the keyboard now.
std::optional<GUITHREADINFO> ForegroundThreadInfo();
// The control has the keyboard focus within its own thread.
bool HasKeyboardFocus(HWND control);

} // namespace kvtx::e2e
