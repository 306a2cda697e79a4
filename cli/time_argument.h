#pragma once

#include "platform/clock.h"

#include <optional>
#include <string>
#include <string_view>

namespace CLI {
class App;
}

namespace kvtx::cli {

// "YYYY-MM-DDTHH:MM:SS" as a local time; nullopt unless every field is present and in range,
// the day included for its month.
std::optional<platform::LocalTime> ParseLocalTime(std::string_view text);

// --now on a command: the instant the date and time fields take instead of the local time.
void AddNowOption(CLI::App& command, std::optional<std::string>& now);

// The clock a command uses: the one --now fixed (already checked by the parser), or the system's.
class CommandClock final : public platform::Clock {
public:
    explicit CommandClock(const std::optional<std::string>& now);
    platform::LocalTime Now() const override;

private:
    std::optional<platform::LocalTime> fixed_;
};

} // namespace kvtx::cli
