// A stand-in for a regular-expression library of the kind built before the status entry: ordinal
// 1 and the wide entry, found by name. It answers 1 for the pattern "(" and otherwise writes
// "text|pattern|replacement" back, so the test sees which entry was called and with what.
#include <cwchar>
#include <string>

extern "C" int __stdcall WideOnlyAnsi(char* /*text*/, const char* /*pattern*/,
                                      const char* /*replacement*/) {
    // Never the entry to take while a wide one is there.
    return 1;
}

extern "C" int __stdcall DvRegexSubstituteW(wchar_t* text, unsigned int capacity,
                                            const wchar_t* pattern, const wchar_t* replacement) {
    if (std::wcscmp(pattern, L"(") == 0) {
        return 1;
    }
    const std::wstring out = std::wstring(text) + L"|" + pattern + L"|" + replacement;
    if (out.size() + 1 > capacity) {
        return 1;
    }
    out.copy(text, out.size());
    text[out.size()] = L'\0';
    // Any answer but 1 is success.
    return 7;
}
