#pragma once

// RAII access to the clipboard and to the memory of one of its formats.

#include <cstddef>
#include <windows.h>

namespace kvtx::win32 {

// Closes the clipboard on every way out.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (open_) {
            ::CloseClipboard();
        }
    }
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

// The data of one format, locked for as long as the view lives.
class LockedData {
public:
    explicit LockedData(HANDLE data)
        : data_(data), bytes_(data != nullptr ? ::GlobalLock(data) : nullptr),
          size_(bytes_ != nullptr ? ::GlobalSize(data) : 0) {}
    LockedData(const LockedData&) = delete;
    LockedData& operator=(const LockedData&) = delete;
    ~LockedData() {
        if (bytes_ != nullptr) {
            ::GlobalUnlock(data_);
        }
    }
    const void* Bytes() const { return bytes_; }
    std::size_t Size() const { return size_; }

private:
    HANDLE data_;
    void* bytes_;
    std::size_t size_;
};

} // namespace kvtx::win32
