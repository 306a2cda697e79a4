#include "platform/win32/registry_profile.h"

#include "platform/win32/wide.h"

#include <windows.h>

namespace kvtx::win32 {

RegistryProfile::RegistryProfile(std::u16string company, std::u16string application)
    : root_(u"Software\\" + company + u"\\" + application) {}

std::u16string RegistryProfile::SectionKey(const std::u16string& section) const {
    return root_ + u"\\" + section;
}

int RegistryProfile::ReadInt(const std::u16string& section, const std::u16string& key,
                             int defaultValue) const {
    DWORD value = 0;
    DWORD size = sizeof(value);
    const LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, Wide(SectionKey(section)), Wide(key),
                                          RRF_RT_REG_DWORD, nullptr, &value, &size);
    return status == ERROR_SUCCESS ? static_cast<int>(value) : defaultValue;
}

void RegistryProfile::WriteInt(const std::u16string& section, const std::u16string& key,
                               int value) {
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, Wide(SectionKey(section)), 0, nullptr, 0,
                          KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const auto stored = static_cast<DWORD>(value);
    ::RegSetValueExW(handle, Wide(key), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored),
                     sizeof(stored));
    ::RegCloseKey(handle);
}

} // namespace kvtx::win32
