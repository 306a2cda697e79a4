#include "platform/win32/apply_services.h"
#include "platform/win32/unique_handle.h"

#include <algorithm>
#include <memory>

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

bool Win32UiThread::RunAside(std::function<void()> work, int timeoutMs) {
    // The thread owns the work: it may outlive this call.
    auto* owned = new std::function<void()>(std::move(work));
    const auto run = [](void* parameter) -> DWORD {
        const std::unique_ptr<std::function<void()>> task(
            static_cast<std::function<void()>*>(parameter));
        (*task)();
        return 0;
    };
    const KernelHandle thread(::CreateThread(nullptr, 0, run, owned, 0, nullptr));
    if (!thread) {
        const std::unique_ptr<std::function<void()>> task(owned);
        (*task)();
        return true;
    }
    HANDLE handle = thread.get();
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(std::max(timeoutMs, 0));
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) {
            return ::WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        }
        if (::MsgWaitForMultipleObjectsEx(1, &handle, static_cast<DWORD>(deadline - now),
                                          QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0) {
            return true;
        }
        PumpOneMessage();
    }
}

} // namespace kvtx::win32
