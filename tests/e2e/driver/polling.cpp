#include "tests/e2e/driver/polling.h"

#include <windows.h>

namespace kvtx::e2e {

bool PollUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds pace) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return condition();
        }
        ::Sleep(static_cast<DWORD>(pace.count()));
    }
}

} // namespace kvtx::e2e
