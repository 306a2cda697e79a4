#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace kvtx::e2e {

// The Windows clipboard as seen inside Wine (CF_UNICODETEXT). Opening it is retried for a
// moment, since the program under test may hold it open.
bool SetClipboardText(const std::u16string& text);
std::optional<std::u16string> ClipboardText(); // nullopt when it holds no text
bool EmptyClipboard();
// Text and, beside it, a registered format holding these bytes, as a rich editor copies both.
bool SetClipboardTextWith(const std::u16string& text, const std::u16string& formatName,
                          const std::string& bytes);
// ANSI text first (the code page's bytes, "?" for what it lacks) and the Unicode text after it,
// as older programs put them.
bool SetClipboardAnsiTextFirst(const std::u16string& text);
// A device-independent bitmap with about this many bytes of pixels, as a picture editor copies
// one.
bool SetClipboardPicture(std::size_t pixelBytes);
// The bytes of a registered format (the system may round their size up); nullopt when absent.
std::optional<std::string> ClipboardFormat(const std::u16string& formatName);
// The size of one format's data, fetched (and so rendered) as a paste fetches it; 0 when absent.
std::size_t ClipboardFormatSize(unsigned format);

// The X server's clipboard, read and written from outside Wine with xclip.
std::optional<std::string> XClipboardText(); // UTF-8; Wine's CR LF arrives as LF
bool SetXClipboardText(const std::string& utf8);

} // namespace kvtx::e2e
