#include "till/basket/moneyopt.h"

#include "till/basket/rounding.h"
#include "till/numtext.h"

namespace shop::till {

void moneyopt(std::vector<BasketLine>& lines, double payable, bool opt2) {
    if (lines.empty())
        return;
    qint64 sum = 0;
    size_t largest = 0;
    qint64 largestCents = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const double amount = readNumber(lines[i].sub(Sub::Amount));
        const qint64 cents = toCents(opt2 ? roundToYuan(amount) : roundToTenth(amount));
        lines[i].set(Sub::Amount, money2(fromCents(cents)));
        sum += cents;
        if (i == 0 || cents > largestCents) {
            largest = i;
            largestCents = cents;
        }
    }
    const qint64 difference = toCents(payable) - sum;
    if (difference == 0)
        return;
    lines[largest].set(Sub::Amount, money2(fromCents(largestCents + difference)));
}

} // namespace shop::till
