#include "platform/win32/folder_change_watch.h"

#include "platform/win32/wide.h"

namespace kvtx::win32 {

void FolderChangeWatch::Start(const std::u16string& folder, HWND window, UINT message) {
    notification_.reset(::FindFirstChangeNotificationW(
        Wide(folder), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
    stop_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (notification_ && stop_) {
        thread_ = std::thread([this, window, message] { Watch(window, message); });
    }
}

void FolderChangeWatch::Watch(HWND window, UINT message) {
    const HANDLE handles[] = {stop_.get(), notification_.get()};
    while (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        // A save is several changes (a temporary file, a rename); each look is cheap.
        ::PostMessageW(window, message, 0, 0);
        if (!::FindNextChangeNotification(notification_.get())) {
            return;
        }
    }
}

FolderChangeWatch::~FolderChangeWatch() {
    if (thread_.joinable()) {
        ::SetEvent(stop_.get());
        thread_.join();
    }
}

} // namespace kvtx::win32
