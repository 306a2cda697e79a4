#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kvtx::platform {

// Contents of the clipboard kept by the program, in every format kept in memory: the user's
// clipboard to be put back later, or the text to paste.
struct SavedClipboard {
    struct Format {
        unsigned id;
        std::vector<std::byte> bytes;
    };
    std::vector<Format> formats;
};

// The id of Unicode text, as the system numbers clipboard formats.
inline constexpr unsigned kUnicodeTextFormat = 13;

// Unicode text as the clipboard holds it: UTF-16 with a terminating NUL.
inline SavedClipboard UnicodeTextContents(const std::u16string& text) {
    const auto* first = reinterpret_cast<const std::byte*>(text.c_str());
    return {{{kUnicodeTextFormat, {first, first + (text.size() + 1) * sizeof(char16_t)}}}};
}

// Reading the clipboard after the copy keystroke. The result goes back through an edit
// control's own copy command, or, when the user's clipboard is to be put back after the paste,
// through Offer and Render.
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

    // Everything the clipboard holds in formats kept in memory (text, "HTML Format", "Rich Text
    // Format", file lists, device-independent bitmaps, registered formats); handles of other kinds
    // (bitmaps, metafiles, palettes) are left out. Of the formats the system makes from one
    // another, the most faithful one present is kept, whatever order its owner gave them in:
    // Unicode text with its locale, a bitmap with its alpha channel. nullopt when it cannot be
    // opened now.
    virtual std::optional<SavedClipboard> Save() = 0;
    // Empties the clipboard and announces these contents, which the program's window renders
    // format by format only when a reader first asks for one: so the program learns when the
    // paste takes its text, and putting back a large clipboard costs nothing until it is pasted.
    // False when the clipboard cannot be opened now.
    virtual bool Offer(const SavedClipboard& contents) = 0;
    // Empties the clipboard and puts these contents there, rendered at once: they stay when the
    // program ends in any way. False when the clipboard cannot be opened now.
    //
    // What Offer and Put write carries the markers that clipboard histories and viewers read
    // ("ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory" and
    // "CanUploadToCloudClipboard" as 0, "Clipboard Viewer Ignore"), so that they leave it alone:
    // the text to paste is the user's only through the paste, and contents put back were recorded
    // when the user copied them.
    virtual bool Put(const SavedClipboard& contents) = 0;
    // One announced format, given to the reader that asked for it (inside the render request).
    virtual void Render(const SavedClipboard::Format& format) = 0;
    // The process of the window that holds the clipboard open now (during a render request, the
    // reader's); 0 when none does.
    virtual std::uint32_t ReaderProcessId() const = 0;
    // The announced contents, put on the clipboard for good before the program's window goes
    // away, if the program still owns the clipboard.
    virtual void RenderBeforeExit(const SavedClipboard& contents) = 0;
};

} // namespace kvtx::platform
