#pragma once

#include "platform/clipboard.h"
#include "platform/foreground.h"
#include "platform/paste_window.h"
#include "platform/tray_icon.h"
#include "platform/ui_thread.h"

#include <cstddef>
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
inline constexpr int kRestorePollMs = 10;
// How long the save before the copy may take (an owner rendering a huge range slowly) before the
// application goes on without a restore.
inline constexpr int kSaveWaitMs = 1500;
// How long another program may hold the clipboard open when the text to paste goes there.
inline constexpr int kOpenWaitMs = 500;
// Contents up to this size go back rendered at once, so that nothing the program could lose by
// ending holds them; larger ones go back announced, costing nothing until a program pastes them.
inline constexpr std::size_t kRenderAtOnceBytes = 256 * 1024;

// Puts the user's clipboard back after a paste, when the setting asks for it.
//
// What an application owes is a debt, opened by the save before its copy keystroke and settled on
// every way out: the paste taken and the target done with the clipboard, the application ending
// without a paste, a newer copy by the user or another program, or a time-out. A second
// application takes the debt over rather than saving again, since the clipboard then holds the
// first one's selection or result, and nothing goes back while an application is under way or a
// paste has not been read.
//
// The text to paste goes onto the clipboard only announced: the clipboard renders it when a reader
// first asks for it, so the program learns when the target's paste takes it. A read by another
// program first (one that ignores the markers every write carries) leaves the result where the
// target's paste finds it, and the user's contents are let go, since the target's read would then
// go unnoticed. A target that has not read the text kTakeWaitMs after the paste keystroke keeps it
// on the clipboard, as with the setting off, since putting the old contents back then could race
// a paste that is only slow.
class ClipboardKeeper {
public:
    ClipboardKeeper(platform::Clipboard& clipboard, platform::PasteWindow& window,
                    platform::UiThread& thread, platform::TrayBalloon& balloon);

    // Before the copy keystroke of an application.
    void BeginApplication();
    // The application ends without a paste: what it owes goes back now, unless a paste is still
    // to be read.
    void EndWithoutPaste();
    // Right before the paste keystroke to the target: puts the text there. False when another
    // program held the clipboard open for kOpenWaitMs.
    bool PutForPaste(const std::u16string& text, const platform::TargetWindow& target);
    // The paste is not sent after all: the result goes onto the clipboard, where the user finds
    // it, and the user's saved contents are let go.
    void KeepResult(const std::u16string& text);
    // A reader asks for one of the announced formats.
    void OnRenderRequest(unsigned format);
    // Another program has emptied the clipboard: nothing announced will be asked for any more.
    void OnClipboardReplaced();
    // The program's window goes away while it still owns announced contents.
    void OnRenderAll();
    // TIMER_RESTORE.
    void OnRestoreTimer();

private:
    using Contents = std::shared_ptr<const platform::SavedClipboard>;

    // The user's clipboard owed back, and where the last paste stands.
    struct Debt {
        Contents users;
        // The last paste's text is announced and has not been read yet.
        bool pasteUnread = false;
        platform::TargetWindow target;
        // When the last paste went out, was read, or its application ended.
        std::int64_t since = 0;
        // The clipboard's sequence number when it last held what the program knows of: a change
        // since is a newer copy by the user or another program.
        std::uint32_t sequence = 0;
    };

    std::int64_t Now() const { return thread_.SteadyMilliseconds(); }
    // The user's clipboard, fetched from its owner on a thread of its own, or nullptr.
    Contents SaveUsers();
    // Writes through Offer (announced) or Put, retried while another program holds the clipboard
    // open, for at most waitMs.
    bool Write(const Contents& contents, bool announced, int waitMs);
    // The clipboard is the program's as it stands now.
    void Mark();
    // Puts the debt back once nothing stands in its way; true when it is settled.
    bool TrySettle();
    void Settle();

    platform::Clipboard& clipboard_;
    platform::PasteWindow& window_;
    platform::UiThread& thread_;
    platform::TrayBalloon& balloon_;
    std::optional<Debt> debt_;
    // From the save to the application's paste or its end without one.
    bool underWay_ = false;
    // What the clipboard announces from the program, until another program replaces it.
    Contents announced_;
    bool writing_ = false;
};

} // namespace kvtx
