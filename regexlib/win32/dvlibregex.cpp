// DVLIBREGEX.dll: the substitution core behind the C entry points. Nothing may escape across
// them, so every failure, allocation failures included, becomes a result with the text untouched.
#include "regexlib/dvlibregex.h"

#include "platform/win32/wide.h"
#include "regexlib/substitute.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <windows.h>

namespace {

using kvtx::regexlib::Substitute;
using kvtx::regexlib::SubstituteStatus;

static_assert(static_cast<int>(SubstituteStatus::kDone) == DV_REGEX_DONE);
static_assert(static_cast<int>(SubstituteStatus::kMalformed) == DV_REGEX_MALFORMED);
static_assert(static_cast<int>(SubstituteStatus::kTimeLimit) == DV_REGEX_TIME_LIMIT);
static_assert(static_cast<int>(SubstituteStatus::kResultTooLarge) == DV_REGEX_RESULT_TOO_LARGE);
static_assert(static_cast<int>(SubstituteStatus::kMatchLimit) == DV_REGEX_MATCH_LIMIT);
static_assert(static_cast<int>(SubstituteStatus::kResultHoldsNul) == DV_REGEX_RESULT_HOLDS_NUL);

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
    const SubstituteStatus status =
        Substitute(subject, FromAnsi(pattern), FromAnsi(replacement), maxUnits, result);
    // Too large for the buffer this text implies: untouched, and success (see the header).
    if (status == SubstituteStatus::kResultTooLarge) {
        return kDone;
    }
    if (status != SubstituteStatus::kDone) {
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
        return kDone;
    }
    if (bytes != 0) {
        WideCharToMultiByte(CP_ACP, 0, kvtx::win32::Wide(result.data()), units, text, bytes,
                            nullptr, nullptr);
    }
    text[bytes] = '\0';
    return kDone;
}

SubstituteStatus WideSubstitute(wchar_t* text, unsigned int capacity, const wchar_t* pattern,
                                const wchar_t* replacement) {
    if (text == nullptr || capacity == 0 || pattern == nullptr || replacement == nullptr) {
        return SubstituteStatus::kMalformed;
    }
    const wchar_t* end = std::find(text, text + capacity, L'\0');
    if (end == text + capacity) {
        return SubstituteStatus::kMalformed;
    }
    try {
        const std::u16string subject =
            kvtx::win32::FromWide(text, static_cast<std::size_t>(end - text));
        std::u16string result;
        const SubstituteStatus status =
            Substitute(subject, kvtx::win32::FromWide(pattern), kvtx::win32::FromWide(replacement),
                       capacity - 1, result);
        if (status == SubstituteStatus::kDone) {
            std::copy(result.begin(), result.end(), text);
            text[result.size()] = L'\0';
        }
        return status;
    } catch (const std::bad_alloc&) {
        return SubstituteStatus::kResultTooLarge;
    } catch (...) {
        return SubstituteStatus::kMalformed;
    }
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
    return WideSubstitute(text, capacity, pattern, replacement) == SubstituteStatus::kDone
               ? kDone
               : kNotDone;
}

extern "C" int __stdcall DvRegexSubstituteStatusW(wchar_t* text, unsigned int capacity,
                                                  const wchar_t* pattern,
                                                  const wchar_t* replacement) {
    return static_cast<int>(WideSubstitute(text, capacity, pattern, replacement));
}
