#include "platform/win32/apply_services.h"

namespace kvtx::win32 {

void Win32ResidentWindow::Minimize() {
    ::ShowWindow(window_, SW_MINIMIZE);
}

void Win32ResidentWindow::Hide() {
    ::ShowWindow(window_, SW_HIDE);
}

void Win32ResidentWindow::FocusForegroundWindow() {
    ::SetFocus(::GetForegroundWindow());
}

void Win32ResidentWindow::StartPasteTimer(int milliseconds) {
    // A delay below zero from a hand-edited profile would otherwise wait for weeks.
    ::SetTimer(window_, platform::TIMER_PASTE,
               static_cast<UINT>(milliseconds > 0 ? milliseconds : 0), nullptr);
}

void Win32ResidentWindow::KillPasteTimer() {
    ::KillTimer(window_, platform::TIMER_PASTE);
}

} // namespace kvtx::win32
