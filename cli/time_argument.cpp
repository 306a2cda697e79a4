#include "cli/time_argument.h"

#include <CLI/CLI.hpp>

namespace kvtx::cli {
namespace {

std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

} // namespace

std::optional<platform::LocalTime> ParseLocalTime(std::string_view text) {
    static constexpr std::string_view kShape = "0000-00-00T00:00:00";
    if (text.size() != kShape.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        if (kShape[i] != '0' && text[i] != kShape[i]) {
            return std::nullopt;
        }
    }
    const auto year = Digits(text, 0, 4);
    const auto month = Digits(text, 5, 2);
    const auto day = Digits(text, 8, 2);
    const auto hour = Digits(text, 11, 2);
    const auto minute = Digits(text, 14, 2);
    const auto second = Digits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second) {
        return std::nullopt;
    }
    if (*month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month) || *hour > 23 ||
        *minute > 59 || *second > 60) {
        return std::nullopt;
    }
    return platform::LocalTime{*year, *month, *day, *hour, *minute, *second};
}

void AddNowOption(CLI::App& command, std::optional<std::string>& now) {
    command.add_option("--now", now, "the local time the date and time fields take")
        ->option_text("YYYY-MM-DDTHH:MM:SS")
        ->check(CLI::Validator(
            [](const std::string& text) {
                return ParseLocalTime(text) ? std::string()
                                            : "not a valid time of the form YYYY-MM-DDTHH:MM:SS";
            },
            "", "local time"));
}

CommandClock::CommandClock(const std::optional<std::string>& now)
    : fixed_(now ? ParseLocalTime(*now) : std::nullopt) {}

platform::LocalTime CommandClock::Now() const {
    return fixed_ ? *fixed_ : platform::SystemClock().Now();
}

} // namespace kvtx::cli
