// The arithmetic of the discount window: the rate, the amount taken off and the payable amount,
// each worked out from the one the cashier typed; the shop's lowest rate; and what a confirmed
// discount does to the basket lines. No widgets here: the window only shows what comes back.
#pragma once

#include "till/basket/basketline.h"
#include "till/basket/rounding.h"

#include <QString>

#include <vector>

namespace shop::till {

struct DiscountTerms {
    bool zhengdan = true;     // the whole order (true) or the selected line
    double zhekou_qian = 0;   // the amount the discount applies to
    double nodis = 0;         // the part of the order no discount touches (0 for one line)
    int mindis = 0;           // the lowest rate the shop allows, percent
    RoundingOptions rounding; // this till's rounding options
};

// What a key in the rate field leads to.
struct RateStep {
    enum class Outcome {
        Wait,   // neither two digits nor "0": nothing is worked out yet
        TooLow, // below the shop's lowest rate: tell the cashier, empty the rate and amount-off fields
        Rate,   // a two-digit rate: show `amountOff`
        Zero,   // "0": everything discountable comes off, whatever the lowest rate; the focus goes to "确认"
    };
    Outcome outcome = Outcome::Wait;
    double disRate = 0;
    QString amountOff; // the amount-off field's new text
};

// What a change of the amount-off field leads to.
struct AmountOffStep {
    bool clearFields = false; // more than everything comes off: empty the amount-off and rate fields
    QString payable;          // otherwise the payable field's new text
};

// The payable field checked when the cashier leaves it (or the amount-off field), and again at
// "确认", where a payable that cannot be read or lies outside the order's amounts is still refused.
struct PayableCheck {
    enum class Outcome {
        Empty,      // nothing typed: nothing to check
        Unreadable, // not a money amount (two decimal points, stray characters): keep the text, say so
        TooLow,     // the rate it gives is below the shop's lowest, or it eats into the untouchable part
        TooHigh,    // more than the goods cost: a discount never raises the price
        Accepted,
    };
    Outcome outcome = Outcome::Empty;
    QString text; // the payable as it is rewritten, "0.00"
    double payable = 0;
    double disRate = 0; // the rate the payable stands for
};

class DiscountCalc {
public:
    explicit DiscountCalc(const DiscountTerms& terms) : terms_(terms) {}

    const DiscountTerms& terms() const { return terms_; }

    RateStep rateTyped(const QString& text) const;
    AmountOffStep amountOffChanged(const QString& text) const;
    // `enforceMindis` false leaves out the shop's lowest rate (checked when the field was left;
    // the rate "0" is exempt from it).
    PayableCheck payableLeft(const QString& text, bool enforceMindis = true) const;

    // The window's messages.
    static QString tooLowMessage() { return QStringLiteral("折扣过低，系统不允许，请修改"); }
    static QString unreadableMessage() { return QStringLiteral("实收金额格式不对，请重新填写"); }
    static QString tooHighMessage() { return QStringLiteral("实收金额不能高于折前金额，请修改"); }

private:
    DiscountTerms terms_;
};

// A value rounded by the till's rounding option as the discount window does it: each ticked
// option is applied to the unrounded value, the last ticked of opt1, opt3, opt2 deciding.
double roundByOption(double value, const RoundingOptions& options);

// A confirmed whole-order discount: every line that takes discounts gets the rate and the amount
// unit price × quantity × rate ÷ 100; a line flagged "-1" shows 100 and keeps its amount.
void applyOrderDiscount(std::vector<BasketLine>& lines, double disRate);

// A confirmed single-line discount: the line shows the rate and charges the payable.
void applyLineDiscount(BasketLine& line, double disRate, double payable);

// Σ of the line amounts, to the cent.
double linesTotal(const std::vector<BasketLine>& lines);

} // namespace shop::till
