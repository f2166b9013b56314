// The goods query window's search: by barcode, then article number, then name, either exactly
// (without regard to letter case) or as a part of them. Hidden goods never show. The typed text
// is bound to the statement, so quotes and "%" in it are looked for as they stand.
#pragma once

#include "db/connection.h"

#include <QString>

#include <vector>

namespace shop::till {

// One row of the query grid.
struct QueriedGoods {
    QString barcode;
    QString goodsNo;
    QString name;
    QString guige;     // size or pack (规格)
    QString className; // category
    double amount = 0; // in stock
    double sold = 0;
    double price2 = 0; // member price
    double price = 0;
    bool ifdis = false;   // -1 in the table
    bool ifaddup = false; // -1 in the table
    QString inDate;       // as stored
};

// Runs on `query` (the data module's goods query) the first of the three lookups that finds a
// row. Nothing for text that is blank once trimmed; otherwise the text is looked for as typed.
std::vector<QueriedGoods> queryGoods(db::Query& query, const QString& typed, bool fuzzy);

} // namespace shop::till
