#pragma once

#include "engine/picker_members.h"
#include "engine/regex_prompt.h"
#include "engine/text_transforms.h"
#include "platform/clipboard.h"
#include "platform/keystrokes.h"
#include "platform/message_box.h"
#include "platform/paste_window.h"
#include "platform/ui_thread.h"

#include <string>

namespace kvtx {

// How long the copy and paste keystrokes wait for the user to let go of Shift, Alt and the
// Windows key before they are sent anyway.
inline constexpr int kModifierReleaseWaitMs = 2000;

struct DriverServices {
    platform::Clipboard& clipboard;
    platform::Keystrokes& keystrokes;
    platform::UiThread& thread;
    platform::PasteWindow& window;
    platform::MessageBox& messages;
};

// Applies items and the quick tool to the foreground application: takes its selection with a
// synthesized Ctrl+C, puts the result on the clipboard through the picker's preview, and pastes
// it with a synthesized Ctrl+V once the paste timer fires.
//
// Everything runs on the user-interface thread, and the capture's waits dispatch messages, so a
// hotkey can arrive in the middle of an application. One application runs at a time: requests
// that arrive while one is under way are ignored, and a paste still pending when the next
// application starts is sent first, so that no result is lost or pasted into the wrong window.
class CaptureAndPaste {
public:
    CaptureAndPaste(DriverServices services, PickerMembers& picker, TextTransforms& transforms);

    // index = command id - ID_PHRASE_BASE: category index / 26, item index % 26.
    void ApplyItem(int index);
    // Asks for a pattern and a replacement and substitutes them over the selection.
    void RunQuickRegex(RegexPrompt& prompt);
    // The handler of TIMER_PASTE.
    void OnPasteTimer();

    // Minimize, hide, and give the focus to the window now in the foreground.
    void HideSequence();
    std::u16string CaptureSelection();
    // Sends a paste that is still waiting for its timer, as the first thing a new application
    // or the category menu does.
    void SendPendingPaste();

    bool Busy() const { return busy_; }

private:
    class BusyScope;

    void WaitAndPump();
    void WaitForModifierRelease();
    void SendChord(std::uint8_t letter);
    void Deliver(const std::u16string& result);

    DriverServices services_;
    PickerMembers& picker_;
    TextTransforms& transforms_;
    bool busy_ = false;
    bool pastePending_ = false;
};

} // namespace kvtx
