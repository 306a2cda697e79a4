#pragma once

#include "platform/ui_thread.h"
#include "tests/fakes/event_log.h"

#include <deque>
#include <functional>

namespace kvtx::testing {

// Waits only count time; pumping runs the queued messages one at a time, as the real queue
// would dispatch them.
class FakeUiThread final : public platform::UiThread {
public:
    void Wait(int milliseconds) override {
        Note(log, "wait " + std::to_string(milliseconds));
        waitedMs += milliseconds;
    }
    void PumpOneMessage() override {
        Note(log, "pump");
        ++pumps;
        if (queue.empty()) {
            return;
        }
        auto message = std::move(queue.front());
        queue.pop_front();
        message();
    }

    std::deque<std::function<void()>> queue;
    int waitedMs = 0;
    int pumps = 0;
    EventLog* log = nullptr;
};

} // namespace kvtx::testing
