#include "platform/win32/apply_services.h"

#include <iterator>

namespace kvtx::win32 {
namespace {

bool IsDown(int virtualKey) {
    return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

} // namespace

void Win32Keystrokes::ControlChord(std::uint8_t letter) {
    const auto key = [](std::uint8_t virtualKey, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.dwFlags = flags;
        return input;
    };
    // One call: the system puts its events into the input stream with nothing in between.
    INPUT chord[] = {key(VK_CONTROL, 0), key(letter, 0), key(letter, KEYEVENTF_KEYUP),
                     key(VK_CONTROL, KEYEVENTF_KEYUP)};
    ::SendInput(static_cast<UINT>(std::size(chord)), chord, sizeof(INPUT));
}

bool Win32Keystrokes::ModifierHeld() const {
    return IsDown(VK_SHIFT) || IsDown(VK_MENU) || IsDown(VK_LWIN) || IsDown(VK_RWIN);
}

} // namespace kvtx::win32
