#include "platform/win32/window_services.h"

#include "platform/win32/wide.h"

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

platform::ScreenPoint SystemScreen::CursorPosition() const {
    POINT point{};
    ::GetCursorPos(&point);
    return {static_cast<int>(point.x), static_cast<int>(point.y)};
}

} // namespace kvtx::win32
