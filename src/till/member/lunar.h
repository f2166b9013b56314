// Month-and-day texts of a date, as member birthdays are stored ("3月8日", no leading zeros),
// in the everyday calendar and in the Chinese lunar calendar.
#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace shop::till {

struct LunarDate {
    int month = 0; // 1 to 12
    int day = 0;   // 1 to 30
    bool leapMonth = false;
};

// The lunar date of a day of the everyday calendar, from ICU's Chinese calendar (reckoned, as
// the lunar calendar is, on China's clock). Empty when ICU cannot give one.
std::optional<LunarDate> lunarDate(const QDate& date);

// "M月D日" of the everyday date.
QString solarDayText(const QDate& date);

// "M月D日" of the lunar date, e.g. "8月15日" on the Mid-Autumn festival. A leap month carries
// the number of the month it repeats, so a member born on the 10th of the 4th month has a
// birthday on the 10th of a leap 4th month as well. Empty when ICU cannot give a date.
QString lunarDayText(const QDate& date);

} // namespace shop::till
