#include "platform/file_system.h"
#include "platform/utf.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

#include <algorithm>
#include <string>
#include <windows.h>

namespace kvtx::platform {
namespace {

using win32::FileHandle;
using win32::FindHandle;
using win32::Wide;

// A virus scanner, an indexer or a backup tool may hold the file for a moment without sharing
// it; only a holder that keeps it longer than that makes the save fail.
bool ReplaceWithPatience(const std::u16string& source, const std::u16string& target) {
    constexpr int kAttempts = 20;
    constexpr DWORD kPauseMs = 50;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (attempt > 0) {
            ::Sleep(kPauseMs);
        }
        if (::MoveFileExW(Wide(source), Wide(target),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
            error != ERROR_LOCK_VIOLATION) {
            return false;
        }
    }
    return false;
}

// The bytes in a new file, flushed before anything refers to it, so that a power loss leaves
// the old or the new file whole.
bool WriteTemporary(const std::u16string& temporary, std::span<const std::byte> bytes) {
    FileHandle file(::CreateFileW(Wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD put = 0;
        if (!::WriteFile(file.get(), bytes.data() + done, want, &put, nullptr) || put != want) {
            return false;
        }
        done += put;
    }
    return ::FlushFileBuffers(file.get()) != 0;
}

class Win32FileSystem final : public FileSystem {
public:
    std::optional<std::vector<std::byte>> ReadFile(const std::u16string& path,
                                                   std::size_t maxBytes) const override {
        // Sharing delete lets another computer's save replace the file meanwhile; this read
        // then goes on with the old file whole.
        FileHandle file(::CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            return std::nullopt;
        }
        std::vector<std::byte> bytes;
        std::vector<std::byte> chunk(65536);
        while (bytes.size() < maxBytes) {
            const auto want = static_cast<DWORD>(std::min(chunk.size(), maxBytes - bytes.size()));
            DWORD got = 0;
            if (!::ReadFile(file.get(), chunk.data(), want, &got, nullptr)) {
                return std::nullopt;
            }
            if (got == 0) {
                break;
            }
            bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
        }
        return bytes;
    }

    bool WriteFile(const std::u16string& path, std::span<const std::byte> bytes) override {
        // A file marked read-only is one the user means to keep. Windows refuses to replace it,
        // but only after the new file is written and the patient replace has run out; Wine
        // replaces it. Refused here at once, the same everywhere.
        const DWORD attributes = ::GetFileAttributesW(Wide(path));
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            return false;
        }
        const std::u16string temporary = path + u".kvtxtmp";
        if (WriteTemporary(temporary, bytes) && ReplaceWithPatience(temporary, path)) {
            return true;
        }
        ::DeleteFileW(Wide(temporary));
        return false;
    }

    NewFile WriteNewFile(const std::u16string& path, std::span<const std::byte> bytes) override {
        const std::u16string temporary = path + u".kvtxtmp";
        if (!WriteTemporary(temporary, bytes)) {
            ::DeleteFileW(Wide(temporary));
            return NewFile::Failed;
        }
        // Without MOVEFILE_REPLACE_EXISTING the move refuses a name that is taken.
        if (::MoveFileExW(Wide(temporary), Wide(path), MOVEFILE_WRITE_THROUGH)) {
            return NewFile::Written;
        }
        const DWORD error = ::GetLastError();
        ::DeleteFileW(Wide(temporary));
        return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? NewFile::Exists
                                                                           : NewFile::Failed;
    }

    std::optional<FileStamp> Stamp(const std::u16string& path) const override {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(Wide(path), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return std::nullopt;
        }
        return FileStamp{
            .size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
            .modified = static_cast<std::int64_t>(
                (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                data.ftLastWriteTime.dwLowDateTime),
            .readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0};
    }

    std::optional<std::vector<std::u16string>>
    FileNames(const std::u16string& folder) const override {
        WIN32_FIND_DATAW found{};
        FindHandle search(::FindFirstFileW(Wide(folder + u"*"), &found));
        if (!search) {
            return std::nullopt;
        }
        std::vector<std::u16string> names;
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                names.push_back(win32::FromWide(found.cFileName));
            }
        } while (::FindNextFileW(search.get(), &found));
        return names;
    }

    bool MayCreateFilesIn(const std::u16string& folder) const override {
        // Gone again when its handle closes, so no sync service or colleague ever sees it.
        const std::u16string probe =
            folder + u".kvtx-probe-" + Utf8ToUtf16(std::to_string(::GetCurrentProcessId()));
        FileHandle file(::CreateFileW(
            Wide(probe), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (file) {
            return true;
        }
        const DWORD error = ::GetLastError();
        return error != ERROR_ACCESS_DENIED && error != ERROR_WRITE_PROTECT;
    }

    bool Exists(const std::u16string& path) const override {
        WIN32_FIND_DATAW found{};
        FindHandle search(::FindFirstFileW(Wide(path), &found));
        return search.valid();
    }

    bool Remove(const std::u16string& path) override { return ::DeleteFileW(Wide(path)) != 0; }
};

} // namespace

FileSystem& NativeFileSystem() {
    static Win32FileSystem files;
    return files;
}

std::u16string ExecutableDirectory() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    wchar_t drive[_MAX_DRIVE] = {};
    wchar_t directory[_MAX_DIR] = {};
    ::_wsplitpath_s(path, drive, _MAX_DRIVE, directory, _MAX_DIR, nullptr, 0, nullptr, 0);
    return win32::FromWide(drive) + win32::FromWide(directory);
}

} // namespace kvtx::platform
