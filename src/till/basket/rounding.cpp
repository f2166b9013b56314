#include "till/basket/rounding.h"

#include "till/tillsettings.h"

#include <cmath>

namespace shop::till {

namespace {

// Money sums carry binary noise (3 x 4.15 = 12.450000000000001); settle it to a millionth
// before a tie or a whole number is judged, so the rule sees the amount the cashier sees.
double settle(double value) {
    return std::round(value * 1e6) / 1e6;
}

// Rounds a non-negative amount to `scale` parts of a yuan, ties to even (the default rounding mode).
double nearestTiesEven(double amount, double scale) {
    return std::nearbyint(settle(amount * scale)) / scale;
}

template <typename F> double onMagnitude(double amount, F rule) {
    return amount < 0 ? -rule(-amount) : rule(amount);
}

} // namespace

RoundingOptions RoundingOptions::from(const TillSettings& settings) {
    return {settings.opt1, settings.opt2, settings.opt3};
}

double roundToTenth(double amount) {
    return onMagnitude(amount, [](double a) { return nearestTiesEven(a + 0.005, 10.0); });
}

double roundToYuan(double amount) {
    return onMagnitude(amount, [](double a) { return nearestTiesEven(a + 0.05, 1.0); });
}

double dropFraction(double amount) {
    return onMagnitude(amount, [](double a) { return std::trunc(settle(a)); });
}

double applyRounding(double amount, const RoundingOptions& options) {
    if (options.opt1)
        amount = roundToTenth(amount);
    if (options.opt3)
        amount = roundToYuan(amount);
    if (options.opt2)
        amount = dropFraction(amount);
    return amount;
}

qint64 toCents(double amount) {
    // Half away from zero with the same nudge as the "0.00" texts, so cents and text agree.
    return std::llround(amount * 100.0 + (amount >= 0 ? 1e-7 : -1e-7));
}

double fromCents(qint64 cents) {
    return double(cents) / 100.0;
}

} // namespace shop::till
