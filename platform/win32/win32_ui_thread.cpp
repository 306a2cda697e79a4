#include "platform/win32/apply_services.h"
#include "platform/win32/unique_handle.h"

namespace kvtx::win32 {

namespace {

// Blocks on the program's wait event "korvatex_waittimer", which nothing signals; with
// `wakeOnMessage`, a message that arrives for the thread ends the wait too.
void WaitOnEvent(int milliseconds, bool wakeOnMessage) {
    const auto timeout = static_cast<DWORD>(milliseconds > 0 ? milliseconds : 0);
    const KernelHandle event(::CreateEventW(nullptr, FALSE, FALSE, L"korvatex_waittimer"));
    // The name may be held by an object of another kind; the wait must still take its time.
    if (!event) {
        ::Sleep(timeout);
        return;
    }
    HANDLE handle = event.get();
    if (wakeOnMessage) {
        // Messages already queued end it too: the caller dispatches only a few after each wait.
        ::MsgWaitForMultipleObjectsEx(1, &handle, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    } else {
        ::WaitForSingleObject(handle, timeout);
    }
}

} // namespace

void Win32UiThread::Wait(int milliseconds) {
    WaitOnEvent(milliseconds, false);
}

void Win32UiThread::WaitForMessage(int milliseconds) {
    WaitOnEvent(milliseconds, true);
}

std::int64_t Win32UiThread::SteadyMilliseconds() const {
    return static_cast<std::int64_t>(::GetTickCount64());
}

void Win32UiThread::PumpOneMessage() {
    MSG message;
    if (!::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        return;
    }
    // The request to end belongs to the loop that runs the program, not to this wait.
    if (message.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(message.wParam));
        return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

void Win32UiThread::RunAside(const std::function<void()>& work) {
    const auto run = [](void* parameter) -> DWORD {
        (*static_cast<const std::function<void()>*>(parameter))();
        return 0;
    };
    const KernelHandle thread(
        ::CreateThread(nullptr, 0, run, const_cast<std::function<void()>*>(&work), 0, nullptr));
    if (!thread) {
        work();
        return;
    }
    HANDLE handle = thread.get();
    while (::MsgWaitForMultipleObjectsEx(1, &handle, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) !=
           WAIT_OBJECT_0) {
        PumpOneMessage();
    }
}

} // namespace kvtx::win32
