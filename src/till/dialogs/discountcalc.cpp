#include "till/dialogs/discountcalc.h"

#include "db/moneytext.h"
#include "till/numtext.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <optional>

namespace shop::till {

namespace {

// Rates worked out from money carry binary noise (80.00000000000001); settle them before they
// are compared with the shop's lowest rate.
double settled(double rate) {
    return std::round(rate * 1e6) / 1e6;
}

// A money text as the cashier typed it ("￥1,234.5" reads too); nothing when it is not a number.
std::optional<double> readMoney(const QString& text) {
    QString rest = text.trimmed();
    const qsizetype sign = rest.indexOf(db::kYuanSign);
    if (sign >= 0)
        rest = rest.mid(sign + 1).trimmed();
    rest.remove(u',');
    bool ok = false;
    const double value = QLocale::c().toDouble(rest, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString rateText(double rate) {
    return QString::number(rate, 'f', 0);
}

} // namespace

double roundByOption(double value, const RoundingOptions& options) {
    double rounded = value;
    if (options.opt1)
        rounded = roundToTenth(value);
    if (options.opt3)
        rounded = roundToYuan(value);
    if (options.opt2)
        rounded = dropFraction(value);
    return rounded;
}

RateStep DiscountCalc::rateTyped(const QString& text) const {
    const QString typed = text.trimmed();
    const double base = terms_.zhekou_qian;
    RateStep step;
    if (typed.size() == 2) {
        bool ok = false;
        const int rate = typed.toInt(&ok);
        if (!ok)
            return step;
        if (rate < terms_.mindis) {
            step.outcome = RateStep::Outcome::TooLow;
            return step;
        }
        const double charged = roundByOption(base - base * (100 - rate) / 100, terms_.rounding);
        step.outcome = RateStep::Outcome::Rate;
        step.disRate = rate;
        step.amountOff = money2(base - charged);
        return step;
    }
    if (typed == u"0") {
        // The shop's way of giving the discountable goods away: it is not held to the lowest rate.
        step.outcome = RateStep::Outcome::Zero;
        step.disRate = 0;
        step.amountOff = money2(base);
    }
    return step;
}

AmountOffStep DiscountCalc::amountOffChanged(const QString& text) const {
    AmountOffStep step;
    if (text.trimmed().isEmpty()) {
        step.payable = shortNumber(terms_.zhekou_qian + terms_.nodis);
        return step;
    }
    const double payable = terms_.zhekou_qian - db::MoneyValue(text) + terms_.nodis;
    if (toCents(payable) < 0) {
        step.clearFields = true;
        return step;
    }
    step.payable = money2(roundByOption(payable, terms_.rounding));
    return step;
}

PayableCheck DiscountCalc::payableLeft(const QString& text, bool enforceMindis) const {
    PayableCheck check;
    if (text.trimmed().isEmpty())
        return check;
    const std::optional<double> typed = readMoney(text);
    if (!typed) {
        check.outcome = PayableCheck::Outcome::Unreadable;
        return check;
    }
    check.text = money2(*typed);
    check.payable = readNumber(check.text);
    const double base = terms_.zhekou_qian;
    check.disRate = base <= 0 ? 100 : settled((check.payable - terms_.nodis) / base * 100);

    // The most a discounted order may cost: the goods at full price, or what the rounding option
    // makes of it when it rounds up.
    const double full = std::max(base, roundByOption(base, terms_.rounding)) + terms_.nodis;
    if (toCents(check.payable) > toCents(full)) {
        check.outcome = PayableCheck::Outcome::TooHigh;
        return check;
    }
    if (toCents(check.payable) < toCents(terms_.nodis) || check.disRate < 0 ||
        (enforceMindis && check.disRate < terms_.mindis)) {
        check.outcome = PayableCheck::Outcome::TooLow;
        return check;
    }
    check.outcome = PayableCheck::Outcome::Accepted;
    return check;
}

void applyOrderDiscount(std::vector<BasketLine>& lines, double disRate) {
    for (BasketLine& line : lines) {
        if (line.sub(Sub::NoDiscount) == u"-1") {
            line.set(Sub::Discount, QStringLiteral("100"));
            continue;
        }
        const double price = readNumber(line.sub(Sub::UnitPrice));
        const double quantity = readNumber(line.sub(Sub::Quantity));
        line.set(Sub::Discount, rateText(disRate));
        line.set(Sub::Amount, money2(price * quantity * disRate / 100));
    }
}

void applyLineDiscount(BasketLine& line, double disRate, double payable) {
    line.set(Sub::Discount, rateText(disRate));
    line.set(Sub::Amount, money2(payable));
}

double linesTotal(const std::vector<BasketLine>& lines) {
    qint64 cents = 0;
    for (const BasketLine& line : lines)
        cents += toCents(readNumber(line.sub(Sub::Amount)));
    return fromCents(cents);
}

} // namespace shop::till
