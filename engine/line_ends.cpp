#include "engine/line_ends.h"

#include <algorithm>

namespace kvtx {
namespace {

bool EndsCrLf(std::u16string_view text, std::size_t lineFeed) {
    return lineFeed > 0 && text[lineFeed - 1] == u'\r';
}

// Without an early exit the compiler vectorizes the loop.
std::size_t CountLoneLfs(std::u16string_view text) {
    if (text.empty()) {
        return 0;
    }
    std::size_t count = text[0] == u'\n' ? 1u : 0u;
    for (std::size_t i = 1; i < text.size(); ++i) {
        count += static_cast<std::size_t>(static_cast<int>(text[i] == u'\n') &
                                          static_cast<int>(text[i - 1] != u'\r'));
    }
    return count;
}

// Puts a CR before `count` LFs, those for which needsCr holds, working back from the end so
// that every unit moves once. The units before the first of them stay where they are.
template <typename NeedsCr>
void InsertCrs(std::u16string& text, std::size_t count, NeedsCr needsCr) {
    std::size_t from = text.size();
    text.resize(text.size() + count);
    std::size_t to = text.size();
    // Positions below `to` still hold the original text, so needsCr reads it unchanged.
    while (count > 0) {
        const char16_t unit = text[--from];
        text[--to] = unit;
        if (unit == u'\n' && needsCr(std::u16string_view(text), from)) {
            text[--to] = u'\r';
            --count;
        }
    }
}

} // namespace

void CrLfToLf(std::u16string& text) {
    std::size_t kept = text.find(u"\r\n");
    if (kept == std::u16string::npos) {
        return;
    }
    for (std::size_t i = kept; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            continue;
        }
        text[kept++] = text[i];
    }
    text.resize(kept);
}

void LfToCrLf(std::u16string& text) {
    const auto count = static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n'));
    InsertCrs(text, count, [](std::u16string_view, std::size_t) { return true; });
}

void LoneLfToCrLf(std::u16string& text) {
    InsertCrs(text, CountLoneLfs(text),
              [](std::u16string_view original, std::size_t lf) { return !EndsCrLf(original, lf); });
}

bool HasCrLf(std::u16string_view text) {
    return text.find(u"\r\n") != std::u16string_view::npos;
}

bool HasLoneLf(std::u16string_view text) {
    return CountLoneLfs(text) != 0;
}

} // namespace kvtx
