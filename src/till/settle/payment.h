// Taking payment at the till: the cash handed over, the part paid from the member card's stored
// value and the part paid by another means, the change, and how the payment is split into the
// order's columns. Pure rules over amounts; the main window moves focus and shows the texts.
#pragma once

#include "till/basket/rounding.h"

#include <QString>

#include <optional>

namespace shop::till {

// Money compared and stored to the cent (toCents of the basket's rounding): 10.10 + 14.90
// covers 25.00 even though the doubles differ in their last bits.
double roundCents(double value);

// The other means of payment as the means window names it in `Label14`.
enum class OtherMeans { None, BankCard, WeChat, Alipay };
OtherMeans otherMeansFromLabel(const QString& label);
QString otherMeansLabel(OtherMeans means);

// The message when the payments do not cover the payable amount.
QString shortPaymentMessage();
// The message when the card payment was lowered to the card's balance.
QString cardOverBalanceMessage();
// "当前付款方式为:" + the means label, for the status panel when the other payment is confirmed.
QString currentMeansText(const QString& meansLabel);

// The payment fields of the sale screen as they stand.
struct PaymentFields {
    double payable = 0; // realmoneyEdit
    QString cashText;   // receivemoneyEdit as typed; empty when nothing was typed
    double card = 0;    // kafuEdit
    double other = 0;   // yinlianEdit
};

// What ComputeChange decided.
struct ChangeResult {
    enum class Verdict {
        NothingToSettle, // no cash typed or an empty basket: empty the cash field, back to the barcode field
        Short,           // the payments do not cover the payable amount
        Settles,         // covered; the change is worked out
    };
    Verdict verdict = Verdict::NothingToSettle;
    double other = 0;   // the other payment to show (0 when the cash alone covers the payable)
    double change = 0;  // total paid - payable, to the cent
    QString changeText; // the change, "0.00"; empty unless the sale settles
    QString message;    // shortPaymentMessage() when short
    int saleStage = 0;  // 2 when short, 3 when settled, 0: leave SaleStage as it is

    bool ok() const { return verdict == Verdict::Settles; }
};

// Checks the payments of a basket of `lineCount` lines and works out the change.
ChangeResult ComputeChange(const PaymentFields& fields, int lineCount);

// Enter in the cash field with 0: what goes into the card and other payment fields before
// ComputeChange runs, and which field gets the focus.
struct ZeroCashEnter {
    enum class Focus { Keep, CardField, OtherField };
    std::optional<double> card;  // new card payment, when it changes
    std::optional<double> other; // new other payment, when it changes
    Focus focus = Focus::Keep;
};
// `member`: a member is attached; `balance` is the card's stored value (kayuE).
ZeroCashEnter zeroCashEnter(double payable, bool member, double balance, bool cardFieldEnabled, bool otherFieldEnabled);

// Leaving the card-payment field: a payment above the balance is lowered to the balance.
struct CardPaymentCheck {
    double card = 0;
    QString status; // cardOverBalanceMessage() when lowered, else empty
};
CardPaymentCheck checkCardPayment(double card, double balance);

// Right arrow in the card-payment field: the rest of the payable goes to the other means.
double otherPaymentForRest(double payable, double card);
// Entering the other-payment field: what the cash and the card do not cover.
double otherPaymentOnEnter(double payable, double cash, double card);

// How a settled payment is stored in the order row.
struct PaymentSplit {
    double cash = 0;    // payable - other - card: the cash kept, not the cash handed over
    double card = 0;    // taken off the member's balance
    double yinlian = 0; // the other payment, whatever the means
    double weixin = 0;  // the other payment when it was WeChat Pay
    double zhifb = 0;   // the other payment when it was Alipay
};
PaymentSplit splitPayment(double payable, double card, double other, const QString& meansLabel);

} // namespace shop::till
