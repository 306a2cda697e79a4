#pragma once

#include "engine/regex_status.h"

#include <string>

namespace kvtx {

// The seam to the regular-expression library: DVLIBREGEX.dll on Windows, the same code linked in
// on Linux.
class RegexLibrary {
public:
    virtual ~RegexLibrary() = default;
    // Replaces every match in text, and says why when it does not: a malformed pattern or
    // replacement, a limit, a result too large or holding a NUL, or no library. text changes only
    // with kDone.
    virtual RegexStatus Substitute(std::u16string& text, const std::u16string& pattern,
                                   const std::u16string& replacement) = 0;
};

class RegexEngine {
public:
    explicit RegexEngine(RegexLibrary& library) : library_(library) {}

    // The library's answer for the text exactly as given.
    RegexStatus Substitute(std::u16string& text, const std::u16string& pattern,
                           const std::u16string& replacement);

    // kDone when the pair is usable: the "\n" and "\t" escapes applied, then a probe on "test".
    // A probe whose result outgrows the probe's buffer still passes: the pair is well-formed, and
    // a real text gets a buffer sized for it.
    RegexStatus CheckSyntax(const std::u16string& pattern, const std::u16string& replacement);

    // A substitution over captured text as a regular-expression step and the quick tool apply
    // it: CR LF becomes LF, the "\n" and "\t" escapes of pattern and replacement become LF and
    // TAB, and LF comes back as CR LF. Unless kDone, text is unchanged.
    RegexStatus SubstituteText(std::u16string& text, const std::u16string& pattern,
                               const std::u16string& replacement);

    // The same over text that has single-LF line ends already, which it keeps: the escapes are
    // applied and the text goes to the library as it is.
    RegexStatus SubstituteLines(std::u16string& text, const std::u16string& pattern,
                                const std::u16string& replacement);

private:
    RegexLibrary& library_;
};

// The library of the platform: in-process on Linux; on Windows DVLIBREGEX.dll beside the
// executable, through the first of its status entry, its wide entry and its ordinal 1 that it has.
RegexLibrary& DefaultRegexLibrary();

} // namespace kvtx
