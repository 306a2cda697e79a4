#include "platform/file_system.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

#include <algorithm>
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

class Win32FileSystem final : public FileSystem {
public:
    std::optional<std::vector<std::byte>> ReadFile(const std::u16string& path,
                                                   std::size_t maxBytes) const override {
        FileHandle file(::CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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
        bool written = false;
        {
            FileHandle file(::CreateFileW(Wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!file) {
                return false;
            }
            written = true;
            std::size_t done = 0;
            while (written && done < bytes.size()) {
                const auto want =
                    static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
                DWORD put = 0;
                written = ::WriteFile(file.get(), bytes.data() + done, want, &put, nullptr) &&
                          put == want;
                done += put;
            }
            // On disk before the replace, so a power loss leaves the old or the new file whole.
            written = written && ::FlushFileBuffers(file.get());
        }
        if (written && ReplaceWithPatience(temporary, path)) {
            return true;
        }
        ::DeleteFileW(Wide(temporary));
        return false;
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
