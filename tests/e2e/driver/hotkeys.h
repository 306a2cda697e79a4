#pragma once

#include <windows.h>

namespace kvtx::e2e {

// A global hotkey combination held by the runner itself. While another program holds the same
// combination, the registration fails with ERROR_HOTKEY_ALREADY_REGISTERED (1409): that is how
// a test sees which combinations the program under test has registered.
class HeldHotkey {
public:
    HeldHotkey(UINT modifiers, UINT key);
    HeldHotkey(const HeldHotkey&) = delete;
    HeldHotkey& operator=(const HeldHotkey&) = delete;
    ~HeldHotkey();

    bool Held() const { return held_; }
    DWORD Error() const { return error_; } // why it could not be held

private:
    int id_;
    bool held_;
    DWORD error_ = 0;
};

// True when some program holds the combination (the runner's own attempt fails with 1409).
bool HotkeyTakenElsewhere(UINT modifiers, UINT key);

} // namespace kvtx::e2e
