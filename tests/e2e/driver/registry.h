#pragma once

#include <optional>
#include <string>
#include <windows.h>

namespace kvtx::e2e {

// The program's profile: HKCU\Software\Dova Studio\<executable base name>.
inline constexpr wchar_t kProfileKey[] = L"Software\\Dova Studio\\korvatex";

std::optional<DWORD> ReadProfileValue(const std::u16string& section, const std::u16string& name);
std::optional<std::u16string> ReadProfileString(const std::u16string& section,
                                                const std::u16string& name);
void WriteProfileValue(const std::u16string& section, const std::u16string& name, DWORD value);
void WriteProfileString(const std::u16string& section, const std::u16string& name,
                        const std::u16string& value);
bool ProfileSectionExists(const std::u16string& section);
// A fresh profile for the next start, as on a machine where the program never ran.
void DeleteProfile();

} // namespace kvtx::e2e
