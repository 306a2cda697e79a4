#include "platform/win32/win32_foreground.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

#include <algorithm>
#include <dwmapi.h>
#include <iterator>
#include <windows.h>

namespace kvtx::win32 {
namespace {

using platform::TargetState;
using platform::TargetWindow;

HWND Handle(std::uintptr_t window) {
    return reinterpret_cast<HWND>(window);
}

// The windows of the shell that stand in front when the user is in no application: the taskbars,
// the notification area's overflow, and the desktop.
bool IsShellWindow(HWND window) {
    if (window == ::GetDesktopWindow() || window == ::GetShellWindow()) {
        return true;
    }
    static constexpr const wchar_t* kShellClasses[] = {L"Shell_TrayWnd",
                                                       L"Shell_SecondaryTrayWnd",
                                                       L"NotifyIconOverflowWindow",
                                                       L"TopLevelWindowForOverflowXamlIsland",
                                                       L"Progman",
                                                       L"WorkerW",
                                                       L"#32769"};
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    for (const wchar_t* shellClass : kShellClasses) {
        if (::lstrcmpW(name, shellClass) == 0) {
            return true;
        }
    }
    return false;
}

std::u16string ClassName(HWND window) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return FromWide(name, static_cast<std::size_t>(std::max(length, 0)));
}

// The file name of the process's executable, without its folder; empty when it cannot be read.
std::u16string ExecutableName(DWORD process) {
    const KernelHandle handle(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
    wchar_t path[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (!handle || !::QueryFullProcessImageNameW(handle.get(), 0, path, &length)) {
        return {};
    }
    const std::u16string full = FromWide(path, length);
    const std::size_t slash = full.find_last_of(u"\\/");
    return slash == std::u16string::npos ? full : full.substr(slash + 1);
}

std::optional<TargetWindow> AsApplication(HWND window) {
    if (window == nullptr || IsShellWindow(window)) {
        return std::nullopt;
    }
    DWORD process = 0;
    const DWORD thread = ::GetWindowThreadProcessId(window, &process);
    if (thread == 0 || process == ::GetCurrentProcessId()) {
        return std::nullopt;
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(thread, &info);
    DWORD focusProcess = 0;
    if (info.hwndFocus != nullptr) {
        ::GetWindowThreadProcessId(info.hwndFocus, &focusProcess);
    }
    return TargetWindow{reinterpret_cast<std::uintptr_t>(window),
                        process,
                        thread,
                        reinterpret_cast<std::uintptr_t>(info.hwndFocus),
                        focusProcess,
                        ClassName(window),
                        ExecutableName(process)};
}

// Shown on this virtual desktop (Windows keeps the windows of the others, and suspended
// applications, visible but cloaked).
bool OnTheScreen(HWND window) {
    if (!::IsWindowVisible(window) || ::IsIconic(window)) {
        return false;
    }
    DWORD cloaked = 0;
    return FAILED(::DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) ||
           cloaked == 0;
}

// A window the system would activate: not a tool window or one that refuses activation, and
// not a window disabled by a modal dialog of its own (the dialog stands above it).
bool TakesActivation(HWND window) {
    const auto extended = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    if ((extended & WS_EX_NOACTIVATE) != 0) {
        return false;
    }
    if ((extended & WS_EX_TOOLWINDOW) != 0 && (extended & WS_EX_APPWINDOW) == 0) {
        return false;
    }
    return ::IsWindowEnabled(window) != FALSE;
}

bool WithinWindow(HWND window, HWND control) {
    return control != nullptr && (control == window || ::IsChild(window, control));
}

// Shares the keyboard state of the program's thread with another thread for as long as it
// lives, so that SetFocus may name that thread's control.
class AttachedInput {
public:
    explicit AttachedInput(DWORD thread)
        : own_(::GetCurrentThreadId()), thread_(thread),
          attached_(thread != own_ && ::AttachThreadInput(own_, thread, TRUE) != FALSE) {}
    AttachedInput(const AttachedInput&) = delete;
    AttachedInput& operator=(const AttachedInput&) = delete;
    ~AttachedInput() {
        if (attached_) {
            ::AttachThreadInput(own_, thread_, FALSE);
        }
    }
    explicit operator bool() const { return attached_; }

private:
    DWORD own_;
    DWORD thread_;
    bool attached_;
};

} // namespace

std::optional<TargetWindow> Win32Foreground::Application() const {
    return AsApplication(::GetForegroundWindow());
}

std::optional<TargetWindow> Win32Foreground::LastApplication() const {
    for (HWND window = ::GetTopWindow(nullptr); window != nullptr;
         window = ::GetWindow(window, GW_HWNDNEXT)) {
        if (OnTheScreen(window) && TakesActivation(window)) {
            if (auto application = AsApplication(window)) {
                return application;
            }
        }
    }
    return std::nullopt;
}

void Win32Foreground::BringToFront(const TargetWindow& target) {
    ::SetForegroundWindow(Handle(target.window));
}

TargetState Win32Foreground::StateOf(const TargetWindow& target) const {
    HWND window = Handle(target.window);
    DWORD process = 0;
    // A handle may be used again by a new window once the old one is gone.
    if (!::IsWindow(window) || ::GetWindowThreadProcessId(window, &process) != target.thread ||
        process != target.process) {
        return TargetState::Gone;
    }
    if (::IsHungAppWindow(window)) {
        return TargetState::NotAnswering;
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (::GetForegroundWindow() != window || !::GetGUIThreadInfo(target.thread, &info) ||
        !WithinWindow(window, info.hwndFocus)) {
        return TargetState::Elsewhere;
    }
    return TargetState::Ready;
}

void Win32Foreground::ReturnFocus(const TargetWindow& target) {
    HWND window = Handle(target.window);
    HWND focus = Handle(target.focus);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(target.thread, &info) || info.hwndFocus == focus ||
        !WithinWindow(window, focus) || !::IsWindowVisible(focus) || !::IsWindowEnabled(focus)) {
        return;
    }
    if (const AttachedInput attached(target.thread); attached) {
        ::SetFocus(focus);
    }
}

} // namespace kvtx::win32
