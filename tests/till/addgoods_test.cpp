#include "platform/clock.h"
#include "shopgoods.h"
#include "support/shopfixture.h"
#include "support/timezoneguard.h"
#include "till/basket/addgoods.h"
#include "till/basket/basketmodel.h"
#include "till/basket/recount.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <functional>

using namespace shop;
using namespace shop::till;
using test::addGoods;

namespace {

// The barcode field's Enter, as the window runs it: find, add, recount.
class AddGoods : public ::testing::Test {
protected:
    AddGoodsResult scan(const QString& code) {
        const std::vector<GoodsRow> rows = lookup.FindGoodsExact(code);
        EXPECT_EQ(rows.size(), 1u) << code.toStdString();
        if (rows.size() != 1)
            return {};
        const AddGoodsResult result = adder.AddGoodsToBasket(rows.front(), terms);
        RecountInput input;
        input.member = terms.member;
        input.rules = terms.rules;
        input.rounding = terms.rounding;
        recount = GoodsCount(basket, input);
        return result;
    }
    const BasketLine& line(int row = 0) { return basket.line(row); }

    test::TempShop shop;
    GoodsLookup lookup{shop.db()};
    BasketModel basket;
    int asked = 0;
    std::optional<TypedPriceQuantity> answer;
    GoodsAdder adder{lookup, basket, [this] {
                         ++asked;
                         return answer;
                     }};
    SaleTerms terms;
    RecountResult recount;
};

TEST_F(AddGoods, SameBarcodeTwiceIsOneLineOfTwo) {
    addGoods(shop.db(), {.barcode = QStringLiteral("6901"), .name = QStringLiteral("矿泉水"), .price = 10});
    terms.member = true;
    terms.memberDiscount = 90;
    EXPECT_EQ(scan(QStringLiteral("6901")).outcome, AddGoodsResult::Outcome::Added);
    const AddGoodsResult second = scan(QStringLiteral("6901"));
    EXPECT_EQ(second.outcome, AddGoodsResult::Outcome::Raised);
    EXPECT_EQ(second.row, 0);
    ASSERT_EQ(basket.size(), 1);
    EXPECT_EQ(line().sub(Sub::Quantity), QStringLiteral("2"));
    EXPECT_EQ(line().sub(Sub::Amount), QStringLiteral("18.00"));
    EXPECT_EQ(line().sub(Sub::LineCost), QStringLiteral("13.00"));
    EXPECT_EQ(recount.piecesText, QStringLiteral("2"));
    EXPECT_EQ(recount.payableText, QStringLiteral("18.00"));
}

TEST_F(AddGoods, ItemWithoutPriceAsksPriceAndQuantityAndIsRaisedByOneLater) {
    addGoods(shop.db(),
             {.barcode = QStringLiteral("W1"), .name = QStringLiteral("散装红枣"), .price = 0, .costprice = 6.5});
    answer = TypedPriceQuantity{QStringLiteral("12.50"), QStringLiteral("3")};
    scan(QStringLiteral("W1"));
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(basket.size(), 1);
    EXPECT_EQ(line().sub(Sub::UnitPrice), QStringLiteral("12.50"));
    EXPECT_EQ(line().sub(Sub::Quantity), QStringLiteral("3"));
    EXPECT_EQ(line().sub(Sub::Amount), QStringLiteral("37.50"));
    EXPECT_EQ(line().sub(Sub::LineCost), QStringLiteral("19.500"));

    scan(QStringLiteral("W1"));
    EXPECT_EQ(asked, 1); // the line has its price now
    EXPECT_EQ(line().sub(Sub::Quantity), QStringLiteral("4"));
    EXPECT_EQ(line().sub(Sub::Amount), QStringLiteral("50.00"));
    EXPECT_EQ(recount.payableText, QStringLiteral("50.00"));
}

TEST_F(AddGoods, PriceWindowAnswers) {
    addGoods(shop.db(), {.barcode = QStringLiteral("6901"), .price = 10});
    addGoods(shop.db(), {.barcode = QStringLiteral("W1"), .price = 0});
    scan(QStringLiteral("6901"));
    const std::vector<BasketLine> before = basket.lines();

    answer.reset(); // closed without OK
    const AddGoodsResult cancelled = scan(QStringLiteral("W1"));
    EXPECT_EQ(cancelled.outcome, AddGoodsResult::Outcome::Cancelled);
    EXPECT_EQ(cancelled.row, -1);
    EXPECT_EQ(basket.lines(), before);
    EXPECT_EQ(recount.payableText, QStringLiteral("10.00"));

    // A quantity that is not a number counts one piece, and the line says so; the price is
    // read as the money field shows it.
    answer = TypedPriceQuantity{QStringLiteral("￥1,008.00"), QStringLiteral(".")};
    EXPECT_EQ(scan(QStringLiteral("W1")).outcome, AddGoodsResult::Outcome::Added);
    ASSERT_EQ(basket.size(), 2);
    EXPECT_EQ(line(1).sub(Sub::Quantity), QStringLiteral("1"));
    EXPECT_EQ(line(1).sub(Sub::Amount), QStringLiteral("1008.00"));
    EXPECT_EQ(recount.payableText, QStringLiteral("1018.00"));
}

struct PricingCase {
    const char* what;
    double price;
    double price2;
    int ifdis;
    std::optional<double> tejia;
    bool member;
    int memberDiscount;
    std::function<void(ShopRules&)> rules;
    const char* discount;    // position 3
    const char* memberPrice; // position 2
    const char* amount;      // after the recount
};

const auto shopWide = [](double zhekou) {
    return [zhekou](ShopRules& r) {
        r.alldiscount = true;
        r.allzhekou = zhekou;
    };
};

void PrintTo(const PricingCase& c, std::ostream* os) {
    *os << c.what;
}

class AddGoodsPricing : public AddGoods, public ::testing::WithParamInterface<PricingCase> {};

TEST_P(AddGoodsPricing, NewLineIsPricedForThisSale) {
    const PricingCase& c = GetParam();
    const qint64 id = addGoods(
        shop.db(), {.barcode = QStringLiteral("6901"), .price = c.price, .price2 = c.price2, .ifdis = c.ifdis});
    if (c.tejia)
        test::addSpecialPrice(shop.db(), id, *c.tejia);
    terms.member = c.member;
    terms.memberDiscount = c.memberDiscount;
    if (c.rules)
        c.rules(terms.rules);
    scan(QStringLiteral("6901"));
    ASSERT_EQ(basket.size(), 1);
    EXPECT_EQ(line().sub(Sub::UnitPrice), QStringLiteral("10.00")) << c.what;
    EXPECT_EQ(line().sub(Sub::Discount), QString::fromUtf8(c.discount)) << c.what;
    EXPECT_EQ(line().sub(Sub::MemberPrice), QString::fromUtf8(c.memberPrice)) << c.what;
    EXPECT_EQ(line().sub(Sub::Amount), QString::fromUtf8(c.amount)) << c.what;
    EXPECT_EQ(line().sub(Sub::SpecialFlag), c.tejia ? QStringLiteral("-1") : QStringLiteral("0")) << c.what;
    EXPECT_EQ(line().mark, c.tejia ? LineMark::Special : LineMark::Plain) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, AddGoodsPricing,
    ::testing::Values(PricingCase{"member 90", 10, 0, 0, std::nullopt, true, 90, nullptr, "90", "", "9.00"},
                      PricingCase{"non-member", 10, 0, 0, std::nullopt, false, 90, nullptr, "100", "", "10.00"},
                      PricingCase{"member price", 10, 8, 0, std::nullopt, true, 90, nullptr, "90", "8.00", "8.00"},
                      PricingCase{"member price, special 7.50", 10, 8, 0, 7.5, true, 90, nullptr, "90", "7.50", "7.50"},
                      PricingCase{"non-member, special 7.50", 10, 8, 0, 7.5, false, 90, nullptr, "100", "7.50",
                                  "10.00"},
                      PricingCase{"non-member, special kept under the shop-wide discount", 10, 8, 0, 7.5, false, 100,
                                  [](ShopRules& r) {
                                      shopWide(9)(r);
                                      r.alldiscountex = true;
                                  },
                                  "90", "7.50", "7.50"},
                      PricingCase{"member, special kept under the shop-wide discount", 10, 0, 0, 7.5, true, 80,
                                  [](ShopRules& r) {
                                      shopWide(9)(r);
                                      r.alldiscountex = true;
                                  },
                                  "90", "7.50", "7.50"},
                      PricingCase{"no-discount item under the shop-wide discount", 10, 0, -1, std::nullopt, false, 100,
                                  shopWide(9), "90", "", "10.00"},
                      PricingCase{"no-discount item, member", 10, 0, -1, std::nullopt, true, 90, nullptr, "100", "",
                                  "10.00"},
                      PricingCase{"shop-wide 9.5", 10, 0, 0, std::nullopt, false, 100, shopWide(9.5), "95", "", "9.50"},
                      PricingCase{"shop-wide replaces the member's discount", 10, 0, 0, std::nullopt, true, 80,
                                  shopWide(9), "90", "", "9.00"},
                      PricingCase{"member's discount on top of shop-wide", 10, 0, 0, std::nullopt, true, 90,
                                  [](ShopRules& r) {
                                      shopWide(9.5)(r);
                                      r.disdis = true;
                                  },
                                  "86", "", "8.60"}));

TEST_F(AddGoods, TimeWindowPriceFollowsTheClockInChinaNotThisMachine) {
    test::TimeZoneGuard newYork("America/New_York");
    const qint64 id = addGoods(shop.db(), {.barcode = QStringLiteral("S1"), .price = 10, .price2 = 9});
    test::addTimePrice(shop.db(), id, 6, 5, QStringLiteral("08:00:00"), QStringLiteral("10:00:00"));
    const struct {
        QTime utc;
        const char* unitPrice;
        const char* memberPrice;
    } cases[] = {
        {QTime(1, 30), "6.00", "5.00"},   // 09:30 in China, 21:30 the evening before in New York
        {QTime(0, 0), "6.00", "5.00"},    // 08:00:00 in China: the window has begun
        {QTime(2, 0), "6.00", "5.00"},    // 10:00:00: still in it
        {QTime(2, 30), "10.00", "9.00"},  // 10:30 in China
        {QTime(13, 30), "10.00", "9.00"}, // 09:30 in New York is 21:30 in China
    };
    for (const auto& c : cases) {
        Clock::setFixed(QDateTime(QDate(2024, 3, 5), c.utc, QTimeZone::utc()));
        basket.clear();
        scan(QStringLiteral("S1"));
        ASSERT_EQ(basket.size(), 1);
        EXPECT_EQ(line().sub(Sub::UnitPrice), QString::fromUtf8(c.unitPrice)) << c.utc.toString().toStdString();
        EXPECT_EQ(line().sub(Sub::MemberPrice), QString::fromUtf8(c.memberPrice)) << c.utc.toString().toStdString();
    }
}

TEST_F(AddGoods, StockWarningIsReportedAndTheItemIsSoldAnyway) {
    const struct {
        int gType;
        double stock;
        bool zeromsg;
        const char* status1;
        const char* notice;
    } cases[] = {
        {1, 5, true, "商品G1库存:5", ""},
        {1, 0, true, "G1负库存！", "提示：此商品库存为0,请及时补充库存"},
        {1, -2.5, true, "G1负库存！", "提示：此商品库存为-2.5,请及时补充库存"},
        {1, 0, false, "商品G1库存:0", ""},
        {2, 0, true, "", ""}, // a service item has no stock
    };
    for (const auto& c : cases) {
        shop.db().exec(QStringLiteral("delete from goods"));
        addGoods(shop.db(), {.barcode = QStringLiteral("G1"), .gType = c.gType, .stock = c.stock});
        terms.rules.zeromsg = c.zeromsg;
        basket.clear();
        const AddGoodsResult result = scan(QStringLiteral("G1"));
        EXPECT_EQ(result.status1, QString::fromUtf8(c.status1)) << c.stock;
        EXPECT_EQ(result.notice, QString::fromUtf8(c.notice)) << c.stock;
        EXPECT_EQ(result.outcome, AddGoodsResult::Outcome::Added);
        EXPECT_EQ(basket.size(), 1);
    }
}

TEST_F(AddGoods, NewLineCarriesTheItemsHiddenValues) {
    const qint64 id = addGoods(shop.db(), {.barcode = QStringLiteral("6901"),
                                           .name = QStringLiteral("绿茶"),
                                           .price = 3.5,
                                           .costprice = 2.25,
                                           .addupRate = 1});
    const qint64 noPoints = addGoods(shop.db(), {.barcode = QStringLiteral("6902"), .addupRate = 0.5});
    scan(QStringLiteral("6901"));
    scan(QStringLiteral("6902"));
    ASSERT_EQ(basket.size(), 2);
    const BasketLine& tea = line(0);
    EXPECT_EQ(tea.caption, QStringLiteral("6901"));
    EXPECT_EQ(tea.sub(Sub::Name), QStringLiteral("绿茶"));
    EXPECT_EQ(tea.sub(Sub::CostPrice), QStringLiteral("2.25"));
    EXPECT_EQ(tea.sub(Sub::LineCost), QStringLiteral("2.250"));
    EXPECT_EQ(tea.sub(Sub::NoDiscount), QStringLiteral("0"));
    EXPECT_EQ(tea.sub(Sub::PointsFlag), QStringLiteral("-1"));
    EXPECT_EQ(tea.sub(Sub::PointsRatio), QStringLiteral("1"));
    EXPECT_EQ(tea.sub(Sub::GoodsId), QString::number(id));
    EXPECT_EQ(line(1).sub(Sub::PointsFlag), QStringLiteral("0"));
    EXPECT_EQ(line(1).sub(Sub::PointsRatio), QStringLiteral("0.5"));
    EXPECT_EQ(line(1).sub(Sub::GoodsId), QString::number(noPoints));
}

} // namespace
