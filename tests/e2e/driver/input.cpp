#include "tests/e2e/driver/input.h"

#include "tests/e2e/driver/polling.h"
#include "tests/e2e/driver/unix_command.h"

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

// A click carries its position: on Wine's virtual desktop a button event without one may land
// where the pointer was before the last move.
INPUT MouseAt(POINT screen, DWORD flags) {
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = (screen.x * 65535 + (width - 1) / 2) / (width - 1);
    input.mi.dy = (screen.y * 65535 + (height - 1) / 2) / (height - 1);
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
    // The pointer is the X server's, and Wine follows it: moved there, as a user's mouse moves it,
    // it gets there whatever Wine is doing. A move through SendInput asks Wine to warp the X
    // pointer, which it refuses while it believes another program holds the pointer or the
    // keyboard (during a popup menu, and after one until the focus changes); Wine then reads the
    // old position back from X. Wine's virtual desktop fills the X screen from its top left
    // corner, so the coordinates are the same on both sides.
    const std::string command =
        "xdotool mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y);
    if (const auto moved = RunUnixCommand(command, 10s); !moved || moved->status != 0) {
        throw std::runtime_error("could not move the pointer: " + command);
    }
    PollUntil(
        [&] {
            const POINT now = CursorPosition();
            return now.x == screen.x && now.y == screen.y;
        },
        5s, 5ms);
}

void Click(POINT screen, MouseButton button) {
    MoveMouse(screen);
    const bool left = button == MouseButton::Left;
    Send({MouseAt(screen, left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN),
          MouseAt(screen, left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP)});
}

POINT CursorPosition() {
    POINT position{};
    ::GetCursorPos(&position);
    return position;
}

} // namespace kvtx::e2e
