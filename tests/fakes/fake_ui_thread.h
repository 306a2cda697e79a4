#pragma once

#include "platform/ui_thread.h"
#include "tests/fakes/event_log.h"

#include <deque>
#include <functional>
#include <map>

namespace kvtx::testing {

// Waits only count time; pumping runs the queued messages one at a time, as the real queue
// would dispatch them. What `at` holds happens once the waits reach its time; a wait that ends
// on a message ends there.
class FakeUiThread final : public platform::UiThread {
public:
    void Wait(int milliseconds) override {
        Note(log, "wait " + std::to_string(milliseconds));
        RunUntil(waitedMs + milliseconds);
    }
    void WaitForMessage(int milliseconds) override {
        Note(log, "wait for a message " + std::to_string(milliseconds));
        const int end = waitedMs + milliseconds;
        RunUntil(at.empty() ? end : std::min(end, std::max(waitedMs, at.begin()->first)));
    }
    std::int64_t SteadyMilliseconds() const override { return waitedMs; }
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

    // The work runs here; what the fake time passed in it tells whether it came in time.
    bool RunAside(std::function<void()> work, int timeoutMs) override {
        Note(log, "run aside");
        const int started = waitedMs;
        work();
        return waitedMs - started <= timeoutMs;
    }

    std::deque<std::function<void()>> queue;
    std::multimap<int, std::function<void()>> at;
    int waitedMs = 0;
    int pumps = 0;
    EventLog* log = nullptr;

private:
    void RunUntil(int time) {
        while (!at.empty() && at.begin()->first <= time) {
            auto event = std::move(at.begin()->second);
            waitedMs = std::max(waitedMs, at.begin()->first);
            at.erase(at.begin());
            event();
        }
        waitedMs = time;
    }
};

} // namespace kvtx::testing
