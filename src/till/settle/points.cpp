#include "till/settle/points.h"

#include "till/numtext.h"

namespace shop::till {

int pointsMultiplier(const ShopRules& rules, const QDate& today, bool birthdayToday) {
    const bool holiday = rules.holidayDouble && rules.holidayFrom.isValid() && rules.holidayTo.isValid() &&
                         rules.holidayFrom <= today && today <= rules.holidayTo;
    const bool birthday = rules.birthDouble && birthdayToday;
    return (holiday || birthday) ? 2 : 1;
}

double EarnPoints(const std::vector<BasketLine>& lines, const ShopRules& rules, const QDate& today,
                  bool birthdayToday) {
    const int multiplier = pointsMultiplier(rules, today, birthdayToday);
    double points = 0;
    for (const BasketLine& line : lines) {
        if (line.sub(Sub::PointsFlag).trimmed() != QStringLiteral("-1"))
            continue;
        // The ratio is read as a number: "0.0" or an unreadable ratio earns nothing rather
        // than dividing by zero.
        const double ratio = readNumber(line.sub(Sub::PointsRatio));
        if (!(ratio > 0))
            continue;
        points += readNumber(line.sub(Sub::Amount)) / ratio * multiplier;
    }
    return points;
}

} // namespace shop::till
