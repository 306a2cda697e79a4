#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kvtx::platform {

// Virtual-key codes of the keys the program synthesizes.
inline constexpr std::uint8_t kVkControl = 0x11;
inline constexpr std::uint8_t kVkC = 0x43;
inline constexpr std::uint8_t kVkV = 0x56;
inline constexpr std::uint8_t kVkLeft = 0x25;
inline constexpr std::uint8_t kVkInsert = 0x2D;
inline constexpr std::uint8_t kVkShift = 0x10;

// A key with the modifiers held for it; Insert is a key of the arrow block (the extended flag).
struct KeyChord {
    bool control = false;
    bool shift = false;
    std::uint8_t key = 0;

    friend bool operator==(const KeyChord&, const KeyChord&) = default;
};

// System-wide synthesized key events (scan code 0, no extended flag, no extra information) and
// the state of the keys the user holds.
class Keystrokes {
public:
    virtual ~Keystrokes() = default;
    // The modifiers down, the key down and up, the modifiers up, as one series that no other
    // input can come between: a key of the user's or another program's pressed in its middle
    // would lose the modifiers or gain the program's, and become another command.
    virtual void Press(KeyChord chord) = 0;
    // The text as a typist's keys, as one series: a character the keyboard layout has as its key
    // with its Shift, any other (kana, kanji, emoji, "①") as a Unicode keystroke (both halves of a
    // surrogate pair), a line end (CR LF or a lone CR or LF) as Enter, a tab as Tab.
    virtual void Type(std::u16string_view text) = 0;
    // Esc is physically down now: the user stops a long typing.
    virtual bool EscapeHeld() const = 0;
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
