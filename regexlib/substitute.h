#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kvtx::regexlib {

// Why a substitution stopped. The values are those the status entry of DVLIBREGEX.dll returns
// (regexlib/dvlibregex.h).
enum class SubstituteStatus {
    kDone = 0,
    kMalformed = 1,      // the pattern or the replacement is not well-formed
    kTimeLimit = 2,      // well-formed, but the whole substitution ran past its deadline
    kResultTooLarge = 3, // the result would not fit, or there was no memory for it
    kMatchLimit = 4,     // one match attempt broke the match, depth, heap or JIT stack limit
    kResultHoldsNul = 5, // the result holds a NUL, which no caller's string can carry
};

// Bounds on one substitution. The match and heap limits stop catastrophic backtracking within
// one match attempt; the deadline bounds the whole substitution, which may make millions of
// attempts over a long text.
struct SubstituteLimits {
    std::uint32_t matchLimit = 10'000'000;
    std::uint32_t heapLimitKiB = 64 * 1024;
    std::size_t jitStackBytes = 16 * 1024 * 1024;
    std::chrono::milliseconds deadline{1000};
};

// Replaces every match of pattern in text (Perl-compatible dialect, UTF-16 in UTF mode, LF line
// ends). The replacement refers to groups as $1, ${1}, \1, ${name} or $+{name}; $$ and \$ are a
// dollar, \\ a backslash, \U \L \u \l \E change case, \Q...\E is literal. A result longer than
// maxResultUnits is refused, and so is one that holds a NUL (a \x{0} in the replacement, or a NUL
// of the text kept): callers end strings at a NUL, and so does the clipboard. result is written
// only when the status is kDone.
SubstituteStatus Substitute(std::u16string_view text, std::u16string_view pattern,
                            std::u16string_view replacement, std::size_t maxResultUnits,
                            std::u16string& result, const SubstituteLimits& limits = {});

} // namespace kvtx::regexlib
