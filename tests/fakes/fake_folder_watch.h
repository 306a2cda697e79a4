#pragma once

#include "platform/folder_watch.h"

namespace kvtx::testing {

// A folder watch that tells a change once each time the test says there was one.
class FakeFolderWatch final : public platform::FolderWatch {
public:
    bool Changed() override {
        const bool told = changed;
        changed = false;
        return told;
    }

    bool changed = false;
};

} // namespace kvtx::testing
