// A sale as the settlement takes it from the sale screen.
#pragma once

#include "till/basket/basketline.h"
#include "till/member/membercard.h"

#include <QString>

#include <optional>
#include <vector>

namespace shop::till {

// The member attached to the sale (the card was confirmed in the card field).
struct SaleMember {
    QString cardId;             // the card number as the member lookup found it
    double discount = 100;      // the discount shown in disRateEdit
    bool birthdayToday = false; // the member has a birthday today
};

struct Sale {
    std::vector<BasketLine> lines; // in list order
    QString cardText;              // the card field's text as it stands (stored as the order's card_id)
    std::optional<SaleMember> member;
    double payable = 0;  // realmoneyEdit
    double card = 0;     // kafuEdit: paid from the member's stored value
    double other = 0;    // yinlianEdit: paid by another means
    QString meansLabel;  // Label14: "银联支付", "微信支付", "支付宝支付" or empty
    QString cashier;     // CashierName
    qint64 salesId = -1; // the attached sales person, -1 when none
    bool cika = false;   // a counted-card use (the counted-card line's quantity is the uses)
};

// The attached member as the member card gives it.
SaleMember saleMember(const MemberValues& member);

// Σ of the lines' cost (sub-value 7).
double BasketCost(const std::vector<BasketLine>& lines);
// Uses taken off a counted card: the quantity of the counted-card line (goods id -1) for a
// counted-card sale, else 0.
double countedCardUses(const Sale& sale);

} // namespace shop::till
