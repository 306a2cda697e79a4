#pragma once

// The exports of DVLIBREGEX.dll. Both entry points replace every match of pattern in text with
// the replacement (the dialect of regexlib/substitute.h), expect single-LF line ends, and return
// 1 when the pattern or the replacement is malformed or the work is refused (a match, heap or
// time limit, or a result that does not fit the buffer); the text is then left as it was. Any
// other result is success, and the text holds the result, NUL-terminated.

#ifdef __cplusplus
extern "C" {
#endif

// Ordinal 1. NUL-terminated strings in the ANSI code page (GetACP). Multi-byte characters are
// decoded before matching, so a trail byte that looks like a metacharacter (0x5C in "ソ") is
// never read as one. The text buffer must hold 2 x (the number of UTF-16 units the text decodes
// to) + 10 bytes: a result needing more, NUL included, is refused, never cut. Characters the code
// page cannot hold are lost on the way in; prefer the wide entry point.
int __stdcall DvRegexSubstitute(char* text, const char* pattern, const char* replacement);

// Ordinal 2, also found by this name (callers should: another library may put something else at
// ordinal 2). UTF-16 strings, NUL-terminated; capacity is the size of the text buffer in UTF-16
// units, NUL included. A text with no NUL within capacity is refused without being read past.
int __stdcall DvRegexSubstituteW(wchar_t* text, unsigned int capacity, const wchar_t* pattern,
                                 const wchar_t* replacement);

#ifdef __cplusplus
}
#endif
