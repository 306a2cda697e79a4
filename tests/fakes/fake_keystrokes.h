#pragma once

#include "platform/keystrokes.h"
#include "tests/fakes/event_log.h"

#include <functional>
#include <string>

namespace kvtx::testing {

// Logs "down 17", "up 67", ...; onKeyDown lets a test play the foreground application.
// The user holds a modifier for the next `modifierHeldQueries` queries (-1: for ever).
class FakeKeystrokes final : public platform::Keystrokes {
public:
    void Press(platform::KeyChord chord) override {
        if (chord.control) {
            KeyDown(platform::kVkControl);
        }
        if (chord.shift) {
            KeyDown(platform::kVkShift);
        }
        KeyDown(chord.key);
        KeyUp(chord.key);
        if (chord.shift) {
            KeyUp(platform::kVkShift);
        }
        if (chord.control) {
            KeyUp(platform::kVkControl);
        }
    }
    // Logs "type N" (N UTF-16 units) and hands the text to onType, the application typed into.
    void Type(std::u16string_view text) override {
        Note(log, "type " + std::to_string(text.size()));
        typed += text;
        if (onType) {
            onType(text);
        }
    }
    bool EscapeHeld() const override { return escapeHeld; }
    // Logs "left N" once, then plays each press.
    void LeftArrows(std::size_t count) override {
        Note(log, "left " + std::to_string(count));
        leftArrows += count;
        for (std::size_t i = 0; i < count; ++i) {
            if (onKeyDown) {
                onKeyDown(platform::kVkLeft, controlDown);
            }
        }
    }
    bool ModifierHeld() const override {
        ++modifierQueries;
        if (modifierHeldQueries == 0) {
            return false;
        }
        if (modifierHeldQueries > 0) {
            --modifierHeldQueries;
        }
        return true;
    }

    // Processes run as administrator drop the keys.
    bool ProcessTakesKeys(std::uint32_t process) const override {
        return process != elevatedProcess;
    }

    bool controlDown = false;
    bool shiftDown = false;
    bool escapeHeld = false;
    std::u16string typed;
    std::function<void(std::u16string_view)> onType;
    std::uint32_t elevatedProcess = 0;
    mutable int modifierHeldQueries = 0;
    mutable int modifierQueries = 0;
    std::size_t leftArrows = 0;
    std::function<void(std::uint8_t, bool control)> onKeyDown;
    EventLog* log = nullptr;

private:
    void KeyDown(std::uint8_t virtualKey) {
        Note(log, "down " + std::to_string(virtualKey));
        if (virtualKey == platform::kVkControl) {
            controlDown = true;
        }
        if (virtualKey == platform::kVkShift) {
            shiftDown = true;
        }
        if (onKeyDown) {
            onKeyDown(virtualKey, controlDown);
        }
    }
    void KeyUp(std::uint8_t virtualKey) {
        Note(log, "up " + std::to_string(virtualKey));
        if (virtualKey == platform::kVkControl) {
            controlDown = false;
        }
        if (virtualKey == platform::kVkShift) {
            shiftDown = false;
        }
    }
};

} // namespace kvtx::testing
