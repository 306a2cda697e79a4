#pragma once

#include "platform/clock.h"

namespace kvtx::testing {

// A clock that stands still at `now` and counts how often it was read.
class FakeClock final : public platform::Clock {
public:
    explicit FakeClock(platform::LocalTime at) : now(at) {}
    platform::LocalTime Now() const override {
        ++readings;
        return now;
    }

    platform::LocalTime now;
    mutable int readings = 0;
};

} // namespace kvtx::testing
