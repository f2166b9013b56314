#include "support/timezoneguard.h"
#include "till/member/lunar.h"

#include <gtest/gtest.h>

using namespace shop::till;

namespace {

struct PublishedDay {
    QDate date;
    const char* lunar;
};

// Festival days as published: Mid-Autumn on the 15th of the 8th month, the new year on the
// 1st of the 1st.
const PublishedDay kPublished[] = {
    {QDate(2019, 9, 13), "8月15日"}, {QDate(2020, 10, 1), "8月15日"}, {QDate(2023, 9, 29), "8月15日"},
    {QDate(2024, 9, 17), "8月15日"}, {QDate(2025, 10, 6), "8月15日"}, {QDate(2026, 9, 25), "8月15日"},
    {QDate(2024, 2, 10), "1月1日"},  {QDate(2025, 1, 29), "1月1日"},  {QDate(2026, 2, 17), "1月1日"},
};

TEST(Lunar, PublishedFestivalDays) {
    for (const PublishedDay& day : kPublished) {
        EXPECT_EQ(lunarDayText(day.date), QString::fromUtf8(day.lunar)) << day.date.toString().toStdString();
        // The day before is a different lunar day: the match is not a coincidence of the month.
        EXPECT_NE(lunarDayText(day.date.addDays(-1)), QString::fromUtf8(day.lunar));
    }
}

TEST(Lunar, SameAnswerInEveryTimeZoneOfTheMachine) {
    for (const char* zone : {"Pacific/Kiritimati", "America/Los_Angeles", "Asia/Shanghai", "UTC"}) {
        shop::test::TimeZoneGuard guard(zone);
        for (const PublishedDay& day : kPublished)
            EXPECT_EQ(lunarDayText(day.date), QString::fromUtf8(day.lunar)) << zone;
    }
}

TEST(Lunar, LeapMonthCarriesTheNumberOfTheMonthItRepeats) {
    // 2023 had a leap second month, beginning on 22 March.
    const std::optional<LunarDate> leap = lunarDate(QDate(2023, 3, 22));
    ASSERT_TRUE(leap);
    EXPECT_TRUE(leap->leapMonth);
    EXPECT_EQ(leap->month, 2);
    EXPECT_EQ(leap->day, 1);
    EXPECT_EQ(lunarDayText(QDate(2023, 3, 22)), QStringLiteral("2月1日"));
    EXPECT_FALSE(lunarDate(QDate(2023, 2, 20))->leapMonth); // the ordinary second month
    EXPECT_EQ(lunarDayText(QDate(2023, 2, 20)), QStringLiteral("2月1日"));
}

TEST(Lunar, SolarTextHasNoLeadingZerosAndInvalidDatesGiveNothing) {
    EXPECT_EQ(solarDayText(QDate(2024, 3, 8)), QStringLiteral("3月8日"));
    EXPECT_EQ(solarDayText(QDate(2024, 12, 31)), QStringLiteral("12月31日"));
    EXPECT_EQ(lunarDayText(QDate()), QString());
}

} // namespace
