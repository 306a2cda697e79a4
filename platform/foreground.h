#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kvtx::platform {

// The application an item is applied to, named when the hotkey came and before the program
// showed anything: its top-level window, the process and thread that own it, and the control of
// that thread which had the keyboard then, with its process (another one in a frame that hosts
// another program's window); the window's class and the file name of the process's executable,
// which choose its keys. Handles are the system's, kept as numbers.
struct TargetWindow {
    std::uintptr_t window = 0;
    std::uint32_t process = 0;
    std::uint32_t thread = 0;
    std::uintptr_t focus = 0;
    std::uint32_t focusProcess = 0;
    std::u16string windowClass;
    std::u16string executable;

    friend bool operator==(const TargetWindow&, const TargetWindow&) = default;
};

// A command's target, named before the program shows anything: the foreground window for a
// hotkey, the application the user was in last for the tray icon's menu; nullopt when the user
// was in none (the desktop or the taskbar in front).
using Target = std::optional<TargetWindow>;

enum class TargetState {
    Ready,        // in the foreground, with the keyboard in one of its controls
    Elsewhere,    // it exists, but another window has the foreground or the keyboard
    Gone,         // closed
    NotAnswering, // its thread has stopped handling messages
};

// The foreground window and the hand-over of the keyboard to the target.
class Foreground {
public:
    virtual ~Foreground() = default;
    // The foreground window, when an application's: not this program's, nor the shell's
    // (taskbar, notification area, desktop); nullopt when there is none such.
    virtual std::optional<TargetWindow> Application() const = 0;
    // The application the user was in last, for a command that comes through the tray icon,
    // whose click gave the foreground to the shell.
    virtual std::optional<TargetWindow> LastApplication() const = 0;
    // Makes the target the foreground window.
    virtual void BringToFront(const TargetWindow& target) = 0;
    virtual TargetState StateOf(const TargetWindow& target) const = 0;
    // Puts the keyboard back into the control that had it when the target was named, if the
    // target's own activation left it in another of its controls and that one still exists.
    virtual void ReturnFocus(const TargetWindow& target) = 0;
};

} // namespace kvtx::platform
