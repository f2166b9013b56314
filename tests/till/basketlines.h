// Basket lines for tests, written the way the basket writes them.
#pragma once

#include "till/basket/basketline.h"

#include <QString>

namespace shop::test {

struct LineTexts {
    const char* unitPrice = "10.00";
    const char* memberPrice = "";
    const char* discount = "100";
    const char* quantity = "1";
    const char* amount = "10.00";
    const char* noDiscount = "0";
    const char* special = "0";
};

inline till::BasketLine basketLine(const LineTexts& texts) {
    using till::Sub;
    till::BasketLine line;
    line.caption = QStringLiteral("6900000000001");
    line.set(Sub::Name, QStringLiteral("测试商品"));
    line.set(Sub::UnitPrice, QString::fromUtf8(texts.unitPrice));
    line.set(Sub::MemberPrice, QString::fromUtf8(texts.memberPrice));
    line.set(Sub::Discount, QString::fromUtf8(texts.discount));
    line.set(Sub::Quantity, QString::fromUtf8(texts.quantity));
    line.set(Sub::Amount, QString::fromUtf8(texts.amount));
    line.set(Sub::CostPrice, QStringLiteral("5"));
    line.set(Sub::LineCost, QStringLiteral("5.000"));
    line.set(Sub::NoDiscount, QString::fromUtf8(texts.noDiscount));
    line.set(Sub::PointsFlag, QStringLiteral("-1"));
    line.set(Sub::PointsRatio, QStringLiteral("1"));
    line.set(Sub::GoodsId, QStringLiteral("1"));
    line.set(Sub::SpecialFlag, QString::fromUtf8(texts.special));
    if (QString::fromUtf8(texts.special) == u"-1")
        line.mark = till::LineMark::Special;
    return line;
}

} // namespace shop::test
