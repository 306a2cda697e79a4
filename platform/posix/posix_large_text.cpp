#include "platform/large_text.h"

#include <cstdint>
#include <sys/mman.h>

namespace kvtx::platform {
namespace {

// Below this a text has too few pages to be worth a system call.
constexpr std::size_t kLargeText = std::size_t{2} << 20;

} // namespace

void ReserveLargeText(std::u16string& text, std::size_t units) {
    text.reserve(units);
#ifdef MADV_HUGEPAGE
    // The whole pages of the buffer. A large page needs an aligned 2 MiB of them, which the
    // system finds in any buffer of a few megabytes.
    constexpr std::uintptr_t kPage = 4096;
    const auto begin = reinterpret_cast<std::uintptr_t>(text.data()) & ~(kPage - 1);
    const std::uintptr_t end =
        (reinterpret_cast<std::uintptr_t>(text.data() + text.capacity())) & ~(kPage - 1);
    if (text.capacity() * sizeof(char16_t) >= kLargeText && begin < end) {
        // Where the system has no large pages to give, nothing changes.
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
#endif
}

} // namespace kvtx::platform
