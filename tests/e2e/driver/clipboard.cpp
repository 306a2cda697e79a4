#include "tests/e2e/driver/clipboard.h"

#include "platform/win32/wide.h"
#include "tests/e2e/driver/environment.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/polling.h"
#include "tests/e2e/driver/unix_command.h"

#include <cstring>
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

} // namespace

bool SetClipboardText(const std::u16string& text) {
    OpenedClipboard clipboard;
    if (!clipboard || !::EmptyClipboard()) {
        return false;
    }
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        return false;
    }
    void* data = ::GlobalLock(memory);
    std::memcpy(data, text.c_str(), bytes);
    ::GlobalUnlock(memory);
    if (::SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
        ::GlobalFree(memory);
        return false;
    }
    return true;
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
