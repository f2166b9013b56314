#include "till/numtext.h"

#include <QLocale>

#include <cmath>

namespace shop::till {

namespace {
QString fixed(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    // A nudge of a millionth of a unit keeps 12.345 (stored as 12.34499…) rounding up, as on paper.
    const double nudge = value >= 0 ? 1e-7 : -1e-7;
    double scaled = std::round(value * scale + nudge);
    if (scaled == 0)
        scaled = 0; // no "-0.00"
    return QString::number(scaled / scale, 'f', decimals);
}
} // namespace

QString money2(double value) {
    return fixed(value, 2);
}

QString money3(double value) {
    return fixed(value, 3);
}

QString shortNumber(double value) {
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

double readNumber(const QString& text, double fallback) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value) ? value : fallback;
}

bool isNumber(const QString& text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value);
}

double fourDecimals(double value) {
    return std::round(value * 10000.0) / 10000.0;
}

} // namespace shop::till
