#include "engine/japanese_dates.h"

namespace kvtx {
namespace {

struct EraStart {
    std::u16string_view name;
    int year;
    int month;
    int day;
};

// Newest first; 明治 takes every date before 大正.
constexpr EraStart kEras[] = {
    {u"令和", 2019, 5, 1},
    {u"平成", 1989, 1, 8},
    {u"昭和", 1926, 12, 25},
    {u"大正", 1912, 7, 30},
};
constexpr EraStart kMeiji = {u"明治", 1868, 1, 1};

bool OnOrAfter(int year, int month, int day, const EraStart& start) {
    if (year != start.year) {
        return year > start.year;
    }
    if (month != start.month) {
        return month > start.month;
    }
    return day >= start.day;
}

// Days since 1970-01-01 of a Gregorian date (H. Hinnant's days_from_civil).
long long DaysFromCivil(long long year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

} // namespace

JapaneseEra EraOn(int year, int month, int day) {
    for (const EraStart& era : kEras) {
        if (OnOrAfter(year, month, day, era)) {
            return {era.name, year - era.year + 1};
        }
    }
    return {kMeiji.name, year - kMeiji.year + 1};
}

char16_t WeekdayKanji(int year, int month, int day) {
    static constexpr char16_t kKanji[] = u"日月火水木金土";
    // 1970-01-01 was a Thursday (木, 4).
    const long long days =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    const long long weekday = ((days % 7) + 7 + 4) % 7;
    return kKanji[weekday];
}

} // namespace kvtx
