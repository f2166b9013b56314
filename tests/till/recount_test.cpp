#include "basketlines.h"
#include "till/basket/basketmodel.h"
#include "till/basket/moneyopt.h"
#include "till/basket/recount.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace shop;
using namespace shop::till;
using test::basketLine;
using test::LineTexts;

namespace {

struct RecountCase {
    const char* what;
    std::vector<LineTexts> lines;
    std::function<void(RecountInput&)> setUp;
    std::vector<const char*> amounts; // each line's amount after the recount
    const char* payable;
};

RecountInput plainInput() {
    return RecountInput{};
}

void PrintTo(const RecountCase& c, std::ostream* os) {
    *os << c.what;
}

class Recount : public ::testing::TestWithParam<RecountCase> {};

TEST_P(Recount, PricesEveryLineAndThePayable) {
    const RecountCase& c = GetParam();
    std::vector<BasketLine> lines;
    for (const LineTexts& texts : c.lines)
        lines.push_back(basketLine(texts));
    RecountInput input = plainInput();
    if (c.setUp)
        c.setUp(input);
    const RecountResult result = GoodsCount(lines, input);
    ASSERT_EQ(lines.size(), c.amounts.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].sub(Sub::Amount), QString::fromUtf8(c.amounts[i])) << c.what << ", line " << i;
    EXPECT_EQ(result.payableText, QString::fromUtf8(c.payable)) << c.what;

    // A second recount changes nothing: discounts survive in the amounts themselves.
    std::vector<BasketLine> again = lines;
    const RecountResult second = GoodsCount(again, input);
    EXPECT_EQ(again, lines) << c.what;
    EXPECT_EQ(second.payableText, result.payableText) << c.what;
}

const auto member = [](RecountInput& in) { in.member = true; };
const auto spendAndSave = [](RecountInput& in) {
    in.rules.manjian = true;
    in.rules.man = 100;
    in.rules.jian = 10;
};

INSTANTIATE_TEST_SUITE_P(
    Table, Recount,
    ::testing::Values(
        RecountCase{"plain line", {{"10.00", "", "100", "2", "20.00"}}, nullptr, {"20.00"}, "20.00"},
        RecountCase{"member discount 90 survives", {{"10.00", "", "90", "1", "9.00"}}, member, {"9.00"}, "9.00"},
        RecountCase{"member price while a member is attached",
                    {{"10.00", "8.00", "100", "2", "20.00"}},
                    member,
                    {"16.00"},
                    "16.00"},
        RecountCase{
            "no member price without a member", {{"10.00", "8.00", "100", "2", "20.00"}}, nullptr, {"20.00"}, "20.00"},
        RecountCase{"special price for a member",
                    {{"10.00", "7.50", "100", "1", "10.00", "0", "-1"}},
                    member,
                    {"7.50"},
                    "7.50"},
        RecountCase{"special price for everyone under alldiscountex",
                    {{"10.00", "7.50", "90", "1", "9.00", "0", "-1"}},
                    [](RecountInput& in) {
                        in.rules.alldiscount = true;
                        in.rules.allzhekou = 9;
                        in.rules.alldiscountex = true;
                    },
                    {"7.50"},
                    "7.50"},
        RecountCase{"ifdis -1 under the shop-wide discount is charged in full",
                    {{"10.00", "", "90", "1", "9.00", "-1"}},
                    nullptr,
                    {"10.00"},
                    "10.00"},
        RecountCase{"return line keeps its refund, member price or not",
                    {{"10.00", "8.00", "100", "-1", "-10.00"}},
                    member,
                    {"-10.00"},
                    "-10.00"},
        RecountCase{"unreadable quantity charges nothing rather than failing",
                    {{"10.00", "", "100", "abc", "10.00"}},
                    nullptr,
                    {"0.00"},
                    "0.00"},
        RecountCase{
            "spend-and-save 250 -> 230", {{"250.00", "", "100", "1", "250.00"}}, spendAndSave, {"250.00"}, "230.00"},
        RecountCase{"spend-and-save: 99 stays", {{"99.00", "", "100", "1", "99.00"}}, spendAndSave, {"99.00"}, "99.00"},
        RecountCase{"spend-and-save at exactly 100",
                    {{"51.16", "", "100", "1", "51.16"},
                     {"13.29", "", "100", "1", "13.29"},
                     {"35.55", "", "100", "1", "35.55"}},
                    spendAndSave,
                    {"51.16", "13.29", "35.55"},
                    "90.00"},
        RecountCase{"spend-and-save without the special-price lines",
                    {{"150.00", "150.00", "100", "1", "150.00", "0", "-1"}, {"100.00", "", "100", "1", "100.00"}},
                    [](RecountInput& in) {
                        spendAndSave(in);
                        in.rules.manjianex = true;
                    },
                    {"150.00", "100.00"},
                    "240.00"},
        RecountCase{"spend-and-save never raises the payable",
                    {{"300.00", "300.00", "100", "1", "300.00", "0", "-1"}, {"150.00", "", "100", "-1", "-150.00"}},
                    [](RecountInput& in) {
                        spendAndSave(in);
                        in.rules.manjianex = true;
                    },
                    {"300.00", "-150.00"},
                    "150.00"},
        RecountCase{"opt1 12.34 -> 12.30",
                    {{"12.34", "", "100", "1", "12.34"}},
                    [](RecountInput& in) { in.rounding.opt1 = true; },
                    {"12.30"},
                    "12.30"},
        RecountCase{"opt1 12.35 -> 12.40",
                    {{"12.35", "", "100", "1", "12.35"}},
                    [](RecountInput& in) { in.rounding.opt1 = true; },
                    {"12.40"},
                    "12.40"},
        RecountCase{"opt2 12.99 -> 12.00",
                    {{"12.99", "", "100", "1", "12.99"}},
                    [](RecountInput& in) { in.rounding.opt2 = true; },
                    {"12.00"},
                    "12.00"},
        RecountCase{"opt3 12.45 -> 12.00",
                    {{"12.45", "", "100", "1", "12.45"}},
                    [](RecountInput& in) { in.rounding.opt3 = true; },
                    {"12.00"},
                    "12.00"},
        RecountCase{"opt3 12.46 -> 13.00",
                    {{"12.46", "", "100", "1", "12.46"}},
                    [](RecountInput& in) { in.rounding.opt3 = true; },
                    {"13.00"},
                    "13.00"}));

