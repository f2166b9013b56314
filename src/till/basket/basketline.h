// One line of the basket: the item's barcode as caption, thirteen text sub-values and a state
// mark. Held sales, returns, the dialogs and the receipt all read and write lines in this layout.
#pragma once

#include <QString>

#include <array>

namespace shop::till {

enum class Sub : int {
    Name = 0,        // item name
    UnitPrice = 1,   // unit price for non-members, "0.00"
    MemberPrice = 2, // price for members (special or member price), "0.00" or empty
    Discount = 3,    // discount percentage, whole number, "100" = none
    Quantity = 4,    // shortest number text; negative on a return line
    Amount = 5,      // line amount after discounts, "0.00"
    CostPrice = 6,   // goods.costprice as stored
    LineCost = 7,    // quantity x cost price
    NoDiscount = 8,  // goods.ifdis as stored; "-1": takes no discount percentage
    PointsFlag = 9,  // "-1" when the line earns points
    PointsRatio = 10, // goods.addup_rate as stored
    GoodsId = 11,    // goods.goods_id; "-1" for a counted-card use
    SpecialFlag = 12, // "-1" when the item has a special price (tejia)
};

enum class LineMark : int { Plain = 0, Return = 1, Special = 2 };

struct BasketLine {
    QString caption;
    std::array<QString, 13> subs;
    LineMark mark = LineMark::Plain;

    const QString& sub(Sub s) const { return subs[size_t(s)]; }
    QString& sub(Sub s) { return subs[size_t(s)]; }
    void set(Sub s, const QString& text) { subs[size_t(s)] = text; }

    bool operator==(const BasketLine&) const = default;
};

} // namespace shop::till
