#pragma once

#include <cstdint>

namespace kvtx::platform {

// Virtual-key codes of the keys the program synthesizes.
inline constexpr std::uint8_t kVkControl = 0x11;
inline constexpr std::uint8_t kVkC = 0x43;
inline constexpr std::uint8_t kVkV = 0x56;

// System-wide synthesized key events (scan code 0, no extended flag, no extra information) and
// the state of the keys the user holds.
class Keystrokes {
public:
    virtual ~Keystrokes() = default;
    virtual void KeyDown(std::uint8_t virtualKey) = 0;
    virtual void KeyUp(std::uint8_t virtualKey) = 0;
    // Shift, Alt or a Windows key is physically down now. Held with a synthesized Ctrl+C or
    // Ctrl+V, they would make the foreground application run another command.
    virtual bool ModifierHeld() const = 0;
};

} // namespace kvtx::platform
