#pragma once

#include "platform/clipboard.h"
#include "platform/paste_window.h"
#include "platform/ui_thread.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kvtx {

// How long a target may take to read the pasted text after the paste keystroke, and to let go of
// the clipboard after reading it, before the program stops waiting to put the user's clipboard
// back.
inline constexpr int kTakeWaitMs = 5000;
inline constexpr int kRestoreWaitMs = 2000;
inline constexpr int kRestorePollMs = 20;

// Puts the user's clipboard back after a paste, when the setting asks for it.
//
// Before the copy keystroke it saves what the clipboard holds. Right before the paste keystroke
// the text to paste goes out announced rather than copied: the clipboard renders it only when a
// reader first asks for it, so the program learns when the target's paste takes it (a request
// from another program, a clipboard viewer say, gives up the restore). Once the target has let
// go of the clipboard, the saved contents go back, unless the clipboard has changed since: a
// newer copy by the user or another program wins. They go back announced as well, so a large
// clipboard costs the user-interface thread nothing until it is pasted, and the program keeps
// them until another program's copy replaces them. A target that has not read the text
// kTakeWaitMs after the paste keystroke keeps it on the clipboard, as with the setting off,
// since putting the old contents back then could race a paste that is only slow.
class ClipboardKeeper {
public:
    ClipboardKeeper(platform::Clipboard& clipboard, platform::PasteWindow& window,
                    platform::UiThread& thread);

    // Before the copy keystroke. A restore still waiting is done at once first: the new
    // application's paste replaces the one it waited for.
    void SaveBeforeCopy();
    // Right before the paste keystroke to the process `target`: announces the text it will take.
    // False when nothing is kept (the clipboard then holds the text as copied).
    bool AnnounceForPaste(const std::u16string& text, std::uint32_t target);
    // The paste is not sent after all: the result stays on the clipboard, where the user finds
    // it, and the saved contents are let go.
    void KeepResult();
    // A reader asks for one of the announced formats.
    void OnRenderRequest(unsigned format);
    // Another program has emptied the clipboard: nothing announced will be asked for any more.
    void OnClipboardReplaced();
    // The program's window goes away while it still owns announced contents.
    void OnRenderAll();
    // TIMER_RESTORE.
    void OnRestoreTimer();

private:
    enum class Stage { Idle, Saved, Announced, Taken };
    using Contents = std::shared_ptr<const platform::SavedClipboard>;

    std::int64_t Now() const { return thread_.SteadyMilliseconds(); }
    bool Announce(Contents contents);
    void Drop();

    platform::Clipboard& clipboard_;
    platform::PasteWindow& window_;
    platform::UiThread& thread_;
    Stage stage_ = Stage::Idle;
    // The user's clipboard, from the save until it goes back.
    Contents saved_;
    // What the clipboard announces from the program, until another program replaces it.
    Contents announced_;
    bool announcing_ = false;
    std::uint32_t target_ = 0;
    std::int64_t since_ = 0;
    std::uint32_t sequenceAfterRender_ = 0;
};

} // namespace kvtx
