#pragma once

#include <cstddef>
#include <cstdint>

namespace kvtx::platform {

// Virtual-key codes of the keys the program synthesizes.
inline constexpr std::uint8_t kVkControl = 0x11;
inline constexpr std::uint8_t kVkC = 0x43;
inline constexpr std::uint8_t kVkV = 0x56;
inline constexpr std::uint8_t kVkLeft = 0x25;

// System-wide synthesized key events (scan code 0, no extended flag, no extra information) and
// the state of the keys the user holds.
class Keystrokes {
public:
    virtual ~Keystrokes() = default;
    // Ctrl down, the letter down and up, Ctrl up, as one series that no other input can come
    // between: a key of the user's or another program's pressed in its middle would lose its Ctrl
    // or gain the program's, and become another command.
    virtual void ControlChord(std::uint8_t letter) = 0;
    // The Left-arrow key pressed and let go `count` times, with no modifier, as one series.
    virtual void LeftArrows(std::size_t count) = 0;
    // Shift, Alt or a Windows key is physically down now. Held with a synthesized Ctrl+C or
    // Ctrl+V, they would make the foreground application run another command.
    virtual bool ModifierHeld() const = 0;
    // False when the process runs at a higher integrity level than this program (an
    // application run as administrator): the system drops synthesized keys sent to it, so a copy
    // and a paste would silently do nothing.
    virtual bool ProcessTakesKeys(std::uint32_t process) const = 0;
};

} // namespace kvtx::platform
