#pragma once

#include "tests/e2e/driver/polling.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace kvtx::e2e {

// For ASSERT_TRUE / EXPECT_TRUE: polls the condition; on time-out the failure says what was
// awaited and for how long, and names the screenshot taken at that moment.
testing::AssertionResult WaitUntil(const std::string& what, const std::function<bool()>& condition,
                                   std::chrono::milliseconds timeout = kDefaultTimeout);

// Polls until the probe yields a value and returns it; on time-out records a failure as above
// and returns nullopt.
template <typename T>
std::optional<T> WaitFor(const std::string& what, const std::function<std::optional<T>()>& probe,
                         std::chrono::milliseconds timeout = kDefaultTimeout) {
    std::optional<T> found;
    const auto result = WaitUntil(
        what, [&] { return (found = probe()).has_value(); }, timeout);
    if (!result) {
        ADD_FAILURE() << result.message();
    }
    return found;
}

// The text of a failure at this moment, with a screenshot: for conditions checked once.
std::string FailureWithScreenshot(const std::string& what);

} // namespace kvtx::e2e
