#include "tests/e2e/driver/registry.h"

#include "platform/utf.h"
#include "platform/win32/wide.h"

#include <stdexcept>

namespace kvtx::e2e {
namespace {

std::u16string SectionPath(const std::u16string& section) {
    return win32::FromWide(kProfileKey) + u"\\" + section;
}

class RegistryKey {
public:
    explicit RegistryKey(HKEY key = nullptr) : key_(key) {}
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (key_ != nullptr) {
            ::RegCloseKey(key_);
        }
    }
    HKEY* Receive() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_;
};

} // namespace

std::optional<DWORD> ReadProfileValue(const std::u16string& section, const std::u16string& name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    const std::u16string path = SectionPath(section);
    if (::RegGetValueW(HKEY_CURRENT_USER, win32::Wide(path), win32::Wide(name), RRF_RT_ANY, &type,
                       &value, &size) != ERROR_SUCCESS ||
        type != REG_DWORD) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::u16string> ReadProfileString(const std::u16string& section,
                                                const std::u16string& name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, win32::Wide(SectionPath(section)), win32::Wide(name),
                       RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return win32::FromWide(value);
}

namespace {

void WriteValue(const std::u16string& section, const std::u16string& name, DWORD type,
                const void* data, DWORD size) {
    RegistryKey key;
    const std::u16string path = SectionPath(section);
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, win32::Wide(path), 0, nullptr, 0, KEY_SET_VALUE,
                          nullptr, key.Receive(), nullptr) != ERROR_SUCCESS ||
        ::RegSetValueExW(key.get(), win32::Wide(name), 0, type, static_cast<const BYTE*>(data),
                         size) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot write the profile value " + platform::Utf16ToUtf8(name));
    }
}

} // namespace

void WriteProfileValue(const std::u16string& section, const std::u16string& name, DWORD value) {
    WriteValue(section, name, REG_DWORD, &value, sizeof value);
}

void WriteProfileString(const std::u16string& section, const std::u16string& name,
                        const std::u16string& value) {
    WriteValue(section, name, REG_SZ, value.c_str(),
               static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)));
}

bool ProfileSectionExists(const std::u16string& section) {
    RegistryKey key;
    const std::u16string path = SectionPath(section);
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, win32::Wide(path), 0, KEY_READ, key.Receive()) ==
           ERROR_SUCCESS;
}

void DeleteProfile() {
    const LSTATUS status = ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        throw std::runtime_error("cannot delete the profile, error " + std::to_string(status));
    }
}

} // namespace kvtx::e2e
