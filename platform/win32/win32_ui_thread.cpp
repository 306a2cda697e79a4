#include "platform/win32/apply_services.h"
#include "platform/win32/unique_handle.h"

namespace kvtx::win32 {

void Win32UiThread::Wait(int milliseconds) {
    const auto timeout = static_cast<DWORD>(milliseconds > 0 ? milliseconds : 0);
    const KernelHandle event(::CreateEventW(nullptr, FALSE, FALSE, L"korvatex_waittimer"));
    // The name may be held by an object of another kind; the wait must still take its time.
    if (!event) {
        ::Sleep(timeout);
        return;
    }
    ::WaitForSingleObject(event.get(), timeout);
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

} // namespace kvtx::win32
