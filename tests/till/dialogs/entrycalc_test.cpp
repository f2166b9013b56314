// The plain parts of the sale entry windows: a new quantity for a line, the goods query's
// search, and the counted-card checks.
#include "../basketlines.h"
#include "../shopgoods.h"
#include "support/shopfixture.h"
#include "till/dialogs/countedcard.h"
#include "till/dialogs/goodsquery.h"
#include "till/dialogs/linequantity.h"
#include "till/settle/sale.h"

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::till;
using test::addGoods;
using test::basketLine;

TEST(LineQuantity, AmountAndCostScaleWithThePiece) {
    using O = QuantityChange::Outcome;
    const test::LineTexts nine{"9.00", "", "100", "1", "9.00"};
    const struct {
        const char* what;
        test::LineTexts line;
        const char* typed;
        O outcome;
        const char* quantity;
        const char* amount;
        const char* cost;
    } cases[] = {
        // clang-format off
        {"2.5 of one at 9.00",  nine,                              "2.5",  O::Changed,    "2.5", "22.50", "12.50"},
        {"discount stays",      {"10.00", "", "90", "2", "18.00"}, "3",    O::Changed,    "3",   "27.00", "15.00"},
        {"half a piece",        nine,                              ".5",   O::Changed,    "0.5", "4.50",  "2.50"},
        {"line of 0 pieces",    {"10.00", "", "90", "0", "0.00"},  "2",    O::Changed,    "2",   "18.00", "10.00"},
        {"0 takes it out",      nine,                              "0",    O::Remove,     "",    "",      ""},
        {"0.0 as well",         nine,                              "0.0",  O::Remove,     "",    "",      ""},
        {"nothing typed",       nine,                              "",     O::Nothing,    "",    "",      ""},
        {"two decimal points",  nine,                              "1..2", O::Unreadable, "",    "",      ""},
        {"a lone point",        nine,                              ".",    O::Unreadable, "",    "",      ""},
        {"a sign",              nine,                              "-2",   O::Unreadable, "",    "",      ""},
        {"an exponent",         nine,                              "1e3",  O::Unreadable, "",    "",      ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        const BasketLine line = basketLine(c.line);
        const QuantityChange change = changeQuantity(line, QString::fromUtf8(c.typed));
        EXPECT_EQ(int(change.outcome), int(c.outcome)) << c.what;
        if (c.outcome != O::Changed)
            continue;
        EXPECT_EQ(change.line.sub(Sub::Quantity), QString::fromUtf8(c.quantity)) << c.what;
        EXPECT_EQ(change.line.sub(Sub::Amount), QString::fromUtf8(c.amount)) << c.what;
        EXPECT_EQ(change.line.sub(Sub::LineCost), QString::fromUtf8(c.cost)) << c.what;
        // Discount, prices and flags stay as they were.
        BasketLine rest = change.line;
        for (Sub s : {Sub::Quantity, Sub::Amount, Sub::LineCost})
            rest.set(s, line.sub(s));
        EXPECT_EQ(rest, line) << c.what;
    }
}

TEST(GoodsQuery, FindsByBarcodeThenArticleNumberThenName) {
    test::TempShop shop;
    db::Connection& c = shop.db();
    addGoods(c,
             {.barcode = QStringLiteral("6912001"), .goodsNo = QStringLiteral("A1"), .name = QStringLiteral("苹果")});
    addGoods(c,
             {.barcode = QStringLiteral("3400"), .goodsNo = QStringLiteral("B2"), .name = QStringLiteral("12号电池")});
    addGoods(c, {.barcode = QStringLiteral("5126"), .name = QStringLiteral("旧货"), .hide = -1});
    addGoods(c, {.barcode = QStringLiteral("ABC"), .goodsNo = QStringLiteral("N1"), .name = QStringLiteral("饼干")});
    addGoods(c,
             {.barcode = QStringLiteral("7001"), .goodsNo = QStringLiteral("P%1"), .name = QStringLiteral("100%果汁")});
    addGoods(c,
             {.barcode = QStringLiteral("A_1"), .goodsNo = QStringLiteral("Q"), .name = QStringLiteral("O'Brien茶")});
    db::Query query(c);

    const struct {
        const char* typed;
        bool fuzzy;
        QStringList barcodes;
    } cases[] = {
        // Barcodes that contain the text win, although a name contains it too; hidden goods never show.
        {"12", true, {QStringLiteral("6912001")}},
        {"号电", true, {QStringLiteral("3400")}},
        {"b2", true, {QStringLiteral("3400")}},
        // "%" and "_" are looked for as they stand, not as wildcards.
        {"%", true, {QStringLiteral("7001")}},
        {"_", true, {QStringLiteral("A_1")}},
        {"'", true, {QStringLiteral("A_1")}},
        {"abc", false, {QStringLiteral("ABC")}},
        {"n1", false, {QStringLiteral("ABC")}},
        {"12号电池", false, {QStringLiteral("3400")}},
        {"O'Brien茶", false, {QStringLiteral("A_1")}},
        {"12", false, {}},
        {"5126", false, {}},
        {"  ", true, {}},
    };
    for (const auto& t : cases) {
        QStringList found;
        for (const QueriedGoods& g : queryGoods(query, QString::fromUtf8(t.typed), t.fuzzy))
            found.append(g.barcode);
        EXPECT_EQ(found, t.barcodes) << t.typed << (t.fuzzy ? " fuzzy" : " exact");
    }

    const std::vector<QueriedGoods> rows = queryGoods(query, QStringLiteral("ABC"), false);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, QStringLiteral("饼干"));
    EXPECT_DOUBLE_EQ(rows[0].price, 10);
    EXPECT_DOUBLE_EQ(rows[0].amount, 10);
}

