#pragma once

namespace kvtx::platform {

// Timer ids of the main window: the one that sends the paste keystroke, and the one that puts
// the user's clipboard back once the paste has taken the result.
inline constexpr unsigned TIMER_PASTE = 2;
inline constexpr unsigned TIMER_RESTORE = 3;

// What the capture and paste driver does to the program's hidden main window.
class PasteWindow {
public:
    virtual ~PasteWindow() = default;
    virtual void Minimize() = 0;
    virtual void Hide() = 0;
    // The paste timer of the window; starting it while it is pending restarts it.
    virtual void StartPasteTimer(int milliseconds) = 0;
    virtual void KillPasteTimer() = 0;
    virtual void StartRestoreTimer(int milliseconds) = 0;
    virtual void KillRestoreTimer() = 0;
};

} // namespace kvtx::platform
