#pragma once

#include "platform/win32/unique_handle.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kvtx::e2e {

// Whole files, read back as the program left them.
std::optional<std::vector<std::byte>> ReadFileBytes(const std::u16string& path);
std::optional<std::string> ReadTextFile(const std::u16string& path);
void WriteFileBytes(const std::u16string& path, const std::vector<std::byte>& bytes);
void WriteTextFile(const std::u16string& path, const std::string& text);
// Writes the file whole under a temporary name in its folder and renames that into place, as
// another computer's editor or a sync service delivers a file: a reader finds the old file or the
// new one, never a part. Plain Win32 calls, so that no code of the program's writes it.
void ReplaceFileBytes(const std::u16string& path, const std::vector<std::byte>& bytes);
bool FileExists(const std::u16string& path);

// An empty folder at this path, whatever was there before. The path ends in a backslash.
std::u16string MakeFreshDirectory(const std::u16string& path);
void CopyFileInto(const std::u16string& source, const std::u16string& directory);

// Holds a file open with no sharing, as another program may, so that nobody can replace, write
// or delete it until the lock is released.
class ExclusiveFileLock {
public:
    explicit ExclusiveFileLock(const std::u16string& path);
    bool Held() const { return file_.valid(); }
    void Release() { file_.reset(); }

private:
    win32::FileHandle file_;
};

// Marks a file read-only for as long as the mark lives, as a share that grants reading only
// shows it; Wine takes the file's write permissions away for it. The mark is taken off again so
// that the scenario's folder can be cleared.
class ReadOnlyMark {
public:
    explicit ReadOnlyMark(std::u16string path);
    ReadOnlyMark(const ReadOnlyMark&) = delete;
    ReadOnlyMark& operator=(const ReadOnlyMark&) = delete;
    ~ReadOnlyMark();
    bool Set() const { return set_; }

private:
    std::u16string path_;
    bool set_ = false;
};

} // namespace kvtx::e2e
