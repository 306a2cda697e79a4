#include "platform/win32/apply_services.h"

namespace kvtx::win32 {

void Win32PasteWindow::Minimize() {
    ::ShowWindow(window_, SW_MINIMIZE);
}

void Win32PasteWindow::Hide() {
    ::ShowWindow(window_, SW_HIDE);
}

void Win32PasteWindow::StartPasteTimer(int milliseconds) {
    // A delay below zero from a hand-edited profile would otherwise wait for weeks.
    ::SetTimer(window_, platform::TIMER_PASTE,
               static_cast<UINT>(milliseconds > 0 ? milliseconds : 0), nullptr);
}

void Win32PasteWindow::KillPasteTimer() {
    ::KillTimer(window_, platform::TIMER_PASTE);
}

void Win32PasteWindow::StartRestoreTimer(int milliseconds) {
    ::SetTimer(window_, platform::TIMER_RESTORE, static_cast<UINT>(milliseconds), nullptr);
}

void Win32PasteWindow::KillRestoreTimer() {
    ::KillTimer(window_, platform::TIMER_RESTORE);
}

} // namespace kvtx::win32
