#include "engine/caret_stops.h"

namespace kvtx {
namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::size_t CaretStopsAfter(std::u16string_view text, std::size_t offset) {
    std::size_t stops = 0;
    for (std::size_t i = offset; i < text.size(); ++stops) {
        const bool pair =
            i + 1 < text.size() && ((text[i] == u'\r' && text[i + 1] == u'\n') ||
                                    (IsHighSurrogate(text[i]) && IsLowSurrogate(text[i + 1])));
        i += pair ? 2 : 1;
    }
    return stops;
}

} // namespace kvtx
