#pragma once

namespace kvtx::platform {

// Tells whether anything in one folder changed since it was last asked. A folder that cannot be
// watched (some network shares never notify) just never tells: its users look for themselves
// now and then.
class FolderWatch {
public:
    virtual ~FolderWatch() = default;
    virtual bool Changed() = 0;
};

} // namespace kvtx::platform
