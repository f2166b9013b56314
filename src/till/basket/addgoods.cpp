#include "till/basket/addgoods.h"

#include "db/moneytext.h"
#include "till/basket/basketmodel.h"
#include "till/numtext.h"

#include <cmath>

namespace shop::till {

namespace {

// A value as the table holds it, written the way the basket line keeps it.
QString storedText(const QVariant& value) {
    if (value.typeId() == QMetaType::Double)
        return shortNumber(value.toDouble());
    return value.toString();
}

} // namespace

QString newLineDiscount(const QVariant& ifdis, const SaleTerms& terms) {
    QString discount =
        terms.member && storedText(ifdis) == u"0" ? QString::number(terms.memberDiscount) : QStringLiteral("100");
    if (terms.rules.alldiscount) {
        const double shopWide = terms.rules.allzhekou * 10;
        discount = shortNumber(shopWide);
        if (terms.rules.disdis && terms.member) {
            // Settled to a millionth before the tie is judged: 90 on top of 95 is 85.5, which
            // rounds to the even 86.
            const double combined = std::round(terms.memberDiscount * shopWide / 100 * 1e6) / 1e6;
            discount = QString::number(qint64(std::nearbyint(combined)));
        }
    }
    return discount;
}

GoodsAdder::GoodsAdder(GoodsLookup& lookup, BasketModel& basket, AskPriceAndQuantity askPrice)
    : lookup_(lookup), basket_(basket), askPrice_(std::move(askPrice)) {}

std::optional<ItemPrices> GoodsAdder::pricesForNewLine(const GoodsRow& goods) {
    if (basket_.findGoods(QString::number(goods.goodsId)) >= 0)
        return std::nullopt;
    return lookUpPrices(goods);
}

ItemPrices GoodsAdder::lookUpPrices(const GoodsRow& goods) {
    return ItemPrices{lookup_.timeWindowPrice(goods.goodsId), lookup_.specialPrice(goods.goodsId)};
}

AddGoodsResult GoodsAdder::AddGoodsToBasket(const GoodsRow& goods, const SaleTerms& terms) {
    return AddGoodsToBasket(goods, terms, pricesForNewLine(goods));
}

AddGoodsResult GoodsAdder::AddGoodsToBasket(const GoodsRow& goods, const SaleTerms& terms,
                                            const std::optional<ItemPrices>& prices) {
    AddGoodsResult result;
    if (goods.isGood()) {
        const QString stock = shortNumber(goods.stock);
        result.status1 = QStringLiteral("商品") + goods.barcode + QStringLiteral("库存:") + stock;
        if (goods.stock <= 0 && terms.rules.zeromsg) {
            result.status1 = goods.barcode + QStringLiteral("负库存！");
            result.notice = QStringLiteral("提示：此商品库存为") + stock + QStringLiteral(",请及时补充库存");
        }
    }

    const int existing = basket_.findGoods(QString::number(goods.goodsId));
    if (existing >= 0) {
        result.row = raiseLine(existing, terms);
        result.outcome = AddGoodsResult::Outcome::Raised;
        return result;
    }
    std::optional<BasketLine> line = newLine(goods, terms, prices ? *prices : lookUpPrices(goods));
    if (!line)
        return result;
    result.row = basket_.append(*line);
    result.outcome = AddGoodsResult::Outcome::Added;
    return result;
}

// One more piece, whatever quantity the line was made with, priced as the line already is.
int GoodsAdder::raiseLine(int row, const SaleTerms& terms) {
    BasketLine line = basket_.line(row);
    const double q = readNumber(line.sub(Sub::Quantity)) + 1;
    const bool memberPrice = terms.member && !line.sub(Sub::MemberPrice).isEmpty();
    const double r = readNumber(memberPrice ? line.sub(Sub::MemberPrice) : line.sub(Sub::UnitPrice));
    const double d = readNumber(line.sub(Sub::Discount), 100);
    double amount = memberPrice ? q * r : q * r * d / 100;
    if (terms.rounding.opt1)
        amount = roundToTenth(amount);
    line.set(Sub::Quantity, shortNumber(q));
    line.set(Sub::Amount, money2(amount));
    line.set(Sub::LineCost, money2(q * readNumber(line.sub(Sub::CostPrice))));
    basket_.replace(row, line);
    return row;
}

std::optional<BasketLine> GoodsAdder::newLine(const GoodsRow& goods, const SaleTerms& terms, const ItemPrices& prices) {
    double r = goods.price;
    double p = goods.price2;
    if (prices.timeWindow) {
        r = prices.timeWindow->price;
        p = prices.timeWindow->price2;
    }

    double q = 1;
    if (r == 0) {
        const std::optional<TypedPriceQuantity> typed = askPrice_ ? askPrice_() : std::nullopt;
        if (!typed)
            return std::nullopt;
        r = db::MoneyValue(typed->price);
        q = readNumber(typed->quantity, 1);
    }

    BasketLine line;
    line.caption = goods.barcode;
    line.set(Sub::Name, goods.name);
    line.set(Sub::UnitPrice, money2(r));
    line.set(Sub::MemberPrice, p > 0 ? money2(p) : QString());
    const QString discount = newLineDiscount(goods.ifdis, terms);
    line.set(Sub::Discount, discount);
    // The quantity as it was read, so the recount charges exactly the pieces counted here.
    line.set(Sub::Quantity, shortNumber(q));
    const double d = readNumber(discount, 100);
    line.set(Sub::Amount, money2(terms.member && p > 0 ? p * q : d * r * q / 100));
    const QString costPrice = storedText(goods.costprice);
    line.set(Sub::CostPrice, costPrice);
    line.set(Sub::LineCost, money3(readNumber(costPrice) * q));
    line.set(Sub::NoDiscount, storedText(goods.ifdis));
    line.set(Sub::PointsFlag, goods.addupRate.toDouble() >= 1 ? QStringLiteral("-1") : QStringLiteral("0"));
    line.set(Sub::PointsRatio, storedText(goods.addupRate));
    line.set(Sub::GoodsId, QString::number(goods.goodsId));

    if (prices.special) {
        line.set(Sub::SpecialFlag, QStringLiteral("-1"));
        line.set(Sub::MemberPrice, money2(*prices.special));
        line.mark = LineMark::Special;
    } else {
        line.set(Sub::SpecialFlag, QStringLiteral("0"));
        line.mark = LineMark::Plain;
    }
    return line;
}

} // namespace shop::till
