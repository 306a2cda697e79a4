// DVLIBREGEX.dll: the substitution core behind the two C entry points. Nothing may escape across
// them, so every failure, allocation failures included, becomes result 1 with the text untouched.
#include "regexlib/dvlibregex.h"

#include "platform/win32/wide.h"
#include "regexlib/substitute.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <windows.h>

namespace {

using kvtx::regexlib::Substitute;
using kvtx::regexlib::SubstituteStatus;

constexpr int kDone = 0;
constexpr int kNotDone = 1;

std::u16string FromAnsi(const char* text) {
    const auto bytes = static_cast<int>(std::strlen(text));
    if (bytes == 0) {
        return {};
    }
    const int units = MultiByteToWideChar(CP_ACP, 0, text, bytes, nullptr, 0);
    std::u16string out(static_cast<std::size_t>(units), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text, bytes, kvtx::win32::Wide(out.data()), units);
    return out;
}

int AnsiSubstitute(char* text, const char* pattern, const char* replacement) {
    const std::u16string subject = FromAnsi(text);
    const std::size_t capacity = 2 * subject.size() + 10;
    std::u16string result;
    // One unit takes at least half a byte (a surrogate pair becomes one default character), so
    // no result that fits can be longer than this.
    const std::size_t maxUnits = 2 * (capacity - 1);
    if (Substitute(subject, FromAnsi(pattern), FromAnsi(replacement), maxUnits, result) !=
        SubstituteStatus::kDone) {
        return kNotDone;
    }
    const auto units = static_cast<int>(result.size());
    const int bytes = units == 0 ? 0
                                 : WideCharToMultiByte(CP_ACP, 0, kvtx::win32::Wide(result.data()),
                                                       units, nullptr, 0, nullptr, nullptr);
    if (units != 0 && bytes == 0) {
        return kNotDone;
    }
    if (static_cast<std::size_t>(bytes) + 1 > capacity) {
        return kNotDone;
    }
    if (bytes != 0) {
        WideCharToMultiByte(CP_ACP, 0, kvtx::win32::Wide(result.data()), units, text, bytes,
                            nullptr, nullptr);
    }
    text[bytes] = '\0';
    return kDone;
}

int WideSubstitute(wchar_t* text, unsigned int capacity, const wchar_t* pattern,
                   const wchar_t* replacement) {
    const wchar_t* end = std::find(text, text + capacity, L'\0');
    if (end == text + capacity) {
        return kNotDone;
    }
    const std::u16string subject =
        kvtx::win32::FromWide(text, static_cast<std::size_t>(end - text));
    std::u16string result;
    if (Substitute(subject, kvtx::win32::FromWide(pattern), kvtx::win32::FromWide(replacement),
                   capacity - 1, result) != SubstituteStatus::kDone) {
        return kNotDone;
    }
    std::copy(result.begin(), result.end(), text);
    text[result.size()] = L'\0';
    return kDone;
}

} // namespace

extern "C" int __stdcall DvRegexSubstitute(char* text, const char* pattern,
                                           const char* replacement) {
    if (text == nullptr || pattern == nullptr || replacement == nullptr) {
        return kNotDone;
    }
    try {
        return AnsiSubstitute(text, pattern, replacement);
    } catch (...) {
        return kNotDone;
    }
}

extern "C" int __stdcall DvRegexSubstituteW(wchar_t* text, unsigned int capacity,
                                            const wchar_t* pattern, const wchar_t* replacement) {
    if (text == nullptr || capacity == 0 || pattern == nullptr || replacement == nullptr) {
        return kNotDone;
    }
    try {
        return WideSubstitute(text, capacity, pattern, replacement);
    } catch (...) {
        return kNotDone;
    }
}
