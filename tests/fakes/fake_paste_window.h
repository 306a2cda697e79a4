#pragma once

#include "platform/paste_window.h"
#include "tests/fakes/event_log.h"

namespace kvtx::testing {

class FakePasteWindow final : public platform::PasteWindow {
public:
    void Minimize() override { Note(log, "minimize"); }
    void Hide() override {
        Note(log, "hide");
        visible = false;
    }
    void StartPasteTimer(int milliseconds) override {
        Note(log, "start paste timer " + std::to_string(milliseconds));
        pasteTimerMs = milliseconds;
    }
    void KillPasteTimer() override {
        Note(log, "kill paste timer");
        pasteTimerMs = -1;
    }

    void StartRestoreTimer(int milliseconds) override { restoreTimerMs = milliseconds; }
    void KillRestoreTimer() override { restoreTimerMs = -1; }

    bool visible = true;
    int pasteTimerMs = -1;   // -1: not running
    int restoreTimerMs = -1; // -1: not running
    EventLog* log = nullptr;
};

} // namespace kvtx::testing
