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

} // namespace kvtx::e2e
