#include "tests/e2e/driver/target_app.h"

#include "platform/win32/wide.h"
#include "tests/e2e/driver/environment.h"
#include "tests/e2e/driver/polling.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/top_level_windows.h"

#include <stdexcept>

namespace kvtx::e2e {

PerformanceClock::time_point PerformanceClock::FromCounter(long long counter) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    // Whole seconds and the rest apart, so that the product stays within 64 bits.
    const long long perSecond = frequency.QuadPart;
    return time_point(duration(counter / perSecond * 1'000'000'000 +
                               counter % perSecond * 1'000'000'000 / perSecond));
}

PerformanceClock::time_point PerformanceClock::now() {
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    return FromCounter(counter.QuadPart);
}

TargetApp TargetApp::Start() {
    Process process = Process::Start(BinaryDirectory() + u"e2e_target.exe");
    HWND window = nullptr;
    if (!PollUntil([&] {
            window = FindTopLevelWindow({u"KorvatexTestTarget", std::nullopt, process.Id(), true});
            return window != nullptr;
        })) {
        throw std::runtime_error("the target application showed no window");
    }
    return TargetApp(std::move(process), window);
}

TargetApp::TargetApp(Process process, HWND window)
    : process_(std::move(process)), window_(window), edit_(ChildById(window, 100)) {}

void TargetApp::SetText(const std::u16string& text) {
    ::SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(win32::Wide(text)));
}

std::u16string TargetApp::Text() const {
    return ControlText(edit_);
}

void TargetApp::Select(int start, int end) {
    ::SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(start), end);
}

std::pair<int, int> TargetApp::Selection() const {
    return EditSelection(edit_);
}

void TargetApp::SetCopyDelay(std::chrono::milliseconds delay) {
    ::SendMessageW(window_, WM_APP + 1, static_cast<WPARAM>(delay.count()), 0);
}

DWORD TargetApp::LastPasteSequence() const {
    return static_cast<DWORD>(::SendMessageW(window_, WM_APP + 7, 0, 0));
}

void TargetApp::ActAsTerminal(bool on) {
    ::SendMessageW(window_, WM_APP + 8, on ? 1 : 0, 0);
}

void TargetApp::SetPasteDelay(std::chrono::milliseconds delay) {
    ::SendMessageW(window_, WM_APP + 6, static_cast<WPARAM>(delay.count()), 0);
}

void TargetApp::CopyAfterEachPaste(bool on) {
    ::SendMessageW(window_, WM_APP + 2, on ? 1 : 0, 0);
}

PerformanceClock::time_point TargetApp::LastCopy() const {
    return PerformanceClock::FromCounter(::SendMessageW(window_, WM_APP + 3, 0, 0));
}

DWORD TargetApp::LastCopySequence() const {
    return static_cast<DWORD>(::SendMessageW(window_, WM_APP + 4, 0, 0));
}

PerformanceClock::time_point TargetApp::LastPaste() const {
    return PerformanceClock::FromCounter(::SendMessageW(window_, WM_APP + 5, 0, 0));
}

bool TargetApp::Focus() {
    return BringToForeground(window_) && PollUntil([&] { return HasKeyboardFocus(edit_); }, 5s);
}

} // namespace kvtx::e2e
