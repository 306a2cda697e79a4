#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kvtx::platform {

// The per-user profile: integer values by section and key under the program's own key.
class Profile {
public:
    virtual ~Profile() = default;
    // A missing or unreadable value gives the default.
    virtual int ReadInt(const std::u16string& section, const std::u16string& key,
                        int defaultValue) const = 0;
    // Failures are not reported: the program carries on with the value in memory.
    virtual void WriteInt(const std::u16string& section, const std::u16string& key, int value) = 0;
    // Every string value of the section, by name, in the order the profile keeps them; values of
    // other kinds are left out, and a missing section has none.
    virtual std::vector<std::pair<std::u16string, std::u16string>>
    ReadStrings(const std::u16string& section) const = 0;
    // A string value written or removed; false when the profile refused it.
    virtual bool WriteString(const std::u16string& section, const std::u16string& key,
                             const std::u16string& value) = 0;
    virtual bool DeleteValue(const std::u16string& section, const std::u16string& key) = 0;
};

} // namespace kvtx::platform
