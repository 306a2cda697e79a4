#include "platform/large_text.h"

namespace kvtx::platform {

// Large pages on Windows need a privilege that a desktop user does not hold.
void ReserveLargeText(std::u16string& text, std::size_t units) {
    text.reserve(units);
}

} // namespace kvtx::platform
