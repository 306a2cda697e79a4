#include "tests/e2e/driver/modal_dialogs.h"

#include "platform/utf.h"
#include "tests/e2e/driver/polling.h"
#include "tests/e2e/driver/top_level_windows.h"
#include "tests/e2e/driver/waiting.h"

#include <string>

namespace kvtx::e2e {
namespace {

std::string Describe(HWND window) {
    if (window == nullptr) {
        return "none";
    }
    return platform::Utf16ToUtf8(ClassOf(window)) + " \"" +
           platform::Utf16ToUtf8(CaptionOf(window)) + "\"";
}

struct CoverSearch {
    HWND dialog;
    RECT area;
    DWORD process;
    HWND cover = nullptr;
};

// Top-level windows come in z-order, topmost first, so every window seen before the dialog
// lies above it.
BOOL CALLBACK FindCover(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<CoverSearch*>(context);
    if (window == search.dialog) {
        return FALSE;
    }
    RECT rect{};
    RECT overlap{};
    if (::IsWindowVisible(window) && ProcessOf(window) == search.process &&
        ::GetWindowRect(window, &rect) && ::IntersectRect(&overlap, &rect, &search.area)) {
        search.cover = window;
        return FALSE;
    }
    return TRUE;
}

bool OnTheScreen(const RECT& rect) {
    const LONG left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const LONG top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return rect.left >= left && rect.top >= top &&
           rect.right <= left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN) &&
           rect.bottom <= top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

} // namespace

bool HasTaskbarButton(HWND window) {
    const WindowState state = StateOf(window);
    return state.visible &&
           (state.appWindow || (::GetWindow(window, GW_OWNER) == nullptr && !state.toolWindow));
}

namespace {

// What keeps the dialog from being shown as a modal dialog over its owner; empty when nothing.
std::string ModalFaults(HWND dialog, HWND owner) {
    const WindowState state = StateOf(dialog);
    std::string faults;
    if (HWND actual = ::GetWindow(dialog, GW_OWNER); actual != owner) {
        faults += "\n  owned by " + Describe(actual) + " instead of " + Describe(owner);
    }
    if (owner != nullptr && ::IsWindowEnabled(owner)) {
        faults += "\n  its owner " + Describe(owner) + " stays enabled";
    }
    if (HasTaskbarButton(dialog)) {
        faults += "\n  it has a taskbar button of its own";
    }
    if (::GetForegroundWindow() != dialog) {
        faults += "\n  the foreground window is " + Describe(::GetForegroundWindow());
    }
    if (!OnTheScreen(state.rect)) {
        faults += "\n  it reaches past the screen";
    }
    CoverSearch search{dialog, state.rect, ProcessOf(dialog)};
    ::EnumWindows(FindCover, reinterpret_cast<LPARAM>(&search));
    if (search.cover != nullptr) {
        faults += "\n  it lies behind " + Describe(search.cover);
    }
    return faults;
}

} // namespace

testing::AssertionResult ShowsAsModalOver(HWND dialog, HWND owner) {
    // A dialog takes a moment to come to the front after it appears.
    std::string faults;
    if (PollUntil([&] { return (faults = ModalFaults(dialog, owner)).empty(); }, 5s)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << FailureWithScreenshot(
               "the dialog " + Describe(dialog) + " is not shown as a modal dialog:" + faults);
}

} // namespace kvtx::e2e
