#include "db/moneytext.h"

#include <QLocale>

#include <cmath>

namespace shop::db {

double MoneyValue(const QString& text) {
    QString rest = text.trimmed();
    const qsizetype sign = rest.indexOf(kYuanSign);
    if (sign >= 0)
        rest = rest.mid(sign + 1).trimmed();
    rest.remove(u',');
    bool ok = false;
    const double value = QLocale::c().toDouble(rest, &ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

double StrToFloatEx(const QString& text) {
    // The currency edits show "￥" with or without a blank after it; dropping a fixed number of
    // characters would eat a digit in the second case, so the sign and blanks are cut instead.
    return MoneyValue(text);
}

QString moneyText(double value) {
    // Round half away from zero on the cents, as a cashier reads 12.345 (stored 12.3449999…).
    const double cents = std::round(value * 100.0 + (value >= 0 ? 1e-7 : -1e-7));
    return QString::number(cents / 100.0, 'f', 2);
}

} // namespace shop::db
