#include "till/settle/payment.h"

#include "till/numtext.h"

#include <algorithm>

namespace shop::till {

double roundCents(double value) {
    const double rounded = fromCents(toCents(value));
    return rounded == 0 ? 0.0 : rounded; // no -0.00
}

OtherMeans otherMeansFromLabel(const QString& label) {
    const QString text = label.trimmed();
    if (text == QStringLiteral("银联支付"))
        return OtherMeans::BankCard;
    if (text == QStringLiteral("微信支付"))
        return OtherMeans::WeChat;
    if (text == QStringLiteral("支付宝支付"))
        return OtherMeans::Alipay;
    return OtherMeans::None;
}

QString otherMeansLabel(OtherMeans means) {
    switch (means) {
    case OtherMeans::BankCard:
        return QStringLiteral("银联支付");
    case OtherMeans::WeChat:
        return QStringLiteral("微信支付");
    case OtherMeans::Alipay:
        return QStringLiteral("支付宝支付");
    case OtherMeans::None:
        break;
    }
    return {};
}

QString shortPaymentMessage() {
    return QStringLiteral("金额不够，请确认是否是输入错误！");
}

QString cardOverBalanceMessage() {
    return QStringLiteral("卡付不能大于卡余额");
}

QString currentMeansText(const QString& meansLabel) {
    return QStringLiteral("当前付款方式为:") + meansLabel;
}

ChangeResult ComputeChange(const PaymentFields& fields, int lineCount) {
    ChangeResult result;
    result.other = fields.other;
    if (fields.cashText.trimmed().isEmpty() || lineCount <= 0)
        return result;

    const double cash = readNumber(fields.cashText);
    const qint64 payable = toCents(fields.payable);
    qint64 paid = toCents(cash) + toCents(fields.other) + toCents(fields.card);
    if (paid < payable) {
        result.verdict = ChangeResult::Verdict::Short;
        result.message = shortPaymentMessage();
        result.saleStage = 2;
        return result;
    }
    // Cash that covers the payable on its own: whatever stood in the other payment is not taken.
    if (toCents(cash) >= payable) {
        result.other = 0;
        paid = toCents(cash) + toCents(fields.card);
    }
    result.verdict = ChangeResult::Verdict::Settles;
    result.change = double(paid - payable) / 100.0;
    result.changeText = money2(result.change);
    result.saleStage = 3;
    return result;
}

ZeroCashEnter zeroCashEnter(double payable, bool member, double balance, bool cardFieldEnabled,
                            bool otherFieldEnabled) {
    ZeroCashEnter result;
    if (member) {
        // A card without stored value (or one in debt) pays nothing: never a negative card payment.
        const double card = (payable < balance && balance > 0) ? payable : std::max(balance, 0.0);
        result.card = roundCents(card);
        if (cardFieldEnabled) {
            result.focus = ZeroCashEnter::Focus::CardField;
            return result;
        }
    }
    if (otherFieldEnabled) {
        result.other = roundCents(payable);
        result.focus = ZeroCashEnter::Focus::OtherField;
    }
    return result;
}

CardPaymentCheck checkCardPayment(double card, double balance) {
    CardPaymentCheck result;
    result.card = card;
    if (toCents(card) > toCents(balance)) {
        result.card = roundCents(balance);
        result.status = cardOverBalanceMessage();
    }
    return result;
}

double otherPaymentForRest(double payable, double card) {
    return roundCents(payable - card);
}

double otherPaymentOnEnter(double payable, double cash, double card) {
    // Cash and card that already cover the payable leave nothing for the other means.
    return std::max(0.0, roundCents(payable - cash - card));
}

PaymentSplit splitPayment(double payable, double card, double other, const QString& meansLabel) {
    PaymentSplit split;
    split.card = roundCents(card);
    split.yinlian = roundCents(other);
    split.cash = roundCents(payable - split.yinlian - split.card);
    switch (otherMeansFromLabel(meansLabel)) {
    case OtherMeans::WeChat:
        split.weixin = split.yinlian;
        break;
    case OtherMeans::Alipay:
        split.zhifb = split.yinlian;
        break;
    case OtherMeans::BankCard:
    case OtherMeans::None:
        break;
    }
    return split;
}

} // namespace shop::till
