#include "tests/e2e/driver/top_level_windows.h"

#include "platform/win32/wide.h"
#include "tests/e2e/driver/polling.h"

#include <algorithm>

namespace kvtx::e2e {
namespace {

struct Search {
    const WindowQuery* query;
    std::vector<HWND> found;
};

bool Matches(HWND window, const WindowQuery& query) {
    if (query.visibleOnly && !::IsWindowVisible(window)) {
        return false;
    }
    if (query.processId && ProcessOf(window) != *query.processId) {
        return false;
    }
    if (!query.className.empty() && ClassOf(window) != query.className) {
        return false;
    }
    return !query.caption || CaptionOf(window) == *query.caption;
}

BOOL CALLBACK Collect(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    if (Matches(window, *search.query)) {
        search.found.push_back(window);
    }
    return TRUE;
}

} // namespace

std::vector<HWND> FindTopLevelWindows(const WindowQuery& query) {
    Search search{&query, {}};
    ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevelWindow(const WindowQuery& query) {
    const auto found = FindTopLevelWindows(query);
    return found.empty() ? nullptr : found.front();
}

WindowState StateOf(HWND window) {
    WindowState state;
    state.exists = ::IsWindow(window) != 0;
    if (!state.exists) {
        return state;
    }
    state.visible = ::IsWindowVisible(window) != 0;
    state.minimized = ::IsIconic(window) != 0;
    state.enabled = ::IsWindowEnabled(window) != 0;
    const auto extended = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    state.topmost = (extended & WS_EX_TOPMOST) != 0;
    state.toolWindow = (extended & WS_EX_TOOLWINDOW) != 0;
    state.appWindow = (extended & WS_EX_APPWINDOW) != 0;
    ::GetWindowRect(window, &state.rect);
    return state;
}

RECT WorkAreaAt(POINT point) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

bool WhollyInside(const RECT& rect, const RECT& area) {
    return rect.left >= area.left && rect.top >= area.top && rect.right <= area.right &&
           rect.bottom <= area.bottom;
}

std::u16string ClassOf(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return win32::FromWide(name);
}

std::u16string CaptionOf(HWND window) {
    // The caption a window manager would show; reading it sends the window no message, so a
    // busy program cannot stall the search.
    wchar_t caption[512] = {};
    ::GetWindowTextW(window, caption, 512);
    return win32::FromWide(caption);
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process;
}

std::optional<POINT> FindNonClientPart(HWND window, LRESULT part) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    // The caption buttons sit in the top right corner, so only that corner is searched.
    for (int y = rect.top + 1; y < std::min(rect.top + 40, rect.bottom); y += 3) {
        for (int x = rect.right - 2; x > std::max(rect.left, rect.right - 120); x -= 2) {
            DWORD_PTR hit = 0;
            if (::SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG,
                                      2000, &hit) &&
                static_cast<LRESULT>(hit) == part) {
                return POINT{x, y};
            }
        }
    }
    return std::nullopt;
}

bool BringToForeground(HWND window) {
    ::SetForegroundWindow(window);
    return PollUntil([&] { return ::GetForegroundWindow() == window; }, 5s);
}

namespace {

std::optional<GUITHREADINFO> ThreadInfo(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(thread, &info) ? std::optional(info) : std::nullopt;
}

} // namespace

std::optional<GUITHREADINFO> ForegroundThreadInfo() {
    return ThreadInfo(0);
}

bool HasKeyboardFocus(HWND control) {
    const auto info = ThreadInfo(::GetWindowThreadProcessId(control, nullptr));
    return info && info->hwndFocus == control;
}

} // namespace kvtx::e2e
