#pragma once

namespace kvtx::platform {

// Timers of the main window; each fires as a message until it is killed.
class Timers {
public:
    virtual ~Timers() = default;
    virtual void Start(unsigned id, unsigned milliseconds) = 0;
    virtual void Kill(unsigned id) = 0;
};

} // namespace kvtx::platform
