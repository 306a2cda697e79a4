#include "tests/e2e/driver/clipboard.h"

#include "platform/win32/wide.h"
#include "tests/e2e/driver/environment.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/polling.h"
#include "tests/e2e/driver/unix_command.h"

#include <cstring>
#include <string>
#include <windows.h>

namespace kvtx::e2e {
namespace {

class OpenedClipboard {
public:
    OpenedClipboard() : open_(PollUntil([] { return ::OpenClipboard(nullptr) != 0; }, 5s)) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (open_) {
            ::CloseClipboard();
        }
    }
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

// Puts a copy of the bytes on the open clipboard as this format.
bool Put(UINT format, const void* bytes, std::size_t size) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) {
        return false;
    }
    void* data = ::GlobalLock(memory);
    std::memcpy(data, bytes, size);
    ::GlobalUnlock(memory);
    if (::SetClipboardData(format, memory) == nullptr) {
        ::GlobalFree(memory);
        return false;
    }
    return true;
}

bool PutText(const std::u16string& text) {
    return Put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(char16_t));
}

UINT RegisteredFormat(const std::u16string& name) {
    return ::RegisterClipboardFormatW(win32::Wide(name));
}

} // namespace

bool SetClipboardText(const std::u16string& text) {
    OpenedClipboard clipboard;
    return clipboard && ::EmptyClipboard() && PutText(text);
}

bool SetClipboardTextWith(const std::u16string& text, const std::u16string& formatName,
                          const std::string& bytes) {
    OpenedClipboard clipboard;
    return clipboard && ::EmptyClipboard() && PutText(text) &&
           Put(RegisteredFormat(formatName), bytes.data(), bytes.size());
}

bool SetClipboardAnsiTextFirst(const std::u16string& text) {
    const int length =
        ::WideCharToMultiByte(CP_ACP, 0, win32::Wide(text), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, win32::Wide(text), -1, ansi.data(), length, nullptr, nullptr);
    OpenedClipboard clipboard;
    return clipboard && ::EmptyClipboard() && Put(CF_TEXT, ansi.data(), ansi.size()) &&
           PutText(text);
}

bool SetClipboardPicture(std::size_t pixelBytes) {
    constexpr LONG kWidth = 4096;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = kWidth;
    header.biHeight = -static_cast<LONG>(pixelBytes / (kWidth * 4)); // top-down
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::string dib(sizeof header + pixelBytes, '\x40');
    std::memcpy(dib.data(), &header, sizeof header);
    OpenedClipboard clipboard;
    return clipboard && ::EmptyClipboard() && Put(CF_DIB, dib.data(), dib.size());
}

std::optional<std::string> ClipboardFormat(const std::u16string& formatName) {
    OpenedClipboard clipboard;
    HANDLE memory = clipboard ? ::GetClipboardData(RegisteredFormat(formatName)) : nullptr;
    const auto* bytes =
        memory != nullptr ? static_cast<const char*>(::GlobalLock(memory)) : nullptr;
    if (bytes == nullptr) {
        return std::nullopt;
    }
    std::string copy(bytes, ::GlobalSize(memory));
    ::GlobalUnlock(memory);
    return copy;
}

std::size_t ClipboardFormatSize(unsigned format) {
    OpenedClipboard clipboard;
    HANDLE memory = clipboard ? ::GetClipboardData(format) : nullptr;
    return memory != nullptr ? ::GlobalSize(memory) : 0;
}

std::optional<std::u16string> ClipboardText() {
    OpenedClipboard clipboard;
    if (!clipboard) {
        return std::nullopt;
    }
    HANDLE memory = ::GetClipboardData(CF_UNICODETEXT);
    if (memory == nullptr) {
        return std::nullopt;
    }
    const auto* text = static_cast<const wchar_t*>(::GlobalLock(memory));
    if (text == nullptr) {
        return std::nullopt;
    }
    std::u16string copy = win32::FromWide(text);
    ::GlobalUnlock(memory);
    return copy;
}

bool EmptyClipboard() {
    OpenedClipboard clipboard;
    return clipboard && ::EmptyClipboard();
}

std::optional<std::string> XClipboardText() {
    const auto result = RunUnixCommand("xclip -selection clipboard -o", 10s);
    if (!result || result->status != 0) {
        return std::nullopt;
    }
    return result->output;
}

bool SetXClipboardText(const std::string& utf8) {
    const std::string file = ScratchUnixDirectory() + "/" + UniqueName("clipboard") + ".txt";
    WriteTextFile(WindowsPathOfUnix(file), utf8);
    // xclip stays behind to serve the selection until another program takes it.
    const auto result = RunUnixCommand(
        "xclip -selection clipboard -i " + ShellQuote(file) + " >/dev/null 2>&1", 10s);
    return result && result->status == 0;
}

} // namespace kvtx::e2e
