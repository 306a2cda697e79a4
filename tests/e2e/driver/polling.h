#pragma once

#include <chrono>
#include <functional>

namespace kvtx::e2e {

using namespace std::chrono_literals;

// Long enough for a busy two-core machine running Wine; a wait that succeeds returns as soon as
// its condition holds, so only failing waits ever take this long.
inline constexpr std::chrono::milliseconds kDefaultTimeout = 15s;

// Checks the condition every `pace` until it holds or the time is up. The short waits between
// checks only pace the polling; the condition alone decides when to go on. A measurement that
// needs the moment itself polls at 1 ms.
bool PollUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = kDefaultTimeout,
               std::chrono::milliseconds pace = 15ms);

} // namespace kvtx::e2e
