#pragma once

#include <algorithm>
#include <cstddef>

namespace kvtx {

// The text buffer a substitution gets, NUL included: 2 x length + 10, as every caller of the
// library sizes it, but never less than the 512 of the syntax probe, so that the probe is not
// refused for a long result of a well-formed pair.
inline std::size_t RegexBufferSize(std::size_t textLength) {
    return std::max<std::size_t>(2 * textLength + 10, 512);
}

} // namespace kvtx
