#include "till/settle/points.h"

#include "support/saledata.h"

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::till;

namespace {

std::vector<BasketLine> twoLines() {
    return {test::saleLine(
                {QStringLiteral("A"), QStringLiteral("洗发水"), 30, 1, -1, QStringLiteral("1"), QStringLiteral("10")}),
            test::saleLine(
                {QStringLiteral("B"), QStringLiteral("毛巾"), 12.5, 1, -1, QStringLiteral("2"), QStringLiteral("0")})};
}

} // namespace

TEST(EarnPoints, DoublesOnHolidayOrBirthdayButNeverMore) {
    const QDate today(2015, 10, 3);
    ShopRules holidayOn;
    holidayOn.holidayDouble = true;
    holidayOn.holidayFrom = QDate(2015, 10, 1);
    holidayOn.holidayTo = QDate(2015, 10, 7);
    ShopRules holidayOver = holidayOn;
    holidayOver.holidayTo = QDate(2015, 10, 2);
    ShopRules birthday;
    birthday.birthDouble = true;
    ShopRules both = holidayOn;
    both.birthDouble = true;

    struct Case {
        const char* name;
        ShopRules rules;
        bool birthdayToday;
        double points;
    };
    const Case cases[] = {
        {"plain day", ShopRules{}, false, 3},
        {"holiday", holidayOn, false, 6},
        {"holiday over", holidayOver, false, 3},
        {"birthday", birthday, true, 6},
        {"birthday without birthday doubling", ShopRules{}, true, 3},
        {"birthday on a holiday", both, true, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(EarnPoints(twoLines(), c.rules, today, c.birthdayToday), c.points);
    }
}

TEST(EarnPoints, OnlyLinesThatEarnAndKeepsTheFraction) {
    auto line = [](double amount, const QString& ratio, const QString& flag) {
        BasketLine l =
            test::saleLine({QStringLiteral("X"), QStringLiteral("品"), amount, 1, -1, QStringLiteral("1"), ratio});
        l.set(Sub::PointsFlag, flag);
        return l;
    };
    const QDate day(2015, 3, 4);
    EXPECT_DOUBLE_EQ(EarnPoints({line(25, QStringLiteral("10"), QStringLiteral("-1"))}, {}, day, false), 2.5);
    EXPECT_DOUBLE_EQ(EarnPoints({line(25, QStringLiteral("10"), QStringLiteral("0"))}, {}, day, false), 0);
    // A ratio stored as "0.0" next to a set flag earns nothing instead of endless points.
    EXPECT_DOUBLE_EQ(EarnPoints({line(25, QStringLiteral("0.0"), QStringLiteral("-1"))}, {}, day, false), 0);
    // A return line takes its points back.
    EXPECT_DOUBLE_EQ(EarnPoints({line(-20, QStringLiteral("10"), QStringLiteral("-1"))}, {}, day, false), -2);
}
