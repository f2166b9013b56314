// Goods, special and time-window prices put into a test shop.
#pragma once

#include "db/connection.h"

#include <QString>
#include <QVariant>

namespace shop::test {

struct NewGoods {
    QString barcode;
    QString goodsNo;
    QString name;
    double price = 10;
    double price2 = 0;
    int ifdis = 0;
    int gType = 1;
    double stock = 10;
    int hide = 0;
    double costprice = 6.5;
    double addupRate = 1;
};

inline qint64 addGoods(db::Connection& c, const NewGoods& g) {
    c.exec(QStringLiteral("insert into goods(barcode,goods_no,name,price,price2,ifdis,g_type,amount,hide,costprice,"
                          "addup_rate) values(:b,:n,:name,:p,:p2,:ifdis,:t,:s,:h,:c,:r)"),
           {{QStringLiteral("b"), g.barcode},
            {QStringLiteral("n"), g.goodsNo},
            {QStringLiteral("name"), g.name},
            {QStringLiteral("p"), g.price},
            {QStringLiteral("p2"), g.price2},
            {QStringLiteral("ifdis"), g.ifdis},
            {QStringLiteral("t"), g.gType},
            {QStringLiteral("s"), g.stock},
            {QStringLiteral("h"), g.hide},
            {QStringLiteral("c"), g.costprice},
            {QStringLiteral("r"), g.addupRate}});
    return c.lastInsertRowId();
}

inline void addSpecialPrice(db::Connection& c, qint64 goodsId, double price) {
    c.exec(QStringLiteral("insert into tejia(goods_id,tprice) values(:g,:p)"),
           {{QStringLiteral("g"), goodsId}, {QStringLiteral("p"), price}});
}

inline void addTimePrice(db::Connection& c, qint64 goodsId, double price, double price2, const QString& from,
                         const QString& to) {
    c.exec(QStringLiteral("insert into goods_price(goods_id,price,price2,from_time,to_time) values(:g,:p,:p2,:f,:t)"),
           {{QStringLiteral("g"), goodsId},
            {QStringLiteral("p"), price},
            {QStringLiteral("p2"), price2},
            {QStringLiteral("f"), from},
            {QStringLiteral("t"), to}});
}

} // namespace shop::test
