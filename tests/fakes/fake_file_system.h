#pragma once

#include "platform/file_system.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>

namespace kvtx::testing {

// An in-memory folder tree keyed by full path, with switches to make writes fail the way a
// full disk or a locked file does.
class FakeFileSystem final : public platform::FileSystem {
public:
    std::optional<std::vector<std::byte>> ReadFile(const std::u16string& path,
                                                   std::size_t maxBytes) const override {
        ++reads;
        const auto found = files.find(path);
        if (const auto failing = readsToFail.find(path);
            failing != readsToFail.end() && failing->second > 0) {
            --failing->second;
            return std::nullopt;
        }
        if (found == files.end() || unreadable.contains(path)) {
            return std::nullopt;
        }
        const auto& bytes = found->second;
        return std::vector<std::byte>(
            bytes.begin(),
            bytes.begin() + static_cast<std::ptrdiff_t>(std::min(maxBytes, bytes.size())));
    }

    bool WriteFile(const std::u16string& path, std::span<const std::byte> bytes) override {
        ++writes;
        if (failAllWrites || lockedFiles.contains(path)) {
            return false;
        }
        files[path].assign(bytes.begin(), bytes.end());
        return true;
    }

    bool Exists(const std::u16string& path) const override {
        return existsOverride ? existsOverride(path) : files.contains(path);
    }

    bool Remove(const std::u16string& path) override {
        removed.push_back(path);
        return files.erase(path) > 0;
    }

    void Put(const std::u16string& path, std::vector<std::byte> bytes) {
        files[path] = std::move(bytes);
    }

    std::map<std::u16string, std::vector<std::byte>> files;
    std::set<std::u16string> unreadable;
    // Reads of a path that fail this many more times before reads succeed again, as a file
    // another program holds for a moment.
    mutable std::map<std::u16string, int> readsToFail;
    std::set<std::u16string> lockedFiles;
    bool failAllWrites = false;
    std::function<bool(const std::u16string&)> existsOverride;
    std::vector<std::u16string> removed;
    mutable int reads = 0;
    int writes = 0;
};

} // namespace kvtx::testing
