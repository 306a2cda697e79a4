#include "platform/win32/folder_change_watch.h"

#include "platform/win32/wide.h"

namespace kvtx::win32 {

FolderChangeWatch::FolderChangeWatch(const std::u16string& folder)
    : notification_(::FindFirstChangeNotificationW(
          Wide(folder), FALSE,
          FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE)) {
}

bool FolderChangeWatch::Changed() {
    if (!notification_ || ::WaitForSingleObject(notification_.get(), 0) != WAIT_OBJECT_0) {
        return false;
    }
    // Armed again for the next change; all that came meanwhile count as this one.
    ::FindNextChangeNotification(notification_.get());
    return true;
}

} // namespace kvtx::win32
