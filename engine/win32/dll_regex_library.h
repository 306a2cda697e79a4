#pragma once

#include "engine/regex_engine.h"
#include "platform/win32/unique_handle.h"

#include <string>

namespace kvtx::win32 {

// A regular-expression library loaded from a DLL: through its wide entry point
// "DvRegexSubstituteW" when it exports one, otherwise through ordinal 1 with ANSI strings. The
// wide entry is looked up by name, never by ordinal, because another library may export
// something else at ordinal 2. Without a loadable library every call is refused, and so is a text
// holding a NUL, which neither entry point can carry.
class DllRegexLibrary final : public RegexLibrary {
public:
    explicit DllRegexLibrary(const std::u16string& path);

    int Substitute(std::u16string& text, const std::u16string& pattern,
                   const std::u16string& replacement) override;

    bool Loaded() const { return module_.valid(); }
    bool HasWideEntry() const { return wide_ != nullptr; }

private:
    using AnsiEntry = int(__stdcall*)(char*, const char*, const char*);
    using WideEntry = int(__stdcall*)(wchar_t*, unsigned int, const wchar_t*, const wchar_t*);

    int SubstituteWide(std::u16string& text, const std::u16string& pattern,
                       const std::u16string& replacement);
    int SubstituteAnsi(std::u16string& text, const std::u16string& pattern,
                       const std::u16string& replacement);

    ModuleHandle module_;
    AnsiEntry ansi_ = nullptr;
    WideEntry wide_ = nullptr;
};

} // namespace kvtx::win32
