#include "cli/text_io.h"

#include "platform/utf.h"

namespace kvtx::cli {
namespace {

std::string ReadAll(std::istream& in) {
    std::string bytes;
    std::string chunk(1 << 16, '\0');
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
        bytes.append(chunk, 0, static_cast<std::size_t>(in.gcount()));
    }
    return bytes;
}

} // namespace

std::optional<std::u16string> ReadUtf8Text(std::istream& in) {
    const std::string bytes = ReadAll(in);
    std::u16string text = platform::Utf8ToUtf16(bytes);
    // Decoding marks every bad sequence with U+FFFD; only then is the slower check needed to tell
    // them from a U+FFFD the text really holds.
    if (text.find(u'\xFFFD') != std::u16string::npos && !platform::IsValidUtf8(bytes)) {
        return std::nullopt;
    }
    return text;
}

bool HasCrLf(std::u16string_view text) {
    return text.find(u"\r\n") != std::u16string_view::npos;
}

std::u16string WithCrLf(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size() + text.size() / 16);
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
    // Encoded piece by piece between line ends, so that a large text is not copied once more
    // only to drop its CRs.
    std::string out;
    out.reserve(text.size() * 2);
    std::size_t start = 0;
    for (std::size_t end = text.find(u"\r\n"); end != std::u16string_view::npos;
         end = text.find(u"\r\n", start)) {
        out += platform::Utf16ToUtf8(text.substr(start, end - start));
        out += '\n';
        start = end + 2;
    }
    out += platform::Utf16ToUtf8(text.substr(start));
    return out;
}

} // namespace kvtx::cli
