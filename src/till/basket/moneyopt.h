// Spreading a payable amount over the basket lines, after the whole-order discount or the
// member card window has set a payable that differs from the sum of the lines.
#pragma once

#include "till/basket/basketline.h"

#include <vector>

namespace shop::till {

// Rounds every line amount (to the nearest 0.1, or with `opt2` to the nearest yuan), then puts
// the difference between `payable` and the rounded sum on the line with the largest amount
// (the first of equal ones), so the lines add up to the payable to the cent.
void moneyopt(std::vector<BasketLine>& lines, double payable, bool opt2);

} // namespace shop::till
