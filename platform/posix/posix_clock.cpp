#include "platform/clock.h"

#include <ctime>

namespace kvtx::platform {
namespace {

class PosixClock final : public Clock {
public:
    LocalTime Now() const override {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                local.tm_hour,        local.tm_min,     local.tm_sec};
    }
};

} // namespace

const Clock& SystemClock() {
    static const PosixClock clock;
    return clock;
}

} // namespace kvtx::platform
