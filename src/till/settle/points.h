// Points a member earns with a sale.
#pragma once

#include "till/basket/basketline.h"
#include "till/shoprules.h"

#include <QDate>

#include <vector>

namespace shop::till {

// 2 on a double-points holiday (holidayfrom <= today <= holidayto, when the shop has it on) or
// on the member's birthday (when the shop has birthday doubling on); otherwise 1. A birthday on
// a holiday still doubles only once.
int pointsMultiplier(const ShopRules& rules, const QDate& today, bool birthdayToday);

// Σ over the lines that earn points (points flag "-1", a points ratio above 0) of
// line amount ÷ points ratio, times the multiplier. The fraction is kept.
double EarnPoints(const std::vector<BasketLine>& lines, const ShopRules& rules, const QDate& today, bool birthdayToday);

} // namespace shop::till
