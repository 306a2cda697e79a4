#pragma once

#include "platform/foreground.h"

namespace kvtx::win32 {

// GetForegroundWindow and GetGUIThreadInfo, with the z-order standing in for the history of the
// foreground: the system raises each window it activates to the top of its band, so the highest
// window that could take the keyboard is the one the user was in last.
class Win32Foreground final : public platform::Foreground {
public:
    std::optional<platform::TargetWindow> Application() const override;
    std::optional<platform::TargetWindow> LastApplication() const override;
    void BringToFront(const platform::TargetWindow& target) override;
    platform::TargetState StateOf(const platform::TargetWindow& target) const override;
    void ReturnFocus(const platform::TargetWindow& target) override;
};

} // namespace kvtx::win32
