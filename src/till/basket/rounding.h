// The till's rounding options for line amounts and the payable total, and money in whole cents.
#pragma once

#include <QString>
#include <QtGlobal>

namespace shop::till {

struct TillSettings;

// Which of the three rounding options this till has ticked. They apply in the order opt1, opt3,
// opt2 to every line amount and to the payable total.
struct RoundingOptions {
    bool opt1 = false; // "金额0.0x四舍五入": to the nearest 0.1
    bool opt2 = false; // "0.xx抹零计算": drop the fraction
    bool opt3 = false; // "0.x四舍五入": to the nearest yuan

    static RoundingOptions from(const TillSettings& settings);
};

// opt1: add 0.005, then round to one decimal, ties to the even tenth (12.34 -> 12.3, 12.35 -> 12.4).
double roundToTenth(double amount);
// opt3: add 0.05, then round to a whole yuan, ties to the even yuan (12.45 -> 12, 12.46 -> 13).
double roundToYuan(double amount);
// opt2: drop the fraction (12.99 -> 12).
double dropFraction(double amount);

// Every ticked option in order. A refund (negative amount) is rounded exactly as the same sale
// would be, with the sign kept, so a returned item gives back what it took.
double applyRounding(double amount, const RoundingOptions& options);

// A money amount in whole cents, rounded as its "0.00" text shows it.
qint64 toCents(double amount);
double fromCents(qint64 cents);

} // namespace shop::till
