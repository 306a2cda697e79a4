#include "tests/e2e/driver/waiting.h"

#include "tests/e2e/driver/screenshot.h"

namespace kvtx::e2e {
namespace {

std::string CurrentTestName() {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    if (test == nullptr) {
        return "outside-test";
    }
    return std::string(test->test_suite_name()) + "." + test->name();
}

} // namespace

std::string FailureWithScreenshot(const std::string& what) {
    return what + "\n  screenshot: " + SaveScreenshot(CurrentTestName());
}

testing::AssertionResult WaitUntil(const std::string& what, const std::function<bool()>& condition,
                                   std::chrono::milliseconds timeout) {
    if (PollUntil(condition, timeout)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << FailureWithScreenshot(
               "timed out after " + std::to_string(timeout.count()) + " ms waiting for " + what);
}

} // namespace kvtx::e2e
