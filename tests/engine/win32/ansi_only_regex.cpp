// A stand-in for a regular-expression library that has nothing but ordinal 1: it answers 1 for
// the pattern "(" and otherwise writes "text|pattern|replacement" back, so the test sees exactly
// which bytes crossed the ANSI border.
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
int calls = 0;
}

extern "C" int __stdcall AnsiOnlySubstitute(char* text, const char* pattern,
                                            const char* replacement) {
    ++calls;
    if (std::strcmp(pattern, "(") == 0) {
        return 1;
    }
    const std::string out = std::string(text) + "|" + pattern + "|" + replacement;
    std::memcpy(text, out.c_str(), out.size() + 1);
    // Any answer but 1 is success.
    return 5;
}

// Something else at ordinal 2: whoever takes it for a wide entry point ends the process.
extern "C" int __stdcall UnrelatedExport() {
    std::abort();
}

extern "C" int __stdcall AnsiOnlyCalls() {
    return calls;
}
