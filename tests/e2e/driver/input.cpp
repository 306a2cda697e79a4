#include "tests/e2e/driver/input.h"

#include "tests/e2e/driver/polling.h"

#include <stdexcept>

namespace kvtx::e2e {
namespace {

void Send(std::vector<INPUT> inputs) {
    const UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) {
        throw std::runtime_error("SendInput refused the input, error " +
                                 std::to_string(::GetLastError()));
    }
}

INPUT Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    // The arrows, Insert, Delete, Home, End and the page keys are extended keys.
    if ((key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE) {
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    }
    return input;
}

INPUT UnicodeUnit(char16_t unit, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

INPUT Mouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

} // namespace

void PressKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        inputs.push_back(Key(key, false));
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        inputs.push_back(Key(*key, true));
    }
    Send(inputs);
}

void PressChord(std::initializer_list<WORD> keys) {
    PressKeys(std::vector<WORD>(keys));
}

void PressKey(WORD key) {
    PressChord({key});
}

void HoldKey(WORD key) {
    Send({Key(key, false)});
}

void ReleaseKey(WORD key) {
    Send({Key(key, true)});
}

void TypeText(const std::u16string& text) {
    std::vector<INPUT> inputs;
    for (char16_t unit : text) {
        inputs.push_back(UnicodeUnit(unit, false));
        inputs.push_back(UnicodeUnit(unit, true));
    }
    if (!inputs.empty()) {
        Send(inputs);
    }
}

void MoveMouse(POINT screen) {
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input = Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    input.mi.dx = (screen.x * 65535 + (width - 1) / 2) / (width - 1);
    input.mi.dy = (screen.y * 65535 + (height - 1) / 2) / (height - 1);
    Send({input});
    // Wine moves the pointer through the X server, so the position arrives a moment later; a
    // click sent before that would land where the pointer was.
    PollUntil(
        [&] {
            const POINT now = CursorPosition();
            return now.x == screen.x && now.y == screen.y;
        },
        5s);
}

void Click(POINT screen, MouseButton button) {
    MoveMouse(screen);
    const bool left = button == MouseButton::Left;
    Send({Mouse(left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN),
          Mouse(left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP)});
}

POINT CursorPosition() {
    POINT position{};
    ::GetCursorPos(&position);
    return position;
}

} // namespace kvtx::e2e
