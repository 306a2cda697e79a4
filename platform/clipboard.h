#pragma once

#include <string>

namespace kvtx::platform {

// Reading the clipboard after the copy keystroke. Writing goes through an edit control's own
// copy command, so it needs no interface here.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text; empty when it cannot be opened or holds no text. Unicode text is
    // preferred, so that characters outside the ANSI code page survive; ANSI text is converted
    // from the code page only when there is no Unicode text.
    virtual std::u16string ReadText() = 0;
};

} // namespace kvtx::platform
