#pragma once

// The exports of DVLIBREGEX.dll. Every entry point replaces every match of pattern in text with
// the replacement (the dialect of regexlib/substitute.h) and expects single-LF line ends. The
// first two return 1 when the pattern or the replacement is malformed or the work is refused (a
// match, heap or time limit, a result that does not fit the buffer, or a result holding a NUL,
// which a NUL-terminated string cannot carry); the text is then left as it was. Any other result
// is success, and the text holds the result, NUL-terminated.

#ifdef __cplusplus
extern "C" {
#endif

// Ordinal 1. NUL-terminated strings in the ANSI code page (GetACP). Multi-byte characters are
// decoded before matching, so a trail byte that looks like a metacharacter (0x5C in "ソ") is
// never read as one. Characters the code page cannot hold are lost on the way in; prefer the wide
// entry points.
// No capacity is passed, so the text buffer is taken to hold 2 x (the number of UTF-16 units the
// text decodes to) + 10 bytes, as a conversion step sizes it. A result needing more, NUL
// included, is neither cut nor written: the text stays as it was and the result is success (0).
// Returning 1 instead would fail the syntax probe of a well-formed pair whose result on the probe
// text outgrows that size, although the prober's buffer may be larger; writing more could overrun
// the buffer of a caller that sized it exactly.
int __stdcall DvRegexSubstitute(char* text, const char* pattern, const char* replacement);

// Ordinal 2, also found by this name (callers should: another library may put something else at
// ordinal 2). UTF-16 strings, NUL-terminated; capacity is the size of the text buffer in UTF-16
// units, NUL included. A text with no NUL within capacity is refused without being read past.
int __stdcall DvRegexSubstituteW(wchar_t* text, unsigned int capacity, const wchar_t* pattern,
                                 const wchar_t* replacement);

// The results of DvRegexSubstituteStatusW: why the work stopped.
enum DvRegexStatus {
    DV_REGEX_DONE = 0,             // the text holds the result
    DV_REGEX_MALFORMED = 1,        // malformed pattern or replacement, or a call it cannot read
    DV_REGEX_TIME_LIMIT = 2,       // the substitution ran past its time limit
    DV_REGEX_RESULT_TOO_LARGE = 3, // the result does not fit the capacity, or memory ran out
    DV_REGEX_MATCH_LIMIT = 4,      // one match attempt broke the match, depth or heap limit
    DV_REGEX_RESULT_HOLDS_NUL = 5, // the result holds a NUL character
};

// Ordinal 3, to be found by this name: DvRegexSubstituteW that tells why it did not finish. It
// returns a DvRegexStatus; for anything but DV_REGEX_DONE the text is left as it was.
int __stdcall DvRegexSubstituteStatusW(wchar_t* text, unsigned int capacity, const wchar_t* pattern,
                                       const wchar_t* replacement);

#ifdef __cplusplus
}
#endif
