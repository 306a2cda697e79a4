#pragma once

#include "platform/profile.h"

namespace kvtx::win32 {

// HKEY_CURRENT_USER\Software\<company>\<application>\<section>, values as DWORDs.
class RegistryProfile final : public platform::Profile {
public:
    RegistryProfile(std::u16string company, std::u16string application);

    int ReadInt(const std::u16string& section, const std::u16string& key,
                int defaultValue) const override;
    void WriteInt(const std::u16string& section, const std::u16string& key, int value) override;
    std::vector<std::pair<std::u16string, std::u16string>>
    ReadStrings(const std::u16string& section) const override;
    bool WriteString(const std::u16string& section, const std::u16string& key,
                     const std::u16string& value) override;
    bool DeleteValue(const std::u16string& section, const std::u16string& key) override;

private:
    std::u16string SectionKey(const std::u16string& section) const;

    std::u16string root_;
};

} // namespace kvtx::win32
