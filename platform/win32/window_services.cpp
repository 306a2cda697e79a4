#include "platform/win32/window_services.h"

#include "platform/win32/wide.h"

#include <algorithm>
#include <iterator>

namespace kvtx::win32 {

std::optional<std::uint32_t> WindowHotkeys::Register(int id, unsigned modifiers,
                                                     unsigned virtualKey) {
    if (::RegisterHotKey(window_, id, modifiers, virtualKey)) {
        return std::nullopt;
    }
    return ::GetLastError();
}

void WindowHotkeys::Unregister(int id) {
    ::UnregisterHotKey(window_, id);
}

std::u16string WindowHotkeys::ErrorText(std::uint32_t error) const {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string result = length != 0 ? FromWide(text, length) : std::u16string();
    ::LocalFree(text);
    return result;
}

void WindowTimers::Start(unsigned id, unsigned milliseconds) {
    ::SetTimer(window_, id, milliseconds, nullptr);
}

void WindowTimers::Kill(unsigned id) {
    ::KillTimer(window_, id);
}

platform::TrayResult NotifyIcon::Notify(DWORD request) {
    // The shell does not always set an error when it refuses; a stale one must not pass for it.
    ::SetLastError(ERROR_SUCCESS);
    if (::Shell_NotifyIconW(request, &data_)) {
        return platform::TrayResult::Done;
    }
    return ::GetLastError() == ERROR_TIMEOUT ? platform::TrayResult::TimedOut
                                             : platform::TrayResult::Failed;
}

void NotifyIcon::ShowBalloon(const std::u16string& text) {
    // A copy: the record itself stays as added, so that adding it again after the taskbar is
    // made anew shows no balloon.
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    const std::size_t length = std::min(text.size(), std::size(balloon.szInfo) - 1);
    std::copy_n(Wide(text), length, balloon.szInfo);
    balloon.szInfo[length] = L'\0';
    ::lstrcpynW(balloon.szInfoTitle, L"Korvatex", static_cast<int>(std::size(balloon.szInfoTitle)));
    balloon.dwInfoFlags = NIIF_INFO;
    ::Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

platform::ScreenPoint SystemScreen::CursorPosition() const {
    POINT point{};
    ::GetCursorPos(&point);
    return {static_cast<int>(point.x), static_cast<int>(point.y)};
}

platform::ScreenRect SystemScreen::WorkAreaAt(platform::ScreenPoint point) const {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoW(::MonitorFromPoint({point.x, point.y}, MONITOR_DEFAULTTONEAREST),
                           &monitor)) {
        return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    const RECT& work = monitor.rcWork;
    return {static_cast<int>(work.left), static_cast<int>(work.top), static_cast<int>(work.right),
            static_cast<int>(work.bottom)};
}

} // namespace kvtx::win32
