// Putting a found item into the basket: a new line priced for this sale, or one more piece on
// the item's existing line. The window then recounts (GoodsCount) and shows what came back.
#pragma once

#include "till/basket/basketline.h"
#include "till/basket/goodslookup.h"
#include "till/basket/rounding.h"
#include "till/shoprules.h"

#include <QString>

#include <functional>
#include <optional>

namespace shop::till {

class BasketModel;

// What the cashier typed into the price window for an item without a price.
struct TypedPriceQuantity {
    QString price;
    QString quantity;
};
// Opens the price window ("输入价格/数量") with an empty price and quantity "1"; empty when the
// cashier closed it without OK.
using AskPriceAndQuantity = std::function<std::optional<TypedPriceQuantity>()>;

// What the sale in progress brings to the pricing of a new line.
struct SaleTerms {
    bool member = false;      // a member is attached
    int memberDiscount = 100; // disRateEdit, whole percent
    ShopRules rules;
    RoundingOptions rounding;
};

// The item's own prices that a new line starts from.
struct ItemPrices {
    std::optional<TimePrice> timeWindow; // the price that holds at this time of day
    std::optional<double> special;       // tejia
};

struct AddGoodsResult {
    enum class Outcome { Added, Raised, Cancelled };
    Outcome outcome = Outcome::Cancelled;
    int row = -1;    // the line to select and scroll to
    QString status1; // status panel text; empty: leave it as it is
    QString notice;  // a warning to show with ShowNotice; empty: none
};

class GoodsAdder {
public:
    GoodsAdder(GoodsLookup& lookup, BasketModel& basket, AskPriceAndQuantity askPrice);

    AddGoodsResult AddGoodsToBasket(const GoodsRow& goods, const SaleTerms& terms);
    // The same with the item's prices looked up beforehand (pricesForNewLine), so that a scan
    // reads everything it needs at once, before the price window may come up.
    AddGoodsResult AddGoodsToBasket(const GoodsRow& goods, const SaleTerms& terms,
                                    const std::optional<ItemPrices>& prices);
    // The prices a new line of `goods` needs; nothing when the basket has a line of it already
    // (that line goes up by one piece at the price it has).
    std::optional<ItemPrices> pricesForNewLine(const GoodsRow& goods);

private:
    ItemPrices lookUpPrices(const GoodsRow& goods);
    int raiseLine(int row, const SaleTerms& terms);
    std::optional<BasketLine> newLine(const GoodsRow& goods, const SaleTerms& terms, const ItemPrices& prices);

    GoodsLookup& lookup_;
    BasketModel& basket_;
    AskPriceAndQuantity askPrice_;
};

// The discount a new line starts with: the member's for an item that takes discounts, then the
// shop-wide discount when it is on, with the member's on top of it when `disdis` is on.
QString newLineDiscount(const QVariant& ifdis, const SaleTerms& terms);

} // namespace shop::till
