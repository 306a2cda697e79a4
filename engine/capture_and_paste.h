#pragma once

#include "engine/application_keys.h"
#include "engine/clipboard_keeper.h"
#include "engine/picker_members.h"
#include "engine/regex_prompt.h"
#include "engine/text_transforms.h"
#include "platform/clipboard.h"
#include "platform/foreground.h"
#include "platform/keystrokes.h"
#include "platform/message_box.h"
#include "platform/paste_window.h"
#include "platform/tray_icon.h"
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
// How long the copy keystroke waits, after the five waits, for the target to have the
// foreground and the keyboard back before the application is given up.
inline constexpr int kTargetWaitMs = 500;

struct DriverServices {
    platform::Clipboard& clipboard;
    platform::Keystrokes& keystrokes;
    platform::UiThread& thread;
    platform::PasteWindow& window;
    platform::Foreground& foreground;
    platform::MessageBox& messages;
    platform::TrayBalloon& balloon;
};

// Applies items and the quick tool to the application the user was in when the hotkey came (the
// target): gives the target the foreground back once the program's windows are out of the way,
// takes its selection with a synthesized Ctrl+C (only for an item that uses it), awaiting the
// target's copy rather than trusting a fixed wait, puts the result on the clipboard (through the
// picker's preview, or through the keeper right before the paste when the user's clipboard is to
// come back), and pastes it with a synthesized Ctrl+V once the paste timer fires. No key goes to
// any other window: a target that is gone or has lost the keyboard before the copy gets nothing,
// with a message; one that has lost it by the time of the paste gets nothing either, the result
// staying on the clipboard, and the user is told in a balloon, which takes no keyboard from where
// the user has gone.
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
    void ApplyItem(int index, const platform::Target& target);
    // Asks for a pattern and a replacement and substitutes them over the target's selection.
    void RunQuickRegex(RegexPrompt& prompt, const platform::Target& target);
    // The handler of TIMER_PASTE.
    void OnPasteTimer();

    // Receives the clipboard's requests and TIMER_RESTORE while the user's clipboard is to come
    // back.
    ClipboardKeeper& Keeper() { return keeper_; }

    // Runs a window of the program's (the search window), during which the paste timer's ticks
    // wait.
    void HoldPasteWhile(const std::function<void()>& showWindow);
    // Runs the category menu for the target; its choice arrives as a command once the menu has
    // closed, and ApplyMenuChoice applies it there.
    void ShowMenuFor(const platform::Target& target, const std::function<void()>& showMenu);
    void ApplyMenuChoice(int index);

    bool Busy() const { return busy_; }

private:
    class BusyScope;
    class ClipboardWatch;

    // A result waiting for the paste timer, and where it goes.
    struct PendingPaste {
        platform::TargetWindow target;
        std::u16string text;
        std::size_t caretStops = 0;
        // The user's clipboard is owed back: the text goes to the clipboard with the paste.
        bool restores = false;
        ApplicationKeys keys;
    };

    // Minimize, hide, and give the foreground back to the target.
    void HideSequence(const platform::Target& target);
    // The selection, or nullopt (with the message shown) when the keys cannot reach the target
    // or there is none; without `copies`, the checks and the save only, and empty text.
    std::optional<std::u16string> CaptureSelection(const platform::Target& target, bool restores,
                                                   bool copies, const ApplicationKeys& keys);
    // Waits, bounded, while the target exists but has not got the keyboard back yet.
    platform::TargetState AwaitTarget(const platform::TargetWindow& target);
    // Sends a paste that is still waiting for its timer, before the quick tool's dialog opens:
    // sent while the dialog has the focus, it would land in the dialog's fields.
    void SendPendingPaste();

    void Pump();
    void WaitAndPump();
    // The clipboard's text once the target's copy has landed (its contents changed since
    // sequenceBefore and it can be opened), dispatching messages meanwhile; nullopt after
    // kCopyWaitMs without a copy.
    std::optional<std::u16string> AwaitCopy(std::uint32_t sequenceBefore);
    void WaitForModifierRelease();
    void SendChord(platform::KeyChord chord);
    // Puts the result on the clipboard and starts the paste timer; the selection is what the
    // paste puts back when the result is empty. After a paste of the result, the caret is moved
    // back by caretStops.
    void Deliver(const platform::TargetWindow& target, const std::u16string& result,
                 const std::u16string& selection, std::size_t caretStops, bool restores,
                 const ApplicationKeys& keys);
    // The target's own keys, from the table of applications.
    ApplicationKeys KeysOf(const platform::Target& target) const;
    // The user's clipboard is to come back after this application.
    bool Restores(const ApplicationKeys& keys, bool copies) const;
    // An application that saved the user's clipboard stops before its paste.
    void EndWithoutPaste(bool restores);
    void Paste(const PendingPaste& paste);
    // The result as keystrokes, stopped by Esc or by the target's losing the keyboard.
    void Type(const PendingPaste& paste);
    // Waits up to this long, answering messages, until `done` holds; true when it did.
    bool PumpUntil(int milliseconds, const std::function<bool()>& done);

    DriverServices services_;
    PickerMembers& picker_;
    TextTransforms& transforms_;
    bool busy_ = false;
    bool menuOpen_ = false;
    // From the menu's opening to its command.
    platform::Target menuTarget_;
    std::optional<PendingPaste> pending_;
    ClipboardKeeper keeper_;
};

} // namespace kvtx
