#pragma once

namespace kvtx::platform {

// Timer id of the main window that sends the paste keystroke.
inline constexpr unsigned TIMER_PASTE = 2;

// What the capture and paste driver does to the program's hidden main window.
class PasteWindow {
public:
    virtual ~PasteWindow() = default;
    virtual void Minimize() = 0;
    virtual void Hide() = 0;
    // Hands the keyboard focus to whatever window is in the foreground now.
    virtual void FocusForegroundWindow() = 0;
    // The paste timer of the window; starting it while it is pending restarts it.
    virtual void StartPasteTimer(int milliseconds) = 0;
    virtual void KillPasteTimer() = 0;
};

} // namespace kvtx::platform
