#pragma once

#include "engine/regex_engine.h"
#include "platform/win32/unique_handle.h"

#include <string>

namespace kvtx::win32 {

// A regular-expression library loaded from a DLL: through its status entry
// "DvRegexSubstituteStatusW" when it exports one, which tells a limit from a malformed
// expression; otherwise through its wide entry "DvRegexSubstituteW", otherwise through ordinal 1
// with ANSI strings, where 1 stands for every failure and is taken as malformed. The wide entries
// are looked up by name, never by ordinal, because another library may export something else
// there. Without a loadable library or any of the three entries every call answers
// kLibraryMissing; a text holding a NUL, which no entry point can carry, answers kHoldsNul.
class DllRegexLibrary final : public RegexLibrary {
public:
    explicit DllRegexLibrary(const std::u16string& path);

    RegexStatus Substitute(std::u16string& text, const std::u16string& pattern,
                           const std::u16string& replacement) override;

    bool Loaded() const { return module_.valid(); }
    bool HasStatusEntry() const { return status_ != nullptr; }
    bool HasWideEntry() const { return wide_ != nullptr; }

private:
    using AnsiEntry = int(__stdcall*)(char*, const char*, const char*);
    // The status entry has the wide entry's parameters.
    using WideEntry = int(__stdcall*)(wchar_t*, unsigned int, const wchar_t*, const wchar_t*);

    RegexStatus SubstituteWide(std::u16string& text, const std::u16string& pattern,
                               const std::u16string& replacement);
    RegexStatus SubstituteAnsi(std::u16string& text, const std::u16string& pattern,
                               const std::u16string& replacement);

    ModuleHandle module_;
    AnsiEntry ansi_ = nullptr;
    WideEntry wide_ = nullptr;
    WideEntry status_ = nullptr;
};

} // namespace kvtx::win32
