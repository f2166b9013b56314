#include "till/member/lunar.h"

#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <cstring>
#include <memory>

namespace shop::till {

namespace {

QString monthDayText(int month, int day) {
    return QStringLiteral("%1月%2日").arg(month).arg(day);
}

std::optional<LunarDate> convert(const QDate& date) {
    UErrorCode status = U_ZERO_ERROR;
    // The "chinese" calendar keyword gives ICU's ChineseCalendar. It reckons new moons on
    // China's clock itself; the day handed to it is noon of the date in UTC, well inside the day.
    std::unique_ptr<icu::Calendar> calendar(
        icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), icu::Locale("zh_CN@calendar=chinese"), status));
    if (U_FAILURE(status) || !calendar || std::strcmp(calendar->getType(), "chinese") != 0)
        return std::nullopt;
    constexpr double kMsPerDay = 86400000.0;
    const double noon = double(QDate(1970, 1, 1).daysTo(date)) * kMsPerDay + kMsPerDay / 2;
    calendar->setTime(noon, status);
    LunarDate lunar;
    lunar.month = calendar->get(UCAL_MONTH, status) + 1;
    lunar.day = calendar->get(UCAL_DATE, status);
    lunar.leapMonth = calendar->get(UCAL_IS_LEAP_MONTH, status) != 0;
    if (U_FAILURE(status))
        return std::nullopt;
    return lunar;
}

} // namespace

std::optional<LunarDate> lunarDate(const QDate& date) {
    if (!date.isValid())
        return std::nullopt;
    // Every card lookup asks about today, and a conversion costs far more than the lookup's
    // statements; keep the last answer.
    thread_local QDate lastDate;
    thread_local std::optional<LunarDate> lastLunar;
    if (date != lastDate) {
        lastLunar = convert(date);
        lastDate = date;
    }
    return lastLunar;
}

QString solarDayText(const QDate& date) {
    return monthDayText(date.month(), date.day());
}

QString lunarDayText(const QDate& date) {
    const std::optional<LunarDate> lunar = lunarDate(date);
    return lunar ? monthDayText(lunar->month, lunar->day) : QString();
}

} // namespace shop::till
