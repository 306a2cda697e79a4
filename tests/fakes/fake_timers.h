#pragma once

#include "platform/timers.h"

#include <map>

namespace kvtx::testing {

// The running timers by id with their periods.
class FakeTimers final : public platform::Timers {
public:
    void Start(unsigned id, unsigned milliseconds) override { running[id] = milliseconds; }
    void Kill(unsigned id) override { running.erase(id); }

    std::map<unsigned, unsigned> running;
};

} // namespace kvtx::testing
