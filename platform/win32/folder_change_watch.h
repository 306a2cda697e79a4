#pragma once

#include "platform/folder_watch.h"
#include "platform/win32/unique_handle.h"

#include <string>

namespace kvtx::win32 {

// A change notification on the folder: file names, sizes and write times, not sub-folders.
class FolderChangeWatch final : public platform::FolderWatch {
public:
    explicit FolderChangeWatch(const std::u16string& folder);
    bool Changed() override;

private:
    UniqueHandle<ChangeNotificationTraits> notification_;
};

} // namespace kvtx::win32
