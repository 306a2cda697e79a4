#include "tests/e2e/driver/clipboard_history.h"

#include "tests/e2e/driver/polling.h"

namespace kvtx::e2e {
namespace {

bool Marked(const wchar_t* name) {
    return ::IsClipboardFormatAvailable(::RegisterClipboardFormatW(name)) != FALSE;
}

} // namespace

ClipboardHistory::ClipboardHistory(Honours honours)
    : honours_(honours), thread_([this] { Run(); }) {}

ClipboardHistory::~ClipboardHistory() {
    if (WaitUntilListening()) {
        const std::lock_guard lock(mutex_);
        ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    }
    thread_.join();
}

bool ClipboardHistory::WaitUntilListening() {
    return PollUntil([&] {
        const std::lock_guard lock(mutex_);
        return window_ != nullptr;
    });
}

std::vector<std::u16string> ClipboardHistory::Recorded() const {
    const std::lock_guard lock(mutex_);
    return recorded_;
}

void ClipboardHistory::Run() {
    const auto procedure = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_CLIPBOARDUPDATE) {
            reinterpret_cast<ClipboardHistory*>(::GetWindowLongPtrW(window, GWLP_USERDATA))
                ->OnChange();
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    };
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KorvatexTestClipboardHistory";
    ::RegisterClassW(&windowClass);
    HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, windowClass.hInstance, nullptr);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::AddClipboardFormatListener(window);
    {
        const std::lock_guard lock(mutex_);
        threadId_ = ::GetCurrentThreadId();
        window_ = window;
    }
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    ::RemoveClipboardFormatListener(window);
    ::DestroyWindow(window);
}

void ClipboardHistory::OnChange() {
    const bool leftAlone = honours_ == Honours::WindowsMarkers
                               ? Marked(L"ExcludeClipboardContentFromMonitorProcessing") ||
                                     Marked(L"CanIncludeInClipboardHistory")
                               : Marked(L"Clipboard Viewer Ignore");
    if (leftAlone) {
        return;
    }
    // Another program may hold the clipboard open a moment, as the one under test does when it
    // reads a copy; a history tries again.
    for (int attempt = 0; !::OpenClipboard(window_); ++attempt) {
        if (attempt == 50) {
            return;
        }
        ::Sleep(10);
    }
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const char16_t*>(::GlobalLock(data))) {
            const std::lock_guard lock(mutex_);
            recorded_.emplace_back(text);
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
}

} // namespace kvtx::e2e
