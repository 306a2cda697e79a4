#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kvtx::platform {

// What a file looks like from outside: enough to tell that another program changed it without
// reading it.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0; // the platform's own units; only compared
    bool readOnly = false;
    bool operator==(const FileStamp&) const = default;
};

enum class NewFile {
    Written,
    Exists, // a file of that name was there first, perhaps from another computer; it is kept
    Failed,
};

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

    // Creates the file with exactly these bytes, but never in place of a file that exists.
    virtual NewFile WriteNewFile(const std::u16string& path, std::span<const std::byte> bytes) = 0;

    // nullopt when there is no file by that name, or it cannot be reached.
    virtual std::optional<FileStamp> Stamp(const std::u16string& path) const = 0;

    // The names of the files in a folder (ending in the platform's separator), sub-folders left
    // out; nullopt when the folder cannot be read, as when its share has gone away.
    virtual std::optional<std::vector<std::u16string>>
    FileNames(const std::u16string& folder) const = 0;

    // False only when the folder refuses new files (no permission, a read-only medium). Tried by
    // creating a file that is gone again when the call returns.
    virtual bool MayCreateFilesIn(const std::u16string& folder) const = 0;

    virtual bool Exists(const std::u16string& path) const = 0;
    virtual bool Remove(const std::u16string& path) = 0;
};

// The file system of the machine the program runs on.
FileSystem& NativeFileSystem();

// Folder of the running executable, ending in the platform's path separator.
std::u16string ExecutableDirectory();

} // namespace kvtx::platform
