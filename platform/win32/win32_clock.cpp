#include "platform/clock.h"

#include <windows.h>

namespace kvtx::platform {
namespace {

class Win32Clock final : public Clock {
public:
    LocalTime Now() const override {
        SYSTEMTIME local{};
        GetLocalTime(&local);
        return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
    }
};

} // namespace

const Clock& SystemClock() {
    static const Win32Clock clock;
    return clock;
}

} // namespace kvtx::platform
