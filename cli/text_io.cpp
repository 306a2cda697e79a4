#include "cli/text_io.h"

#include "platform/utf.h"

#include <sstream>

namespace kvtx::cli {

std::optional<std::u16string> ReadUtf8Text(std::istream& in) {
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    if (!platform::IsValidUtf8(text)) {
        return std::nullopt;
    }
    return platform::Utf8ToUtf16(text);
}

bool HasCrLf(std::u16string_view text) {
    return text.find(u"\r\n") != std::u16string_view::npos;
}

std::u16string WithCrLf(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) {
            result.push_back(u'\r');
        }
        result.push_back(text[i]);
    }
    return result;
}

std::string OutputText(std::u16string_view text, bool inputUsedCrLf) {
    if (inputUsedCrLf) {
        return platform::Utf16ToUtf8(text);
    }
    std::u16string unix;
    unix.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')) {
            unix.push_back(text[i]);
        }
    }
    return platform::Utf16ToUtf8(unix);
}

} // namespace kvtx::cli
