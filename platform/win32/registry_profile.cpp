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

bool RegistryProfile::WriteString(const std::u16string& section, const std::u16string& key,
                                  const std::u16string& value) {
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, Wide(SectionKey(section)), 0, nullptr, 0,
                          KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LSTATUS status =
        ::RegSetValueExW(handle, Wide(key), 0, REG_SZ, reinterpret_cast<const BYTE*>(Wide(value)),
                         static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)));
    ::RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

bool RegistryProfile::DeleteValue(const std::u16string& section, const std::u16string& key) {
    return ::RegDeleteKeyValueW(HKEY_CURRENT_USER, Wide(SectionKey(section)), Wide(key)) ==
           ERROR_SUCCESS;
}

std::vector<std::pair<std::u16string, std::u16string>>
RegistryProfile::ReadStrings(const std::u16string& section) const {
    std::vector<std::pair<std::u16string, std::u16string>> values;
    HKEY handle = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(SectionKey(section)), 0, KEY_QUERY_VALUE,
                        &handle) != ERROR_SUCCESS) {
        return values;
    }
    // Names hold at most 16,383 characters; data is read at the size the value reports.
    std::vector<wchar_t> name(16384);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD bytes = 0;
        if (::RegEnumValueW(handle, index, name.data(), &nameLength, nullptr, &type, nullptr,
                            &bytes) != ERROR_SUCCESS) {
            break;
        }
        if (type != REG_SZ) {
            continue;
        }
        std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1);
        DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        if (::RegGetValueW(handle, nullptr, name.data(), RRF_RT_REG_SZ, nullptr, data.data(),
                           &size) == ERROR_SUCCESS) {
            values.emplace_back(FromWide(name.data(), nameLength), FromWide(data.data()));
        }
    }
    ::RegCloseKey(handle);
    return values;
}

} // namespace kvtx::win32
