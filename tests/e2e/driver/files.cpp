#include "tests/e2e/driver/files.h"

#include "platform/file_system.h"
#include "platform/utf.h"
#include "platform/win32/wide.h"

#include <filesystem>
#include <stdexcept>
#include <utility>

namespace kvtx::e2e {
namespace {

std::filesystem::path PathOf(const std::u16string& path) {
    return std::filesystem::path(std::wstring(path.begin(), path.end()));
}

std::string Narrow(const std::u16string& path) {
    return platform::Utf16ToUtf8(path);
}

} // namespace

std::optional<std::vector<std::byte>> ReadFileBytes(const std::u16string& path) {
    return platform::NativeFileSystem().ReadFile(path, std::size_t{1} << 30);
}

std::optional<std::string> ReadTextFile(const std::u16string& path) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size());
}

void WriteFileBytes(const std::u16string& path, const std::vector<std::byte>& bytes) {
    if (!platform::NativeFileSystem().WriteFile(path, bytes)) {
        throw std::runtime_error("cannot write " + Narrow(path));
    }
}

void WriteTextFile(const std::u16string& path, const std::string& text) {
    const auto* first = reinterpret_cast<const std::byte*>(text.data());
    WriteFileBytes(path, std::vector<std::byte>(first, first + text.size()));
}

void ReplaceFileBytes(const std::u16string& path, const std::vector<std::byte>& bytes) {
    const std::u16string temporary = path + u".incoming";
    {
        win32::FileHandle file(::CreateFileW(win32::Wide(temporary), GENERIC_WRITE, 0, nullptr,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file.valid() ||
            !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) ||
            written != bytes.size()) {
            throw std::runtime_error("cannot write " + Narrow(temporary));
        }
    }
    if (!::MoveFileExW(win32::Wide(temporary), win32::Wide(path), MOVEFILE_REPLACE_EXISTING)) {
        throw std::runtime_error("cannot rename " + Narrow(temporary) + " into place");
    }
}

bool FileExists(const std::u16string& path) {
    return platform::NativeFileSystem().Exists(path);
}

std::u16string MakeFreshDirectory(const std::u16string& path) {
    std::filesystem::remove_all(PathOf(path));
    std::filesystem::create_directories(PathOf(path));
    return path.ends_with(u'\\') ? path : path + u'\\';
}

ExclusiveFileLock::ExclusiveFileLock(const std::u16string& path)
    : file_(::CreateFileW(win32::Wide(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

ReadOnlyMark::ReadOnlyMark(std::u16string path)
    : path_(std::move(path)),
      set_(::SetFileAttributesW(win32::Wide(path_), FILE_ATTRIBUTE_READONLY) != FALSE) {}

ReadOnlyMark::~ReadOnlyMark() {
    if (set_) {
        ::SetFileAttributesW(win32::Wide(path_), FILE_ATTRIBUTE_NORMAL);
    }
}

void CopyFileInto(const std::u16string& source, const std::u16string& directory) {
    const auto from = PathOf(source);
    std::filesystem::copy_file(from, PathOf(directory) / from.filename(),
                               std::filesystem::copy_options::overwrite_existing);
}

} // namespace kvtx::e2e
