#include "engine/caret_stops.h"
#include "engine/japanese_dates.h"

#include <gtest/gtest.h>
#include <string>

namespace kvtx {
namespace {

struct DateCase {
    int year, month, day;
    JapaneseEra era;
    char16_t weekday;
};

// Each era's first day and the day before it, years within eras, and known weekdays.
TEST(JapaneseDates, EraByItsFirstDayAndWeekday) {
    const DateCase cases[] = {
        {2019, 4, 30, {u"平成", 31}, u'火'},
        {2019, 5, 1, {u"令和", 1}, u'水'},
        {1989, 1, 7, {u"昭和", 64}, u'土'},
        {1989, 1, 8, {u"平成", 1}, u'日'},
        {1926, 12, 24, {u"大正", 15}, u'金'},
        {1926, 12, 25, {u"昭和", 1}, u'土'},
        {1912, 7, 29, {u"明治", 45}, u'月'},
        {1912, 7, 30, {u"大正", 1}, u'火'},
        {2026, 12, 9, {u"令和", 8}, u'水'},
        {2020, 1, 1, {u"令和", 2}, u'水'},
        {2019, 1, 1, {u"平成", 31}, u'火'},
        {1990, 1, 1, {u"平成", 2}, u'月'},
        {1927, 1, 1, {u"昭和", 2}, u'土'},
        {1913, 1, 1, {u"大正", 2}, u'水'},
        {1868, 1, 1, {u"明治", 1}, u'水'},
        {1900, 1, 1, {u"明治", 33}, u'月'},
        {9999, 12, 31, {u"令和", 7981}, u'金'},
        // Before 明治's first year the count simply goes on.
        {1867, 12, 31, {u"明治", 0}, u'火'},
        {1970, 1, 1, {u"昭和", 45}, u'木'},
        {2000, 2, 29, {u"平成", 12}, u'火'},
        {2024, 3, 4, {u"令和", 6}, u'月'},
        {1, 1, 1, {u"明治", -1866}, u'月'},
        {2000, 1, 1, {u"平成", 12}, u'土'},
        {2026, 12, 11, {u"令和", 8}, u'金'},
        {1900, 6, 15, {u"明治", 33}, u'金'},
    };
    for (const auto& c : cases) {
        const std::string date =
            std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day);
        EXPECT_EQ(EraOn(c.year, c.month, c.day), c.era) << date;
        EXPECT_EQ(WeekdayKanji(c.year, c.month, c.day), c.weekday) << date;
    }
    std::u16string week;
    for (int day = 6; day <= 12; ++day) {
        week += WeekdayKanji(2026, 12, day);
    }
    EXPECT_EQ(week, u"日月火水木金土");
}

TEST(CaretStopsAfter, CrLfAndSurrogatePairsAreOneStopEach) {
    EXPECT_EQ(CaretStopsAfter(u"", 0), 0u);
    EXPECT_EQ(CaretStopsAfter(u"abc", 3), 0u);
    EXPECT_EQ(CaretStopsAfter(u"abc", 1), 2u);
    EXPECT_EQ(CaretStopsAfter(u"a\r\nb", 0), 3u);
    EXPECT_EQ(CaretStopsAfter(u"様\r\n\r\n以上", 1), 4u);
    EXPECT_EQ(CaretStopsAfter(u"x😀y", 1), 2u);
    EXPECT_EQ(CaretStopsAfter(u"😀😀", 0), 2u);
    // Lone line-end units and lone surrogates are one stop each.
    EXPECT_EQ(CaretStopsAfter(u"\n\r", 0), 2u);
    EXPECT_EQ(CaretStopsAfter(u"\r\r\n", 0), 2u);
    EXPECT_EQ(CaretStopsAfter(std::u16string{u'\xDC00', u'\xD800'}, 0), 2u);
    // From inside a pair the caret comes to rest before it.
    EXPECT_EQ(CaretStopsAfter(u"a\r\nb", 2), 2u);
}

} // namespace
} // namespace kvtx
