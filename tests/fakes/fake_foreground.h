#pragma once

#include "platform/foreground.h"
#include "tests/fakes/event_log.h"

#include <functional>
#include <string>

namespace kvtx::testing {

// The user's application as the foreground sees it: the window in front (`front`), and what
// state each query finds the target in. onQuery lets a test change it as time passes.
class FakeForeground final : public platform::Foreground {
public:
    static inline const platform::TargetWindow kEditor{0x1000, 4242,           77,           0x1001,
                                                       4242,   u"EditorFrame", u"editor.exe"};
    static inline const platform::TargetWindow kNotepad{0x2000,     5151,          88, 0x2001, 5151,
                                                        u"Notepad", u"notepad.exe"};

    std::optional<platform::TargetWindow> Application() const override { return front; }
    std::optional<platform::TargetWindow> LastApplication() const override { return last; }
    void BringToFront(const platform::TargetWindow& target) override {
        Note(log, "bring to front " + std::to_string(target.window));
        if (takesForeground) {
            front = target;
        }
    }
    platform::TargetState StateOf(const platform::TargetWindow& target) const override {
        ++queries;
        if (onQuery) {
            onQuery();
        }
        if (target.window == closed) {
            return platform::TargetState::Gone;
        }
        if (target.window == hung) {
            return platform::TargetState::NotAnswering;
        }
        return front && front->window == target.window ? platform::TargetState::Ready
                                                       : platform::TargetState::Elsewhere;
    }
    void ReturnFocus(const platform::TargetWindow& target) override {
        Note(log, "return focus " + std::to_string(target.focus));
    }

    std::optional<platform::TargetWindow> front = kEditor;
    std::optional<platform::TargetWindow> last = kEditor;
    // BringToFront works (the system lets the program choose).
    bool takesForeground = true;
    std::uintptr_t closed = 0;
    std::uintptr_t hung = 0;
    mutable int queries = 0;
    std::function<void()> onQuery;
    EventLog* log = nullptr;
};

} // namespace kvtx::testing
