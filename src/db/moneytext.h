// Reading money texts as the windows show them ("￥1,234.50").
#pragma once

#include <QString>

namespace shop::db {

// The currency symbol the till always shows.
inline constexpr char16_t kYuanSign = u'￥';

// Cuts the yuan sign from the front, removes every ",", reads the rest as a number. Text that
// is not a number gives 0.
double MoneyValue(const QString& text);

// The console's reading of a money text from its currency edits: the same rule.
double StrToFloatEx(const QString& text);

// A money value as the windows show it: two decimals, no symbol ("12.30").
QString moneyText(double value);

} // namespace shop::db
