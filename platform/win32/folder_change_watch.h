#pragma once

#include "platform/win32/unique_handle.h"

#include <string>
#include <thread>
#include <windows.h>

namespace kvtx::win32 {

// Posts a message to a window whenever a file in the folder is created, renamed, deleted or
// written. A thread of its own waits on the change notification, so the window's thread sleeps
// while nothing changes. A folder that cannot be watched (some network shares) posts nothing.
class FolderChangeWatch {
public:
    FolderChangeWatch() = default;
    FolderChangeWatch(const FolderChangeWatch&) = delete;
    FolderChangeWatch& operator=(const FolderChangeWatch&) = delete;
    ~FolderChangeWatch();

    void Start(const std::u16string& folder, HWND window, UINT message);

private:
    void Watch(HWND window, UINT message);

    UniqueHandle<ChangeNotificationTraits> notification_;
    KernelHandle stop_;
    std::thread thread_;
};

} // namespace kvtx::win32
