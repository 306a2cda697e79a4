#pragma once

#include <string_view>

namespace kvtx {

// A date's era as Japanese documents write it: the era's name and the year within it, 1 for the
// era's first (partial) year.
struct JapaneseEra {
    std::u16string_view name;
    int year = 0;

    bool operator==(const JapaneseEra&) const = default;
};

// The era of a date of the Gregorian calendar, by the day each era began: 令和 from 2019-05-01,
// 平成 from 1989-01-08, 昭和 from 1926-12-25, 大正 from 1912-07-30, 明治 before that. The year
// counts from the calendar year in which the era began, so 2019-04-30 is 平成31 and 2019-05-01
// is 令和1. Before 1868, the first year of 明治, the count goes on below 1 (1867 gives 明治0).
JapaneseEra EraOn(int year, int month, int day);

// The weekday of a date of the (proleptic) Gregorian calendar as one kanji: 日 月 火 水 木 金 土.
char16_t WeekdayKanji(int year, int month, int day);

} // namespace kvtx
