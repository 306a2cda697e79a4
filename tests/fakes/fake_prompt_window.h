#pragma once

#include "engine/prompt_window.h"
#include "tests/fakes/event_log.h"

#include <string>

namespace kvtx::testing {

class FakePromptWindow final : public PromptWindow {
public:
    void StartTimer(unsigned id, unsigned milliseconds) override {
        Note(&log, "start timer " + std::to_string(id) + " " + std::to_string(milliseconds));
    }
    void KillTimer(unsigned id) override { Note(&log, "kill timer " + std::to_string(id)); }
    void MakeTopmost() override { Note(&log, "topmost"); }
    void BringToForeground() override { Note(&log, "foreground"); }
    void TakeFocus() override { Note(&log, "focus"); }

    EventLog log;
};

} // namespace kvtx::testing
