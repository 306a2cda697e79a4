#include "engine/win32/dll_regex_library.h"

#include "engine/regex_capacity.h"
#include "platform/win32/wide.h"

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

} // namespace

DllRegexLibrary::DllRegexLibrary(const std::u16string& path) : module_(LoadLibraryW(Wide(path))) {
    if (module_) {
        wide_ = Cast<WideEntry>(GetProcAddress(module_.get(), "DvRegexSubstituteW"));
        ansi_ = Cast<AnsiEntry>(GetProcAddress(module_.get(), MAKEINTRESOURCEA(1)));
    }
}

int DllRegexLibrary::Substitute(std::u16string& text, const std::u16string& pattern,
                                const std::u16string& replacement) {
    // Both entry points end strings at a NUL: what follows one would be lost, not substituted.
    if (text.find(u'\0') != std::u16string::npos) {
        return 1;
    }
    if (wide_ != nullptr) {
        return SubstituteWide(text, pattern, replacement);
    }
    if (ansi_ != nullptr) {
        return SubstituteAnsi(text, pattern, replacement);
    }
    return 1;
}

int DllRegexLibrary::SubstituteWide(std::u16string& text, const std::u16string& pattern,
                                    const std::u16string& replacement) {
    std::vector<wchar_t> buffer(RegexBufferSize(text.size()), L'\0');
    std::copy(text.begin(), text.end(), buffer.begin());
    const int result = wide_(buffer.data(), static_cast<unsigned int>(buffer.size()), Wide(pattern),
                             Wide(replacement));
    if (result == 1) {
        return 1;
    }
    buffer.back() = L'\0';
    text = FromWide(buffer.data());
    return result;
}

int DllRegexLibrary::SubstituteAnsi(std::u16string& text, const std::u16string& pattern,
                                    const std::u16string& replacement) {
    std::vector<char> textBuffer;
    std::vector<char> patternBuffer;
    std::vector<char> replacementBuffer;
    // A field whose ANSI form exceeds its buffer is refused as a malformed one would be.
    if (!ToAnsi(text, textBuffer, RegexBufferSize(text.size())) ||
        !ToAnsi(pattern, patternBuffer, kFieldBufferSize) ||
        !ToAnsi(replacement, replacementBuffer, kFieldBufferSize)) {
        return 1;
    }
    const int result = ansi_(textBuffer.data(), patternBuffer.data(), replacementBuffer.data());
    if (result == 1) {
        return 1;
    }
    text = FromAnsi(textBuffer);
    return result;
}

} // namespace kvtx::win32
