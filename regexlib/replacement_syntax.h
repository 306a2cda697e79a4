#pragma once

#include <string>
#include <string_view>

namespace kvtx::regexlib {

// The replacement as PCRE2's extended substitution syntax reads it: \1 (Perl's and sed's group
// reference, which PCRE2 lacks) becomes ${1} and Perl's $+{name} becomes ${name}; everything
// else is PCRE2's own syntax and passes unchanged, \Q...\E sections included.
std::u16string ToPcre2Replacement(std::u16string_view replacement);

} // namespace kvtx::regexlib
