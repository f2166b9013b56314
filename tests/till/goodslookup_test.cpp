#include "shopgoods.h"
#include "support/queryplan.h"
#include "support/shopfixture.h"
#include "till/basket/goodslookup.h"

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::till;
using test::addGoods;

namespace {

class GoodsLookupTest : public ::testing::Test {
protected:
    QStringList barcodes(const std::vector<GoodsRow>& rows) {
        QStringList list;
        for (const GoodsRow& row : rows)
            list.append(row.barcode);
        list.sort();
        return list;
    }

    test::TempShop shop;
    GoodsLookup lookup{shop.db()};
};

TEST_F(GoodsLookupTest, ExactFindsBarcodeBeforeArticleNumberAndNeverHiddenItems) {
    addGoods(shop.db(), {.barcode = QStringLiteral("1001"), .goodsNo = QStringLiteral("X1")});
    addGoods(shop.db(), {.barcode = QStringLiteral("2002"), .goodsNo = QStringLiteral("1001")});
    addGoods(shop.db(), {.barcode = QStringLiteral("3003"), .hide = -1});
    addGoods(shop.db(), {.barcode = QStringLiteral("4004"), .name = QStringLiteral("甲")});
    addGoods(shop.db(), {.barcode = QStringLiteral("4004"), .name = QStringLiteral("乙")});

    const struct {
        const char* typed;
        QStringList found;
    } cases[] = {
        {"1001", {QStringLiteral("1001")}}, // the barcode wins over another item's article number
        {"X1", {QStringLiteral("1001")}},   // no such barcode: the article number
        {" 2002 ", {QStringLiteral("2002")}},
        {"3003", {}}, // deleted items are never sold
        {"4004", {QStringLiteral("4004"), QStringLiteral("4004")}},
        {"x1", {}}, // codes are exact
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(barcodes(lookup.FindGoodsExact(QString::fromUtf8(c.typed))), c.found) << c.typed;
}

TEST_F(GoodsLookupTest, FuzzyTriesArticleNumberThenBarcodeThenName) {
    addGoods(shop.db(),
             {.barcode = QStringLiteral("P"), .goodsNo = QStringLiteral("AB12"), .name = QStringLiteral("纯牛奶")});
    addGoods(shop.db(), {.barcode = QStringLiteral("xAB12x"), .goodsNo = QStringLiteral("Q")});
    addGoods(shop.db(), {.barcode = QStringLiteral("R"), .name = QStringLiteral("AB12 饼干")});
    addGoods(shop.db(), {.barcode = QStringLiteral("H"), .name = QStringLiteral("牛肉干"), .hide = -1});

    const struct {
        const char* typed;
        QStringList found;
    } cases[] = {
        {"AB12", {QStringLiteral("P")}},
        {"ab1", {QStringLiteral("P")}},       // letters in any case, as LIKE has it
        {"B12x", {QStringLiteral("xAB12x")}}, // no article number has it: barcodes
        {"饼干", {QStringLiteral("R")}},      // nor a barcode: names
        {"牛", {QStringLiteral("P")}},        // the deleted 牛肉干 is not offered
        {"", {}},
        {"   ", {}},
        {"nothing", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(barcodes(lookup.FindGoodsFuzzy(QString::fromUtf8(c.typed))), c.found) << c.typed;
}

TEST_F(GoodsLookupTest, QuotesPercentUnderscoreAndEmojiAreSearchedLiterally) {
    const QString awkward[] = {QStringLiteral("O'Brien"), QStringLiteral("50%"),   QStringLiteral("a_b"),
                               QStringLiteral("x';--"),   QStringLiteral("咖啡😀"), QStringLiteral("back\\slash"),
                               QString(500, u'长')};
    for (const QString& text : awkward)
        addGoods(shop.db(), {.barcode = text, .goodsNo = text, .name = text});
    // Items that a pattern taking "%" or "_" as wildcards would also find.
    for (const char* decoy : {"500", "axb", "50 off", "backXslash"})
        addGoods(shop.db(), {.barcode = QString::fromUtf8(decoy), .name = QString::fromUtf8(decoy)});

    for (const QString& text : awkward) {
        EXPECT_EQ(barcodes(lookup.FindGoodsExact(text)), QStringList{text});
        EXPECT_EQ(barcodes(lookup.FindGoodsFuzzy(text)), QStringList{text});
    }
    EXPECT_EQ(barcodes(lookup.FindGoodsFuzzy(QStringLiteral("%"))), QStringList{QStringLiteral("50%")});
    EXPECT_EQ(barcodes(lookup.FindGoodsFuzzy(QStringLiteral("_"))), QStringList{QStringLiteral("a_b")});
    EXPECT_EQ(barcodes(lookup.FindGoodsFuzzy(QStringLiteral("'"))),
              (QStringList{QStringLiteral("O'Brien"), QStringLiteral("x';--")}));
    EXPECT_EQ(barcodes(lookup.FindGoodsFuzzy(QStringLiteral("😀"))), QStringList{QStringLiteral("咖啡😀")});
    EXPECT_EQ(shop.db().scalar(QStringLiteral("select count(*) from goods")).toInt(), 11);
}

TEST_F(GoodsLookupTest, PickerRowByIdAndSpecialPrice) {
    const qint64 id = addGoods(shop.db(), {.barcode = QStringLiteral("6901"),
                                           .goodsNo = QStringLiteral("N1"),
                                           .name = QStringLiteral("矿泉水"),
                                           .price = 12.345678,
                                           .price2 = 11,
                                           .ifdis = -1,
                                           .stock = -3,
                                           .costprice = 6.5,
                                           .addupRate = 0.5});
    const qint64 hidden = addGoods(shop.db(), {.barcode = QStringLiteral("6902"), .hide = -1});
    test::addSpecialPrice(shop.db(), id, 9.9);

    const std::optional<GoodsRow> row = lookup.goodsById(id);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->barcode, QStringLiteral("6901"));
    EXPECT_EQ(row->goodsNo, QStringLiteral("N1"));
    EXPECT_EQ(row->name, QStringLiteral("矿泉水"));
    EXPECT_DOUBLE_EQ(row->price, 12.3457); // prices are read with four decimals
    EXPECT_DOUBLE_EQ(row->price2, 11);
    EXPECT_DOUBLE_EQ(row->stock, -3);
    EXPECT_EQ(row->ifdis.toInt(), -1);
    EXPECT_DOUBLE_EQ(row->costprice.toDouble(), 6.5);
    EXPECT_DOUBLE_EQ(row->addupRate.toDouble(), 0.5);
    EXPECT_TRUE(row->isGood());
    EXPECT_FALSE(lookup.goodsById(hidden));

    EXPECT_EQ(lookup.specialPrice(id), std::optional<double>(9.9));
    EXPECT_EQ(lookup.specialPrice(hidden), std::nullopt);
}

TEST_F(GoodsLookupTest, EveryPerScanStatementFindsItsRowsThroughAnIndex) {
    for (const QString& sql : GoodsLookup::perScanStatements()) {
        const QStringList plan = test::queryPlan(shop.db(), sql);
        EXPECT_TRUE(test::searchesByIndex(plan)) << sql.toStdString() << "\n" << plan.join(u'\n').toStdString();
    }
}

} // namespace
