#pragma once

#include "platform/hotkeys.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kvtx::testing {

// Registration as the system does it: a combination held by anyone (this program or another,
// see takenElsewhere) is refused with 1409, and so is an id already in use.
class FakeHotkeys final : public platform::Hotkeys {
public:
    struct Combination {
        unsigned modifiers;
        unsigned virtualKey;
        auto operator<=>(const Combination&) const = default;
    };
    static constexpr std::uint32_t kAlreadyRegistered = 1409;

    std::optional<std::uint32_t> Register(int id, unsigned modifiers,
                                          unsigned virtualKey) override {
        const Combination combination{modifiers, virtualKey};
        log.push_back("register " + std::to_string(id));
        if (registered.count(id) != 0 || takenElsewhere.count(combination) != 0) {
            return kAlreadyRegistered;
        }
        for (const auto& [otherId, other] : registered) {
            if (other == combination) {
                return kAlreadyRegistered;
            }
        }
        registered[id] = combination;
        return std::nullopt;
    }
    void Unregister(int id) override {
        log.push_back("unregister " + std::to_string(id));
        registered.erase(id);
    }
    std::u16string ErrorText(std::uint32_t error) const override {
        return error == kAlreadyRegistered ? u"Hot key is already registered.\r\n" : u"?";
    }

    std::map<int, Combination> registered;
    std::map<Combination, int> takenElsewhere;
    std::vector<std::string> log;
};

} // namespace kvtx::testing
