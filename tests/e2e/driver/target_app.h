#pragma once

#include "tests/e2e/driver/process.h"

#include <chrono>
#include <string>
#include <utility>
#include <windows.h>

namespace kvtx::e2e {

// The system's performance counter, which every process reads alike, as a clock: the moments the
// target records are read against it.
struct PerformanceClock {
    using rep = long long;
    using period = std::nano;
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<PerformanceClock>;
    static constexpr bool is_steady = true;
    static time_point now();
    static time_point FromCounter(long long counter);
};

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
    // The edit takes keys as a terminal: Ctrl+C types "^C", Ctrl+V "^V", Shift+Insert pastes.
    void ActAsTerminal(bool on);
    // The edit answers a paste this late from now on, and a copy asked for meanwhile after it.
    void SetPasteDelay(std::chrono::milliseconds delay);
    // Right after each paste the target copies kLaterCopy itself, standing for another program
    // that copies after the paste.
    void CopyAfterEachPaste(bool on);
    static constexpr char16_t kLaterCopy[] = u"後からのコピー";

    // When the edit last answered a copy and a paste, as the target recorded it (the epoch
    // before the first), and the clipboard's sequence number right after each.
    PerformanceClock::time_point LastCopy() const;
    DWORD LastCopySequence() const;
    PerformanceClock::time_point LastPaste() const;
    DWORD LastPasteSequence() const;

private:
    TargetApp(Process process, HWND window);

    Process process_;
    HWND window_;
    HWND edit_;
};

} // namespace kvtx::e2e
