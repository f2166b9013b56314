// The recount: prices every basket line again under the shop's rules and works out what the
// window shows. It reads and writes only the lines; it never touches the database.
#pragma once

#include "till/basket/basketline.h"
#include "till/basket/rounding.h"
#include "till/shoprules.h"

#include <QString>

#include <optional>
#include <vector>

namespace shop::till {

class BasketModel;

struct RecountInput {
    bool member = false; // a member is attached to the sale
    ShopRules rules;
    RoundingOptions rounding;
    bool yinlian = false; // this till takes other means of payment
    // The cash handed over; empty while the cash field reads "0", and then no change is worked out.
    std::optional<double> cash;
    double otherPayment = 0; // yinlianEdit
    double cardPayment = 0;  // kafuEdit
};

struct RecountResult {
    bool memberHeadings = false; // "单价"/"*特价" with a member, "*单价"/"特价" without
    double pieces = 0;
    QString piecesText;          // goodscountLbl: shortest number text
    double listTotal = 0;        // Σ unit price × quantity
    QString listTotalText;       // totalMoneyLbl: "共:￥25.00"
    double applicableTotal = 0;  // Σ applicable unit price × quantity
    QString applicableTotalText; // totalMoneyEdit: "0.00"
    double nodismoney = 0;       // the part a whole-order discount may not touch
    double specialSum = 0;       // amounts of special-price lines
    double payable = 0;
    QString payableText; // realmoneyEdit: "0.00"
    std::optional<double> change;
    QString changeText;               // changeMoneyEdit: "0.00", empty when no change was worked out
    bool otherPaymentEnabled = false; // yinlianEdit
};

// Prices every line again in list order, totals them, takes off spend-and-save and rounds the
// payable. The window also empties the payment-means label, the barcode field and focuses it.
RecountResult GoodsCount(std::vector<BasketLine>& lines, const RecountInput& input);

// The same on the basket the list shows: writes the lines back and sets the headings.
RecountResult GoodsCount(BasketModel& basket, const RecountInput& input);

} // namespace shop::till
