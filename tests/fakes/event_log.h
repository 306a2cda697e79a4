#pragma once

#include <string>
#include <vector>

namespace kvtx::testing {

// One log shared by several fakes, so a test can check the order of calls across them.
using EventLog = std::vector<std::string>;

inline void Note(EventLog* log, std::string event) {
    if (log != nullptr) {
        log->push_back(std::move(event));
    }
}

} // namespace kvtx::testing
