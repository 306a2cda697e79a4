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

std::size_t StopLength(std::u16string_view text, std::size_t at) {
    const bool pair =
        at + 1 < text.size() && ((text[at] == u'\r' && text[at + 1] == u'\n') ||
                                 (IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1])));
    return pair ? 2 : 1;
}

std::size_t CaretStopsAfter(std::u16string_view text, std::size_t offset) {
    std::size_t stops = 0;
    for (std::size_t i = offset; i < text.size(); ++stops) {
        i += StopLength(text, i);
    }
    return stops;
}

} // namespace kvtx
