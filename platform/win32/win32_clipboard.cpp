#include "platform/win32/apply_services.h"
#include "platform/win32/clipboard_access.h"

#include <algorithm>
#include <optional>
#include <string>

namespace kvtx::win32 {
namespace {

// Another program may put text without its terminator; the read never passes the block's end.
std::optional<std::u16string> UnicodeText() {
    const LockedData data(::GetClipboardData(CF_UNICODETEXT));
    if (data.Bytes() == nullptr) {
        return std::nullopt;
    }
    const auto* first = static_cast<const char16_t*>(data.Bytes());
    const auto* last = first + data.Size() / sizeof(char16_t);
    return std::u16string(first, std::find(first, last, u'\0'));
}

std::optional<std::u16string> AnsiText() {
    const LockedData data(::GetClipboardData(CF_TEXT));
    if (data.Bytes() == nullptr) {
        return std::nullopt;
    }
    const auto* first = static_cast<const char*>(data.Bytes());
    const auto length = std::find(first, first + data.Size(), '\0') - first;
    if (length == 0) {
        return std::u16string();
    }
    const int units = ::MultiByteToWideChar(CP_ACP, 0, first, static_cast<int>(length), nullptr, 0);
    std::u16string text(static_cast<std::size_t>(std::max(units, 0)), u'\0');
    if (units > 0) {
        ::MultiByteToWideChar(CP_ACP, 0, first, static_cast<int>(length),
                              reinterpret_cast<wchar_t*>(text.data()), units);
    }
    return text;
}

} // namespace

std::optional<std::u16string> Win32Clipboard::ReadText() {
    const OpenedClipboard clipboard(owner_);
    if (!clipboard.IsOpen()) {
        return std::nullopt;
    }
    if (auto text = UnicodeText()) {
        return text;
    }
    return AnsiText().value_or(std::u16string());
}

std::uint32_t Win32Clipboard::SequenceNumber() const {
    return ::GetClipboardSequenceNumber();
}

void Win32Clipboard::WatchChanges(bool on) {
    if (on) {
        ::AddClipboardFormatListener(owner_);
    } else {
        ::RemoveClipboardFormatListener(owner_);
    }
}

} // namespace kvtx::win32
