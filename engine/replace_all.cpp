#include "engine/replace_all.h"

#include "platform/large_text.h"

namespace kvtx {

std::size_t ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
    if (from.empty()) {
        return 0;
    }
    const std::u16string_view source(text);
    std::size_t found = source.find(from);
    if (found == std::u16string_view::npos) {
        return 0;
    }
    // One pass into a new string: replacing in place would move the tail once per match, which is
    // quadratic on a megabyte of selected text.
    std::size_t size = text.size();
    if (to.size() > from.size()) {
        // Sized exactly first, so that a long `to` (a whole selection for "%original") is not
        // copied once more when the result outgrows a guess.
        for (std::size_t at = found; at != std::u16string_view::npos;
             at = source.find(from, at + from.size())) {
            size += to.size() - from.size();
        }
    }
    std::u16string result;
    platform::ReserveLargeText(result, size);
    std::size_t count = 0;
    std::size_t start = 0;
    while (found != std::u16string_view::npos) {
        result.append(source.substr(start, found - start));
        result.append(to);
        start = found + from.size();
        ++count;
        found = source.find(from, start);
    }
    result.append(source.substr(start));
    text = std::move(result);
    return count;
}

} // namespace kvtx
