// Numbers as the till writes and reads them in its fields and basket lines.
#pragma once

#include <QString>

namespace shop::till {

// Two decimals, "0.00" (half away from zero on the cents).
QString money2(double value);
// Three decimals, "0.000".
QString money3(double value);
// The shortest text of a number: "1", "2.5", "0.333333333333333".
QString shortNumber(double value);
// A number typed or stored as text; `fallback` when it is not one (blank text included).
double readNumber(const QString& text, double fallback = 0.0);
// True when `text` is a number.
bool isNumber(const QString& text);
// A value read "with four decimal places", as prices are read from the database.
double fourDecimals(double value);

} // namespace shop::till