TEST(Recount, TotalsPiecesUntouchablePartAndHeadings) {
    std::vector<BasketLine> lines = {basketLine({"10.00", "8.00", "100", "2", "20.00"}),
                                     basketLine({"5.00", "", "90", "1.5", "6.75"}),
                                     basketLine({"3.00", "", "100", "1", "3.00", "-1"})};
    RecountInput input;
    input.member = true;
    const RecountResult r = GoodsCount(lines, input);
    EXPECT_TRUE(r.memberHeadings);
    EXPECT_EQ(r.piecesText, QStringLiteral("4.5"));
    EXPECT_EQ(r.listTotalText, QStringLiteral("共:￥30.50"));  // 20 + 7.5 + 3
    EXPECT_EQ(r.applicableTotalText, QStringLiteral("26.50")); // 16 + 7.5 + 3
    EXPECT_DOUBLE_EQ(r.nodismoney, 19.0);                      // member price 16 + no-discount 3
    EXPECT_EQ(r.payableText, QStringLiteral("25.75"));         // 16 + 6.75 + 3
}

TEST(Recount, ChangeAndOtherPaymentField) {
    struct Case {
        std::optional<double> cash;
        double other;
        double card;
        bool yinlian;
        const char* amount;
        const char* change; // empty: none worked out
        bool otherEnabled;
    };
    const Case cases[] = {
        {std::nullopt, 0, 0, true, "20.00", "", true}, // cash field reads "0"
        {50.0, 0, 0, true, "20.00", "30.00", true},
        {10.0, 5, 5, false, "20.00", "0.00", false},   // this till takes no other means
        {10.0, 0, 0, false, "20.00", "-10.00", false}, // short: the window empties cash and change
        {std::nullopt, 0, 0, true, "0.00", "", false}, // nothing to pay by other means
    };
    for (const Case& c : cases) {
        std::vector<BasketLine> lines = {basketLine({c.amount, "", "100", "1", c.amount})};
        RecountInput input;
        input.cash = c.cash;
        input.otherPayment = c.other;
        input.cardPayment = c.card;
        input.yinlian = c.yinlian;
        const RecountResult r = GoodsCount(lines, input);
        EXPECT_EQ(r.changeText, QString::fromUtf8(c.change));
        EXPECT_EQ(r.change.has_value(), c.cash.has_value());
        EXPECT_EQ(r.otherPaymentEnabled, c.otherEnabled) << c.amount;
    }
}

TEST(Recount, OnTheBasketModelWritesLinesAndHeadings) {
    BasketModel basket;
    basket.append(basketLine({"10.00", "8.00", "100", "1", "10.00"}));
    RecountInput input;
    input.member = true;
    EXPECT_EQ(GoodsCount(basket, input).payableText, QStringLiteral("8.00"));
    EXPECT_EQ(basket.line(0).sub(Sub::Amount), QStringLiteral("8.00"));
    EXPECT_EQ(basket.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("*特价￥"));
    input.member = false;
    GoodsCount(basket, input);
    // A line made with a member price keeps charging it after the member is detached.
    EXPECT_EQ(basket.line(0).sub(Sub::Amount), QStringLiteral("8.00"));
    EXPECT_EQ(basket.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("*单价￥"));
}

TEST(MoneyOpt, SpreadsTheDifferenceOnTheLargestLine) {
    struct Case {
        std::vector<const char*> amounts;
        double payable;
        bool opt2;
        std::vector<const char*> expected;
    };
    const Case cases[] = {
        {{"10.04", "20.06"}, 30.00, false, {"10.00", "20.00"}}, // 10.0 + 20.1, 0.10 off the larger
        {{"10.04", "20.06"}, 30.00, true, {"10.00", "20.00"}},  // to the yuan: adds up already
        {{"5.00", "5.00"}, 9.00, false, {"4.00", "5.00"}},      // first of equal lines
        {{"12.00", "8.00"}, 18.50, false, {"10.50", "8.00"}},
        {{"-5.00", "-3.00"}, -9.00, false, {"-5.00", "-4.00"}}, // largest is -3
    };
    for (const Case& c : cases) {
        std::vector<BasketLine> lines;
        for (const char* amount : c.amounts)
            lines.push_back(basketLine({"10.00", "", "100", "1", amount}));
        moneyopt(lines, c.payable, c.opt2);
        qint64 sum = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].sub(Sub::Amount), QString::fromUtf8(c.expected[i])) << c.payable << " line " << i;
            sum += toCents(lines[i].sub(Sub::Amount).toDouble());
        }
        EXPECT_EQ(sum, toCents(c.payable));
    }
    std::vector<BasketLine> none;
    moneyopt(none, 10, false); // an empty basket has nothing to spread over
    EXPECT_TRUE(none.empty());
}

} // namespace
