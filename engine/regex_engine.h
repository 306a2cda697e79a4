#pragma once

#include <string>

namespace kvtx {

// The seam to the regular-expression library: DVLIBREGEX.dll on Windows, the same code linked in
// on Linux.
class RegexLibrary {
public:
    virtual ~RegexLibrary() = default;
    // Replaces every match in text. Returns 1 when the pattern or the replacement is malformed or
    // the library refuses the work (result too large, match limits, time limit); text is then
    // unchanged. Any other value is success.
    virtual int Substitute(std::u16string& text, const std::u16string& pattern,
                           const std::u16string& replacement) = 0;
};

class RegexEngine {
public:
    explicit RegexEngine(RegexLibrary& library) : library_(library) {}

    // The library's answer for the text exactly as given; 1 means malformed.
    int Substitute(std::u16string& text, const std::u16string& pattern,
                   const std::u16string& replacement);

    // True when the pair is usable: the "\n" and "\t" escapes applied, then a probe on "test".
    bool CheckSyntax(const std::u16string& pattern, const std::u16string& replacement);

    // A substitution over captured text as a regular-expression step and the quick tool apply
    // it: CR LF becomes LF, the "\n" and "\t" escapes of pattern and replacement become LF and
    // TAB, and LF comes back as CR LF. False when malformed; text is then unchanged.
    bool SubstituteText(std::u16string& text, const std::u16string& pattern,
                        const std::u16string& replacement);

    // The same over text that has single-LF line ends already, which it keeps: the escapes are
    // applied and the text goes to the library as it is.
    bool SubstituteLines(std::u16string& text, const std::u16string& pattern,
                         const std::u16string& replacement);

private:
    RegexLibrary& library_;
};

// The library of the platform: in-process on Linux; on Windows DVLIBREGEX.dll beside the
// executable, through its wide entry point when it has one and its ordinal 1 otherwise.
RegexLibrary& DefaultRegexLibrary();

} // namespace kvtx
