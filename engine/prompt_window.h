#pragma once

namespace kvtx {

// What the small modal dialogs do to their own window. They are shown while the user works in
// another application, so they must be able to come to the front by themselves.
class PromptWindow {
public:
    virtual ~PromptWindow() = default;
    virtual void StartTimer(unsigned id, unsigned milliseconds) = 0;
    virtual void KillTimer(unsigned id) = 0;
    // Above every window that is not topmost, without moving or resizing.
    virtual void MakeTopmost() = 0;
    virtual void BringToForeground() = 0;
    virtual void TakeFocus() = 0;
};

} // namespace kvtx