TEST(CountedCard, UsesAreWholeAndNeverMoreThanTheCardHasLeft) {
    const struct {
        const char* typed;
        qint64 remaining;
        UsesCheck::Outcome outcome;
    } cases[] = {
        {"1", 2, UsesCheck::Outcome::Accepted}, {"2", 2, UsesCheck::Outcome::Accepted},
        {"3", 2, UsesCheck::Outcome::Overdraw}, {"1", 0, UsesCheck::Outcome::Overdraw},
        {"0", 2, UsesCheck::Outcome::Wrong},    {"00", 2, UsesCheck::Outcome::Wrong},
        {"1.5", 2, UsesCheck::Outcome::Wrong},  {"abc", 2, UsesCheck::Outcome::Wrong},
        {"-1", 2, UsesCheck::Outcome::Wrong},   {"9999999999", 2, UsesCheck::Outcome::Wrong},
        {"", 2, UsesCheck::Outcome::Empty},     {" 2 ", 5, UsesCheck::Outcome::Accepted},
    };
    for (const auto& c : cases)
        EXPECT_EQ(int(checkUses(QString::fromUtf8(c.typed), c.remaining).outcome), int(c.outcome))
            << c.typed << " of " << c.remaining;
    EXPECT_EQ(checkUses(QStringLiteral("2"), 5).uses, 2);
    EXPECT_EQ(overdrawMessage(2), QStringLiteral("剩余次数不足，此卡只剩2次，请返回"));
}

TEST(CountedCard, LineAndCardRow) {
    const BasketLine line = countedCardLine(3);
    EXPECT_EQ(line.caption, QStringLiteral("次卡消费"));
    const QStringList expected = {QStringLiteral("次卡消费"), QStringLiteral("0"),    QString(),
                                  QStringLiteral("100"),      QStringLiteral("3"),    QStringLiteral("0.00"),
                                  QStringLiteral("0"),        QStringLiteral("0.00"), QStringLiteral("-1"),
                                  QStringLiteral("0"),        QStringLiteral("0"),    QStringLiteral("-1"),
                                  QStringLiteral("-1")};
    EXPECT_EQ(QStringList(line.subs.begin(), line.subs.end()), expected);
    EXPECT_EQ(line.mark, LineMark::Plain);

    test::TempShop shop(true);
    db::Query query(shop.db());
    const CountedCardInfo card = countedCardInfo(query, QStringLiteral("c0002"));
    ASSERT_TRUE(card.found);
    EXPECT_EQ(card.cardId, QStringLiteral("C0002"));
    EXPECT_EQ(card.name, QStringLiteral("郑凯"));
    EXPECT_EQ(card.count, 2);
    EXPECT_EQ(card.countSpent, 0);
    EXPECT_FALSE(countedCardInfo(query, QStringLiteral("C0002' or '1'='1")).found);
}

TEST(CountedCard, SettlementTakesTheUsesFromTheCountedCardLine) {
    Sale sale;
    // Goods rung up before the card was found stand before the use.
    sale.lines = {basketLine({"9.00", "", "100", "4", "36.00"}), countedCardLine(2)};
    sale.cika = true;
    EXPECT_DOUBLE_EQ(countedCardUses(sale), 2);
    sale.cika = false;
    EXPECT_DOUBLE_EQ(countedCardUses(sale), 0);
}
