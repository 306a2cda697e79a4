#pragma once

#include "engine/clipboard_keeper.h"
#include "engine/picker_members.h"
#include "engine/regex_prompt.h"
#include "engine/text_transforms.h"
#include "platform/clipboard.h"
#include "platform/keystrokes.h"
#include "platform/message_box.h"
#include "platform/paste_window.h"
#include "platform/ui_thread.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kvtx {

// How long the copy and paste keystrokes wait for the user to let go of Shift, Alt and the
// Windows key before they are sent anyway.
inline constexpr int kModifierReleaseWaitMs = 2000;
// How long the capture waits for the target's copy to land before it goes on with what the
// clipboard holds.
inline constexpr int kCopyWaitMs = 1000;

struct DriverServices {
    platform::Clipboard& clipboard;
    platform::Keystrokes& keystrokes;
    platform::UiThread& thread;
    platform::PasteWindow& window;
    platform::MessageBox& messages;
};

// Applies items and the quick tool to the foreground application: takes its selection with a
// synthesized Ctrl+C, awaiting the target's copy rather than trusting a fixed wait, puts the
// result on the clipboard through the picker's preview, and pastes it with a synthesized Ctrl+V
// once the paste timer fires.
//
// Everything runs on the user-interface thread, and the capture's waits dispatch messages, so a
// hotkey can arrive in the middle of an application. One application runs at a time: requests
// that arrive while one is under way are ignored. A paste still pending when the next application
// starts is not sent early: that application's own paste restarts the one timer, so only its
// result is pasted, over the selection it captured. The paste timer keeps ticking until it
// pastes, and a tick while an application is under way or the category menu is open waits for
// the next one, so that no paste lands in the middle of a capture or in the menu.
class CaptureAndPaste {
public:
    CaptureAndPaste(DriverServices services, PickerMembers& picker, TextTransforms& transforms);

    // index = command id - ID_PHRASE_BASE: category index / 26, item index % 26.
    void ApplyItem(int index);
    // Asks for a pattern and a replacement and substitutes them over the selection.
    void RunQuickRegex(RegexPrompt& prompt);
    // The handler of TIMER_PASTE.
    void OnPasteTimer();

    // Receives the clipboard's requests and TIMER_RESTORE while the user's clipboard is to come
    // back.
    ClipboardKeeper& Keeper() { return keeper_; }

    // Runs the category menu, during which the paste timer's ticks wait.
    void HoldPasteWhile(const std::function<void()>& showMenu);

    bool Busy() const { return busy_; }

private:
    class BusyScope;
    class ClipboardWatch;

    // Minimize, hide, and give the focus to the window now in the foreground.
    void HideSequence();
    // The selection, or nullopt (with the message shown) when the keys cannot reach the target.
    std::optional<std::u16string> CaptureSelection();
    // Sends a paste that is still waiting for its timer, before the quick tool's dialog opens:
    // sent while the dialog has the focus, it would land in the dialog's fields.
    void SendPendingPaste();

    void Pump();
    void WaitAndPump();
    // The clipboard's text once the target's copy has landed (its contents changed since
    // sequenceBefore and it can be opened), dispatching messages meanwhile; after kCopyWaitMs
    // without a copy, what it holds.
    std::u16string AwaitCopy(std::uint32_t sequenceBefore);
    void WaitForModifierRelease();
    void SendChord(std::uint8_t letter);
    // Puts the result on the clipboard and starts the paste timer; the selection is what the
    // paste puts back when the result is empty. After a paste of the result, the caret is moved
    // back by caretStops.
    void Deliver(const std::u16string& result, const std::u16string& selection,
                 std::size_t caretStops = 0);
    void Paste();

    DriverServices services_;
    PickerMembers& picker_;
    TextTransforms& transforms_;
    bool busy_ = false;
    bool menuOpen_ = false;
    bool pastePending_ = false;
    std::u16string pasteText_;
    std::size_t pasteCaretStops_ = 0;
    ClipboardKeeper keeper_;
};

} // namespace kvtx
