#pragma once

#include <string>
#include <string_view>

namespace kvtx::platform {

// Invalid sequences become U+FFFD, so a damaged name can still be shown. Where input must be
// refused instead (an import), check it with IsValidUtf8 first.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
bool IsValidUtf8(std::string_view utf8);

} // namespace kvtx::platform
