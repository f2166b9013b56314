#include "till/basket/recount.h"

#include "till/basket/basketmodel.h"
#include "till/numtext.h"

#include <algorithm>

namespace shop::till {

namespace {

// Spend-and-save: for every full `man` yuan, `jian` yuan come off. With `manjianex` the
// special-price lines do not count toward the threshold. The reduction never raises the
// payable and never takes it below nothing.
qint64 spendAndSaveCents(qint64 payableCents, qint64 specialCents, const ShopRules& rules) {
    if (!rules.manjian || rules.man <= 0 || rules.jian <= 0 || payableCents < qint64(rules.man) * 100)
        return 0;
    const qint64 counted = rules.manjianex ? payableCents - specialCents : payableCents;
    const qint64 times = std::max<qint64>(0, counted / (qint64(rules.man) * 100));
    return std::min(times * rules.jian * 100, payableCents);
}

} // namespace

RecountResult GoodsCount(std::vector<BasketLine>& lines, const RecountInput& input) {
    RecountResult r;
    r.memberHeadings = input.member;
    qint64 payableCents = 0;
    qint64 specialCents = 0;

    for (BasketLine& line : lines) {
        const double q = readNumber(line.sub(Sub::Quantity));
        const double a = readNumber(line.sub(Sub::Amount));
        const double p = readNumber(line.sub(Sub::UnitPrice));
        const double s = readNumber(line.sub(Sub::MemberPrice));
        const bool noDiscount = line.sub(Sub::NoDiscount) == u"-1";
        const bool memberPrice = input.member && s > 0;

        // The percentage the line's current amount stands for, so any discount it was given
        // survives this recount.
        double e = 100;
        if (!line.sub(Sub::Discount).isEmpty() && !noDiscount && p != 0 && q != 0)
            e = a / q / p * 100;

        double unit = p;
        double amount = 0;
        if (memberPrice && q > 0) {
            amount = s * q;
            unit = s;
        } else {
            amount = q * p * e / 100;
        }
        // The cents of an amount are those its "0.00" text shows (toCents rounds as money2 does).
        const double rounded = applyRounding(amount, input.rounding);
        line.set(Sub::Amount, money2(rounded));
        qint64 cents = toCents(rounded);

        if (line.sub(Sub::SpecialFlag) == u"-1") {
            if (input.rules.alldiscountex && a > 0) {
                line.set(Sub::Amount, money2(s * q));
                cents = toCents(s * q);
            }
            specialCents += cents;
        }

        r.pieces += q;
        r.listTotal += p * q;
        r.applicableTotal += unit * q;
        payableCents += cents;
        if (noDiscount || memberPrice)
            r.nodismoney += memberPrice ? s * q : p * q;
    }

    r.applicableTotalText = money2(r.applicableTotal);
    r.listTotalText = QStringLiteral("共:￥") + money2(r.listTotal);
    r.specialSum = fromCents(specialCents);

    payableCents -= spendAndSaveCents(payableCents, specialCents, input.rules);
    r.payable = applyRounding(fromCents(payableCents), input.rounding);
    r.payableText = money2(r.payable);

    if (input.cash) {
        r.change = *input.cash + input.otherPayment + input.cardPayment - r.payable;
        r.changeText = money2(*r.change);
    }
    r.otherPaymentEnabled = input.yinlian && r.payable > 0;
    r.piecesText = shortNumber(r.pieces);
    return r;
}

RecountResult GoodsCount(BasketModel& basket, const RecountInput& input) {
    RecountResult result;
    basket.editLines([&](std::vector<BasketLine>& lines) { result = GoodsCount(lines, input); });
    basket.setMemberHeadings(result.memberHeadings);
    return result;
}

} // namespace shop::till
