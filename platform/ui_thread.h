#pragma once

#include <cstdint>
#include <functional>

namespace kvtx::platform {

// The user-interface thread's waiting and message dispatch, for the capture's waits in which
// hotkeys, timers and clicks go on being handled.
class UiThread {
public:
    virtual ~UiThread() = default;
    // Blocks for this long on the program's wait event "korvatex_waittimer", which nothing
    // signals, so the thread sleeps without spinning.
    virtual void Wait(int milliseconds) = 0;
    // The same wait, which ends early when a message arrives for the thread.
    virtual void WaitForMessage(int milliseconds) = 0;
    // A steady clock in milliseconds, for waits that end early and must still be bounded.
    virtual std::int64_t SteadyMilliseconds() const = 0;
    // Translates and dispatches at most one waiting message of the thread, for any window;
    // returns at once when the queue is empty.
    virtual void PumpOneMessage() = 0;
    // Runs the work on a thread of its own while this one goes on dispatching its messages, and
    // returns once the work is done (true) or after timeoutMs (false). Work still running then is
    // left to finish on its own, so it must own what it touches.
    virtual bool RunAside(std::function<void()> work, int timeoutMs) = 0;
};

} // namespace kvtx::platform
