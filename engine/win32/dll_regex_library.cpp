#include "engine/win32/dll_regex_library.h"

#include "engine/regex_capacity.h"
#include "platform/win32/wide.h"
#include "regexlib/dvlibregex.h"

#include <cstring>
#include <vector>
#include <windows.h>

namespace kvtx::win32 {
namespace {

// The fixed size of the pattern and replacement buffers at the ANSI border.
constexpr std::size_t kFieldBufferSize = 512;

template <typename Entry> Entry Cast(FARPROC address) {
    // Through void(*)(), the one function pointer type GCC lets any other convert from quietly.
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(address));
}

// ANSI bytes of text in a buffer of size bytes, NUL-terminated; false when they do not fit.
bool ToAnsi(const std::u16string& text, std::vector<char>& buffer, std::size_t size) {
    buffer.assign(size, '\0');
    if (text.empty()) {
        return true;
    }
    const auto units = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, Wide(text), units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0 || static_cast<std::size_t>(bytes) + 1 > size) {
        return false;
    }
    WideCharToMultiByte(CP_ACP, 0, Wide(text), units, buffer.data(), bytes, nullptr, nullptr);
    return true;
}

std::u16string FromAnsi(const std::vector<char>& buffer) {
    // A library that left no NUL is not read past its buffer.
    const void* nul = std::memchr(buffer.data(), '\0', buffer.size());
    const auto bytes = static_cast<int>(nul ? static_cast<const char*>(nul) - buffer.data()
                                            : static_cast<std::ptrdiff_t>(buffer.size()));
    if (bytes == 0) {
        return {};
    }
    const int units = MultiByteToWideChar(CP_ACP, 0, buffer.data(), bytes, nullptr, 0);
    std::u16string out(static_cast<std::size_t>(units), u'\0');
    MultiByteToWideChar(CP_ACP, 0, buffer.data(), bytes, Wide(out.data()), units);
    return out;
}

// A code the status entry does not define is taken as ordinal 2 takes every failure.
RegexStatus FromStatusCode(int code) {
    switch (code) {
    case DV_REGEX_DONE:
        return RegexStatus::kDone;
    case DV_REGEX_TIME_LIMIT:
        return RegexStatus::kTimeLimit;
    case DV_REGEX_RESULT_TOO_LARGE:
        return RegexStatus::kResultTooLarge;
    case DV_REGEX_MATCH_LIMIT:
        return RegexStatus::kMatchLimit;
    case DV_REGEX_RESULT_HOLDS_NUL:
        return RegexStatus::kHoldsNul;
    default:
        return RegexStatus::kMalformed;
    }
}

// Ordinals 1 and 2: 1 is every failure, anything else success.
RegexStatus FromPlainResult(int result) {
    return result == 1 ? RegexStatus::kMalformed : RegexStatus::kDone;
}

} // namespace

DllRegexLibrary::DllRegexLibrary(const std::u16string& path) : module_(LoadLibraryW(Wide(path))) {
    if (module_) {
        status_ = Cast<WideEntry>(GetProcAddress(module_.get(), "DvRegexSubstituteStatusW"));
        wide_ = Cast<WideEntry>(GetProcAddress(module_.get(), "DvRegexSubstituteW"));
        ansi_ = Cast<AnsiEntry>(GetProcAddress(module_.get(), MAKEINTRESOURCEA(1)));
    }
}

RegexStatus DllRegexLibrary::Substitute(std::u16string& text, const std::u16string& pattern,
                                        const std::u16string& replacement) {
    if (status_ == nullptr && wide_ == nullptr && ansi_ == nullptr) {
        return RegexStatus::kLibraryMissing;
    }
    // Every entry point ends strings at a NUL: what follows one would be lost, not substituted.
    if (text.find(u'\0') != std::u16string::npos) {
        return RegexStatus::kHoldsNul;
    }
    if (status_ != nullptr || wide_ != nullptr) {
        return SubstituteWide(text, pattern, replacement);
    }
    return SubstituteAnsi(text, pattern, replacement);
}

RegexStatus DllRegexLibrary::SubstituteWide(std::u16string& text, const std::u16string& pattern,
                                            const std::u16string& replacement) {
    std::vector<wchar_t> buffer(RegexBufferSize(text.size()), L'\0');
    std::copy(text.begin(), text.end(), buffer.begin());
    const auto capacity = static_cast<unsigned int>(buffer.size());
    const RegexStatus status =
        status_ != nullptr
            ? FromStatusCode(status_(buffer.data(), capacity, Wide(pattern), Wide(replacement)))
            : FromPlainResult(wide_(buffer.data(), capacity, Wide(pattern), Wide(replacement)));
    if (status != RegexStatus::kDone) {
        return status;
    }
    buffer.back() = L'\0';
    text = FromWide(buffer.data());
    return status;
}

RegexStatus DllRegexLibrary::SubstituteAnsi(std::u16string& text, const std::u16string& pattern,
                                            const std::u16string& replacement) {
    std::vector<char> textBuffer;
    std::vector<char> patternBuffer;
    std::vector<char> replacementBuffer;
    // A field whose ANSI form exceeds its buffer is refused as a malformed one would be.
    if (!ToAnsi(text, textBuffer, RegexBufferSize(text.size())) ||
        !ToAnsi(pattern, patternBuffer, kFieldBufferSize) ||
        !ToAnsi(replacement, replacementBuffer, kFieldBufferSize)) {
        return RegexStatus::kMalformed;
    }
    const RegexStatus status =
        FromPlainResult(ansi_(textBuffer.data(), patternBuffer.data(), replacementBuffer.data()));
    if (status == RegexStatus::kDone) {
        text = FromAnsi(textBuffer);
    }
    return status;
}

} // namespace kvtx::win32
