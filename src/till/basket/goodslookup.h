// Finding goods for the basket: by barcode or article number as typed, by part of a code or
// name, by id from the picker, and the item's time-window and special prices. Every typed text
// is bound to the statement; the statements are prepared once and reused for every scan.
#pragma once

#include "db/connection.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

namespace shop::till {

// One `goods` row as the basket and the picker grid use it.
struct GoodsRow {
    qint64 goodsId = 0;
    QString barcode;
    QString goodsNo;
    QString name;
    int gType = 1;     // 1 good, 2 service item
    double price = 0;  // read with four decimals
    double price2 = 0; // member price, 0 = none
    double stock = 0;  // goods.amount
    // Kept as stored, for the basket line's hidden positions.
    QVariant costprice;
    QVariant ifdis;
    QVariant addupRate;

    bool isGood() const { return gType == 1; }
};

// A price for the current time of day from `goods_price`.
struct TimePrice {
    double price = 0;
    double price2 = 0;
};

class GoodsLookup {
public:
    explicit GoodsLookup(db::Connection& connection);
    ~GoodsLookup();
    GoodsLookup(const GoodsLookup&) = delete;
    GoodsLookup& operator=(const GoodsLookup&) = delete;

    // Visible goods whose barcode is `code`, or when there are none, whose article number is.
    // Nothing for empty text.
    std::vector<GoodsRow> FindGoodsExact(const QString& code);
    // Visible goods whose article number contains `text`; when none, whose barcode does; when
    // none, whose name does. "%" and "_" in the text match themselves. Nothing for empty text.
    std::vector<GoodsRow> FindGoodsFuzzy(const QString& text);
    // The visible item the picker grid's row stands for.
    std::optional<GoodsRow> goodsById(qint64 goodsId);
    // The price that holds now by the clock in China (UTC+8), whatever this machine's zone;
    // empty when no window holds or its price is empty.
    std::optional<TimePrice> timeWindowPrice(qint64 goodsId);
    // The item's special price from `tejia`, when it has one.
    std::optional<double> specialPrice(qint64 goodsId);

    // The statements that run once per scan; each is meant to find its rows through an index.
    static QStringList perScanStatements();

private:
    std::vector<GoodsRow> fetch(db::Query& query, const QString& name, const QVariant& value);

    db::Query byBarcode_;
    db::Query byGoodsNo_;
    db::Query likeGoodsNo_;
    db::Query likeBarcode_;
    db::Query likeName_;
    db::Query byId_;
    db::Query timePrice_;
    db::Query tejia_;
};

} // namespace shop::till
