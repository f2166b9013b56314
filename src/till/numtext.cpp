#include "till/numtext.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace shop::till {

namespace {

QString fixed(double value, int decimals) {
    const double scale = decimals == 2 ? 100.0 : std::pow(10.0, decimals);
    // A nudge of a millionth of a unit keeps 12.345 (stored as 12.34499…) rounding up, as on paper.
    const double nudge = value >= 0 ? 1e-7 : -1e-7;
    double scaled = std::round(value * scale + nudge);
    if (scaled == 0)
        scaled = 0; // no "-0.00"
    // The basket writes these for every line at every recount: amounts of everyday size are
    // written from their whole number of cents directly, digit for digit what the general
    // formatting gives.
    if (std::fabs(scaled) < 1e12) {
        char text[32];
        qint64 units = qint64(std::fabs(scaled));
        int at = int(sizeof text);
        for (int i = 0; i < decimals; ++i, units /= 10)
            text[--at] = char('0' + units % 10);
        if (decimals > 0)
            text[--at] = '.';
        do {
            text[--at] = char('0' + units % 10);
            units /= 10;
        } while (units > 0);
        if (scaled < 0)
            text[--at] = '-';
        return QString::fromLatin1(text + at, int(sizeof text) - at);
    }
    return QString::number(scaled / scale, 'f', decimals);
}

// The numbers the till reads most are its own texts: an optional minus, digits and at most one
// point between digits ("12.50", "-1", "100"). Those are read directly; anything else (blanks,
// a plus sign, an exponent, …) goes through the C locale's full reading.
bool plainDecimal(QStringView text, double& value) {
    char digits[32];
    const qsizetype size = text.size();
    if (size == 0 || size >= qsizetype(sizeof digits))
        return false;
    qsizetype i = text[0] == u'-' ? 1 : 0;
    const qsizetype intStart = i;
    for (; i < size && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    }
    if (i == intStart)
        return false;
    if (i < size) {
        if (text[i] != u'.' || i + 1 == size)
            return false;
        for (++i; i < size; ++i)
            if (text[i] < u'0' || text[i] > u'9')
                return false;
    }
    // Up to 15 digits form a whole number below 2^53; dividing it by an exact power of ten is
    // one correctly rounded operation, the same double the full reading gives.
    const bool negative = intStart == 1;
    quint64 mantissa = 0;
    int digitCount = 0;
    int decimals = 0;
    bool afterPoint = false;
    for (qsizetype k = intStart; k < size; ++k) {
        if (text[k] == u'.') {
            afterPoint = true;
            continue;
        }
        mantissa = mantissa * 10 + quint64(text[k].unicode() - u'0');
        ++digitCount;
        decimals += afterPoint ? 1 : 0;
    }
    if (digitCount <= 15) {
        static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        value = double(mantissa) / kPowers[decimals];
        if (negative)
            value = -value;
        return true;
    }
    for (qsizetype k = 0; k < size; ++k)
        digits[k] = char(text[k].unicode());
    const auto [end, error] = std::from_chars(digits, digits + size, value);
    return error == std::errc() && end == digits + size && std::isfinite(value);
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
    double value = 0;
    if (plainDecimal(text, value))
        return value;
    bool ok = false;
    value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value) ? value : fallback;
}

bool isNumber(const QString& text) {
    double value = 0;
    if (plainDecimal(text, value))
        return true;
    bool ok = false;
    value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value);
}

double fourDecimals(double value) {
    return std::round(value * 10000.0) / 10000.0;
}

} // namespace shop::till
