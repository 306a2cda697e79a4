#pragma once

namespace kvtx::platform {

// A broken-down local date and time, already in human terms: the full year and the month from 1.
struct LocalTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..60 (a leap second)

    bool operator==(const LocalTime&) const = default;
};

// The wall clock, behind an interface so that template expansion can be tested at a fixed instant.
class Clock {
public:
    virtual ~Clock() = default;
    // The system clock with the time zone applied.
    virtual LocalTime Now() const = 0;
};

// The clock of the machine the program runs on.
const Clock& SystemClock();

} // namespace kvtx::platform
