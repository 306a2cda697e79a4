#pragma once

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

} // namespace kvtx::e2e
