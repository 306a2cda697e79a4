#pragma once

#include "platform/profile.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kvtx::testing {

// Values by section and key; every write is also logged in order.
class FakeProfile final : public platform::Profile {
public:
    int ReadInt(const std::u16string& section, const std::u16string& key,
                int defaultValue) const override {
        reads.push_back(key);
        const auto found = values.find({section, key});
        return found == values.end() ? defaultValue : found->second;
    }
    void WriteInt(const std::u16string& section, const std::u16string& key, int value) override {
        values[{section, key}] = value;
        writes.push_back(key);
    }

    std::vector<std::pair<std::u16string, std::u16string>>
    ReadStrings(const std::u16string& section) const override {
        const auto found = strings.find(section);
        return found == strings.end() ? std::vector<std::pair<std::u16string, std::u16string>>{}
                                      : found->second;
    }

    bool WriteString(const std::u16string& section, const std::u16string& key,
                     const std::u16string& value) override {
        auto& entries = strings[section];
        for (auto& [name, stored] : entries) {
            if (name == key) {
                stored = value;
                return true;
            }
        }
        entries.emplace_back(key, value);
        return true;
    }
    bool DeleteValue(const std::u16string& section, const std::u16string& key) override {
        auto& entries = strings[section];
        const auto before = entries.size();
        std::erase_if(entries, [&](const auto& entry) { return entry.first == key; });
        return entries.size() != before;
    }

    std::map<std::pair<std::u16string, std::u16string>, int> values;
    std::map<std::u16string, std::vector<std::pair<std::u16string, std::u16string>>> strings;
    mutable std::vector<std::u16string> reads;
    std::vector<std::u16string> writes;
};

} // namespace kvtx::testing
