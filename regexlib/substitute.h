#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kvtx::regexlib {

enum class SubstituteStatus {
    kDone,
    kMalformed, // the pattern or the replacement is not well-formed
    kRefused,   // well-formed, but the work broke a limit or the result would not fit
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
// dollar,
// \\ a backslash, \U \L \u \l \E change case, \Q...\E is literal. A result longer than
// maxResultUnits is refused. result is written only when the status is kDone.
SubstituteStatus Substitute(std::u16string_view text, std::u16string_view pattern,
                            std::u16string_view replacement, std::size_t maxResultUnits,
                            std::u16string& result, const SubstituteLimits& limits = {});

} // namespace kvtx::regexlib
