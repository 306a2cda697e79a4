#pragma once

#include <optional>
#include <string>

namespace kvtx::e2e {

// The Windows clipboard as seen inside Wine (CF_UNICODETEXT). Opening it is retried for a
// moment, since the program under test may hold it open.
bool SetClipboardText(const std::u16string& text);
std::optional<std::u16string> ClipboardText(); // nullopt when it holds no text
bool EmptyClipboard();

// The X server's clipboard, read and written from outside Wine with xclip.
std::optional<std::string> XClipboardText(); // UTF-8; Wine's CR LF arrives as LF
bool SetXClipboardText(const std::string& utf8);

} // namespace kvtx::e2e
