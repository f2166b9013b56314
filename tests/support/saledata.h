// Basket lines, members and sales staff for settlement and receipt tests.
#pragma once

#include "db/connection.h"
#include "till/basket/basketline.h"
#include "till/receipt/receipttemplate.h"

#include <QString>

namespace shop::test {

struct LineValues {
    QString barcode;
    QString name;
    double price = 0;
    double quantity = 1;
    double amount = -1; // the line amount; price × quantity when left at -1
    QString goodsId = QStringLiteral("1");
    QString pointsRatio = QStringLiteral("1");
    double cost = 0; // cost price per unit
};

// A basket line of a settled sale as the recount leaves it.
till::BasketLine saleLine(const LineValues& values);

// Adds a member card with a balance and returns nothing; counters start at 0.
void addMember(db::Connection& db, const QString& card, double balance, double addup = 0, const QString& mtype = {});
// Adds a sales person and returns the sales_id.
qint64 addSalesPerson(db::Connection& db, const QString& name);

// The receipt of a cash sale of 25.00 without a member at 18:05:09 on 4 March 2015: two towels
// at 12.50 and a shampoo given away, 30 handed over.
till::ReceiptValues cashSaleReceipt();

} // namespace shop::test
