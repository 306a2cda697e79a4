#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvtx::platform {

// Invalid sequences become U+FFFD, so a damaged name can still be shown. Where input must be
// refused instead (an import), check it with IsValidUtf8 first, or decode with
// AppendValidUtf8AsUtf16, which checks as it goes.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
bool IsValidUtf8(std::string_view utf8);

struct Utf8Decoded {
    std::size_t bytesTaken;
    bool malformed;
};

// Appends the UTF-16 of utf8 to out, up to the first malformed sequence (malformed is then set)
// or up to a sequence that the bytes end inside, which a reader of a stream completes with the
// bytes that follow. Text that decodes whole has bytesTaken == utf8.size().
Utf8Decoded AppendValidUtf8AsUtf16(std::string_view utf8, std::u16string& out);

// Appends the UTF-8 of utf16 to out; a lone surrogate becomes U+FFFD.
void AppendUtf16AsUtf8(std::u16string_view utf16, std::string& out);

} // namespace kvtx::platform
