// What the till makes of a member's card once it is found: whether it may be used today, and
// the values the main window shows and keeps for the sale.
#pragma once

#include <QDate>
#include <QString>

namespace shop::till {

// One `member` row with the redeemable points (`addup` − `exchange`) as `jifen`.
struct MemberRow {
    QString cardId;
    QString name;
    QString tel;
    QString mtype;
    QString birthday;   // "3月8日"
    int lunar = 0;      // as stored: -1 lunar calendar, 0 everyday calendar
    int status = 0;     // -1 valid
    QString enddate;    // as stored, "yyyy-MM-dd[ hh:mm:ss]"
    int cardtype = 0;   // -1 counted card
    int discount = 100; // percent; 100 when the row has none
    double jifen = 0;   // addup − exchange
    double balance = 0; // read with four decimals
};

// Why a found card may not be used, as the cashier is told.
QString cardRefusal(const MemberRow& member, const QDate& today);

// The member's birthday falls on `today`: by the everyday date, or for a lunar birthday by the
// lunar date.
bool isBirthday(const MemberRow& member, const QDate& today);

// The values of an attached member.
struct MemberValues {
    QString cardId;     // card_id as stored
    QString name;       // mnameEdit
    int jifen = 0;      // redeemable points, fraction dropped
    QString pointsText; // addupEdit: one decimal
    bool countedCard = false;
    QString cardTypeText;            // cardtypeEdit: "次数卡" or "积分卡"
    double balance = 0;              // kayuE
    QString balanceText;             // yuEEdit: "0.00"
    bool cardPaymentEnabled = false; // kafuEdit: a balance above 0
    QString mtype;                   // mtypeEdit
    int discount = 100;              // disRateEdit: the discount for this sale
    bool birthday = false;           // isbirthday
};

// `pointsDiscount` is the points-tier discount, used instead of the card's own when the shop's
// points-tier policy is on.
MemberValues memberValues(const MemberRow& member, const QDate& today, bool discountPolicy, int pointsDiscount);

} // namespace shop::till
