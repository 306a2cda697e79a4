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
        if (found == files.end() || unreadable.contains(path) || shareGone) {
            return std::nullopt;
        }
        std::vector<std::byte> bytes = found->second;
        if (const auto replacing = replaceDuringRead.find(path);
            replacing != replaceDuringRead.end()) {
            // The first half of the old file and the rest of the new one, as a reader on a slow
            // share may see a file that another computer writes in place meanwhile.
            const std::vector<std::byte> next = std::move(replacing->second);
            replaceDuringRead.erase(replacing);
            bytes.resize(bytes.size() / 2);
            if (next.size() > bytes.size()) {
                bytes.insert(bytes.end(), next.begin() + static_cast<std::ptrdiff_t>(bytes.size()),
                             next.end());
            }
            const_cast<FakeFileSystem*>(this)->Put(path, next);
        }
        bytes.resize(std::min(maxBytes, bytes.size()));
        return bytes;
    }

    bool WriteFile(const std::u16string& path, std::span<const std::byte> bytes) override {
        ++writes;
        if (failAllWrites || shareGone || lockedFiles.contains(path) ||
            readOnlyFiles.contains(path)) {
            return false;
        }
        Put(path, {bytes.begin(), bytes.end()});
        if (const auto failing = readsToFailAfterWrite.find(path);
            failing != readsToFailAfterWrite.end()) {
            readsToFail[path] = failing->second;
            readsToFailAfterWrite.erase(failing);
        }
        return true;
    }

    platform::NewFile WriteNewFile(const std::u16string& path,
                                   std::span<const std::byte> bytes) override {
        if (files.contains(path)) {
            return platform::NewFile::Exists;
        }
        return WriteFile(path, bytes) ? platform::NewFile::Written : platform::NewFile::Failed;
    }

    std::optional<platform::FileStamp> Stamp(const std::u16string& path) const override {
        const auto found = files.find(path);
        if (found == files.end() || shareGone) {
            return std::nullopt;
        }
        return platform::FileStamp{.size = found->second.size(),
                                   .modified = VersionOf(path),
                                   .readOnly = readOnlyFiles.contains(path)};
    }

    std::optional<std::vector<std::u16string>>
    FileNames(const std::u16string& folder) const override {
        if (shareGone) {
            return std::nullopt;
        }
        std::vector<std::u16string> names;
        for (const auto& [path, bytes] : files) {
            if (path.starts_with(folder) &&
                path.find_first_of(u"\\/", folder.size()) == std::u16string::npos) {
                names.push_back(path.substr(folder.size()));
            }
        }
        return names;
    }

    bool MayCreateFilesIn(const std::u16string&) const override { return !readOnlyFolder; }

    bool Exists(const std::u16string& path) const override {
        return !shareGone && (existsOverride ? existsOverride(path) : files.contains(path));
    }

    bool Remove(const std::u16string& path) override {
        removed.push_back(path);
        return files.erase(path) > 0;
    }

    // Every write gives the file a new time, as a clock that never stands still would.
    void Put(const std::u16string& path, std::vector<std::byte> bytes) {
        files[path] = std::move(bytes);
        versions[path] = ++lastVersion;
    }

    std::int64_t VersionOf(const std::u16string& path) const {
        const auto found = versions.find(path);
        return found == versions.end() ? 0 : found->second;
    }

    std::map<std::u16string, std::vector<std::byte>> files;
    std::set<std::u16string> unreadable;
    // Reads of a path that fail this many more times before reads succeed again, as a file
    // another program holds for a moment.
    mutable std::map<std::u16string, int> readsToFail;
    // As readsToFail, from the next write of the path on: the read back after a save.
    std::map<std::u16string, int> readsToFailAfterWrite;
    std::set<std::u16string> lockedFiles;
    // Files a published library marks read-only, and a folder that takes no new files.
    std::set<std::u16string> readOnlyFiles;
    bool readOnlyFolder = false;
    // The share went away: nothing can be read, written, looked at or listed until it is back.
    bool shareGone = false;
    // Another computer replaces the file while it is being read: the read sees part of each.
    mutable std::map<std::u16string, std::vector<std::byte>> replaceDuringRead;
    std::map<std::u16string, std::int64_t> versions;
    std::int64_t lastVersion = 0;
    bool failAllWrites = false;
    std::function<bool(const std::u16string&)> existsOverride;
    std::vector<std::u16string> removed;
    mutable int reads = 0;
    int writes = 0;
};

} // namespace kvtx::testing
