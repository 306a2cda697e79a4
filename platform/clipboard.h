#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kvtx::platform {

// Reading the clipboard after the copy keystroke. Writing goes through an edit control's own
// copy command, so it needs no interface here.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text, empty when it holds none; nullopt when it cannot be opened now
    // (another program holds it open). Unicode text is preferred, so that characters outside the
    // ANSI code page survive; ANSI text is converted from the code page only when there is no
    // Unicode text.
    virtual std::optional<std::u16string> ReadText() = 0;
    // Moves on every change of the clipboard's contents: a copy that has landed changed it.
    virtual std::uint32_t SequenceNumber() const = 0;
    // While on, every change of the contents posts the program's window a message, which ends
    // the user-interface thread's WaitForMessage early.
    virtual void WatchChanges(bool on) = 0;
};

} // namespace kvtx::platform
