#pragma once

namespace kvtx {

// How a substitution through the regular-expression library ended. Only kDone changes the text.
enum class RegexStatus {
    kDone,
    kMalformed,      // the pattern or the replacement is malformed
    kTimeLimit,      // the substitution ran past the library's time limit
    kResultTooLarge, // the result would outgrow the text's buffer, or memory ran out
    kMatchLimit,     // one match attempt broke the match, depth or heap limit
    kHoldsNul,       // the text or the result holds a NUL, which no string of the library carries
    kLibraryMissing, // DVLIBREGEX.dll cannot be loaded, or has no entry point to call
};

} // namespace kvtx
