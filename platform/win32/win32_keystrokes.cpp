#include "platform/win32/apply_services.h"

namespace kvtx::win32 {
namespace {

bool IsDown(int virtualKey) {
    return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

} // namespace

void Win32Keystrokes::KeyDown(std::uint8_t virtualKey) {
    ::keybd_event(virtualKey, 0, 0, 0);
}

void Win32Keystrokes::KeyUp(std::uint8_t virtualKey) {
    ::keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0);
}

bool Win32Keystrokes::ModifierHeld() const {
    return IsDown(VK_SHIFT) || IsDown(VK_MENU) || IsDown(VK_LWIN) || IsDown(VK_RWIN);
}

} // namespace kvtx::win32
