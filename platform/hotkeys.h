#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kvtx::platform {

// System-wide hotkeys delivered to the program's main window.
class Hotkeys {
public:
    virtual ~Hotkeys() = default;
    // nullopt when registered, else the system's error code (1409 when the combination is taken).
    virtual std::optional<std::uint32_t> Register(int id, unsigned modifiers,
                                                  unsigned virtualKey) = 0;
    virtual void Unregister(int id) = 0;
    // The system's own text for an error code, as the system gives it (line end included).
    virtual std::u16string ErrorText(std::uint32_t error) const = 0;
};

inline constexpr unsigned kModAlt = 1;
inline constexpr unsigned kModControl = 2;
inline constexpr unsigned kModShift = 4;

} // namespace kvtx::platform
