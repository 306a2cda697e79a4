#include "engine/caret_stops.h"
#include "engine/japanese_dates.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

TEST(EraOn, EachEraBeginsOnItsFirstDayWithYearOne) {
    EXPECT_EQ(EraOn(2019, 4, 30), (JapaneseEra{u"平成", 31}));
    EXPECT_EQ(EraOn(2019, 5, 1), (JapaneseEra{u"令和", 1}));
    EXPECT_EQ(EraOn(1989, 1, 7), (JapaneseEra{u"昭和", 64}));
    EXPECT_EQ(EraOn(1989, 1, 8), (JapaneseEra{u"平成", 1}));
    EXPECT_EQ(EraOn(1926, 12, 24), (JapaneseEra{u"大正", 15}));
    EXPECT_EQ(EraOn(1926, 12, 25), (JapaneseEra{u"昭和", 1}));
    EXPECT_EQ(EraOn(1912, 7, 29), (JapaneseEra{u"明治", 45}));
    EXPECT_EQ(EraOn(1912, 7, 30), (JapaneseEra{u"大正", 1}));
}

TEST(EraOn, YearsWithinAnEra) {
    EXPECT_EQ(EraOn(2026, 12, 9), (JapaneseEra{u"令和", 8}));
    EXPECT_EQ(EraOn(2020, 1, 1), (JapaneseEra{u"令和", 2}));
    EXPECT_EQ(EraOn(2019, 1, 1), (JapaneseEra{u"平成", 31}));
    EXPECT_EQ(EraOn(1990, 1, 1), (JapaneseEra{u"平成", 2}));
    EXPECT_EQ(EraOn(1927, 1, 1), (JapaneseEra{u"昭和", 2}));
    EXPECT_EQ(EraOn(1913, 1, 1), (JapaneseEra{u"大正", 2}));
    EXPECT_EQ(EraOn(1868, 1, 1), (JapaneseEra{u"明治", 1}));
    EXPECT_EQ(EraOn(1900, 6, 15), (JapaneseEra{u"明治", 33}));
    EXPECT_EQ(EraOn(9999, 12, 31), (JapaneseEra{u"令和", 7981}));
    // Before 明治's first year the count simply goes on.
    EXPECT_EQ(EraOn(1867, 12, 31), (JapaneseEra{u"明治", 0}));
}

TEST(WeekdayKanji, KnownDates) {
    EXPECT_EQ(WeekdayKanji(2026, 12, 9), u'水');
    EXPECT_EQ(WeekdayKanji(1970, 1, 1), u'木');
    EXPECT_EQ(WeekdayKanji(2000, 1, 1), u'土');
    EXPECT_EQ(WeekdayKanji(2000, 2, 29), u'火');
    EXPECT_EQ(WeekdayKanji(2019, 5, 1), u'水');
    EXPECT_EQ(WeekdayKanji(1989, 1, 8), u'日');
    EXPECT_EQ(WeekdayKanji(2024, 3, 4), u'月');
    EXPECT_EQ(WeekdayKanji(2026, 12, 11), u'金');
    EXPECT_EQ(WeekdayKanji(1900, 1, 1), u'月');
    EXPECT_EQ(WeekdayKanji(1, 1, 1), u'月');
}

TEST(WeekdayKanji, SevenDaysInARowGiveEveryKanjiOnce) {
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
