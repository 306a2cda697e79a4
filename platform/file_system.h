#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kvtx::platform {

// Whole-file access for the store and the history file. Every operation opens, acts and closes,
// so no file stays open between two user actions.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // At most maxBytes from the start of the file; nullopt when it cannot be opened.
    virtual std::optional<std::vector<std::byte>> ReadFile(const std::u16string& path,
                                                           std::size_t maxBytes) const = 0;

    // Replaces the file with exactly these bytes, or leaves the previous file untouched and
    // returns false: the bytes go to a temporary file in the same folder first.
    virtual bool WriteFile(const std::u16string& path, std::span<const std::byte> bytes) = 0;

    virtual bool Exists(const std::u16string& path) const = 0;
    virtual bool Remove(const std::u16string& path) = 0;
};

// The file system of the machine the program runs on.
FileSystem& NativeFileSystem();

// Folder of the running executable, ending in the platform's path separator.
std::u16string ExecutableDirectory();

} // namespace kvtx::platform
