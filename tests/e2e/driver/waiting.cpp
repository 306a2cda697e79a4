#include "tests/e2e/driver/waiting.h"

#include "platform/utf.h"
#include "tests/e2e/driver/screenshot.h"
#include "tests/e2e/driver/top_level_windows.h"

namespace kvtx::e2e {
namespace {

std::string CurrentTestName() {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    if (test == nullptr) {
        return "outside-test";
    }
    return std::string(test->test_suite_name()) + "." + test->name();
}

// Where keystrokes go at this moment: most failed waits come from keys that went elsewhere.
std::string KeyboardDestination() {
    const auto foreground = ForegroundThreadInfo();
    if (!foreground) {
        return "no foreground thread";
    }
    const auto describe = [](HWND window) {
        if (window == nullptr) {
            return std::string("none");
        }
        return platform::Utf16ToUtf8(ClassOf(window)) + " \"" +
               platform::Utf16ToUtf8(CaptionOf(window)) + "\" of process " +
               std::to_string(ProcessOf(window));
    };
    std::string text =
        "active " + describe(foreground->hwndActive) + ", focus " + describe(foreground->hwndFocus);
    if ((foreground->flags & GUI_INMENUMODE) != 0) {
        text += ", in a menu of " + describe(foreground->hwndMenuOwner);
    }
    return text;
}

} // namespace

std::string FailureWithScreenshot(const std::string& what) {
    return what + "\n  keyboard: " + KeyboardDestination() +
           "\n  screenshot: " + SaveScreenshot(CurrentTestName());
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
