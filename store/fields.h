#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace kvtx {

// A fixed, NUL-terminated string field of a record. Reading stops at the terminator or at the
// field's end, whichever comes first, so an unterminated field in a damaged file stays harmless.
template <std::size_t N> std::u16string FieldText(const char16_t (&field)[N]) {
    const char16_t* end = std::find(field, field + N, u'\0');
    return std::u16string(field, end);
}

// Stores at most N - 1 units and the terminator; the units after it are zeroed so that written
// files carry no stale text.
template <std::size_t N> void SetFieldText(char16_t (&field)[N], std::u16string_view text) {
    const std::size_t units = std::min(text.size(), N - 1);
    std::fill(std::copy_n(text.begin(), units, field), field + N, u'\0');
}

} // namespace kvtx
