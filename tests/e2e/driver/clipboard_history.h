#pragma once

#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include <windows.h>

namespace kvtx::e2e {

// A clipboard history, as the user may run one beside the program: a window of its own thread
// that hears every change (AddClipboardFormatListener) and records the text, unless the markers
// it honours ask it to leave the contents alone. Windows' own history honours
// "ExcludeClipboardContentFromMonitorProcessing" and "CanIncludeInClipboardHistory"; the most
// common third-party ones, only "Clipboard Viewer Ignore".
class ClipboardHistory {
public:
    enum class Honours { WindowsMarkers, ViewerIgnoreOnly };
    explicit ClipboardHistory(Honours honours);
    ClipboardHistory(const ClipboardHistory&) = delete;
    ClipboardHistory& operator=(const ClipboardHistory&) = delete;
    ~ClipboardHistory();

    // Listening, once its window exists.
    bool WaitUntilListening();
    std::vector<std::u16string> Recorded() const;

private:
    void Run();
    void OnChange();

    Honours honours_;
    mutable std::mutex mutex_;
    std::vector<std::u16string> recorded_;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    std::thread thread_;
};

} // namespace kvtx::e2e
