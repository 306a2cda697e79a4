#pragma once

#include "tests/e2e/driver/process.h"

#include <chrono>
#include <string>
#include <utility>
#include <windows.h>

namespace kvtx::e2e {

// The test's stand-in for the user's application (tests/e2e/target): its edit control's text
// and selection are set and read from outside, and it is brought to the front so that
// synthesized keys reach the edit.
class TargetApp {
public:
    // Starts a new instance and waits for its window; throws if it does not come.
    static TargetApp Start();

    HWND Window() const { return window_; }
    HWND Edit() const { return edit_; }

    void SetText(const std::u16string& text);
    std::u16string Text() const;
    void Select(int start, int end);
    std::pair<int, int> Selection() const;

    // Brings the window to the front and waits until its edit has the keyboard focus.
    bool Focus();

    // The edit answers a copy this late from now on, as a busy application does.
    void SetCopyDelay(std::chrono::milliseconds delay);
    // Right after each paste the target copies kLaterCopy itself, standing for another program
    // that copies after the paste.
    void CopyAfterEachPaste(bool on);
    static constexpr char16_t kLaterCopy[] = u"後からのコピー";

private:
    TargetApp(Process process, HWND window);

    Process process_;
    HWND window_;
    HWND edit_;
};

} // namespace kvtx::e2e
