#include "../basketlines.h"
#include "till/dialogs/discountcalc.h"

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::till;
using test::basketLine;

namespace {

DiscountTerms terms(double base, double nodis, int mindis, RoundingOptions rounding = {}) {
    DiscountTerms t;
    t.zhekou_qian = base;
    t.nodis = nodis;
    t.mindis = mindis;
    t.rounding = rounding;
    return t;
}

const char* outcomeName(RateStep::Outcome o) {
    switch (o) {
    case RateStep::Outcome::Wait:
        return "Wait";
    case RateStep::Outcome::TooLow:
        return "TooLow";
    case RateStep::Outcome::Rate:
        return "Rate";
    case RateStep::Outcome::Zero:
        return "Zero";
    }
    return "?";
}

const char* outcomeName(PayableCheck::Outcome o) {
    switch (o) {
    case PayableCheck::Outcome::Empty:
        return "Empty";
    case PayableCheck::Outcome::Unreadable:
        return "Unreadable";
    case PayableCheck::Outcome::TooLow:
        return "TooLow";
    case PayableCheck::Outcome::TooHigh:
        return "TooHigh";
    case PayableCheck::Outcome::Accepted:
        return "Accepted";
    }
    return "?";
}

} // namespace

TEST(DiscountCalc, RateTypedGivesTheAmountTakenOff) {
    const RoundingOptions opt1{true, false, false};
    const RoundingOptions opt2{false, true, false};
    const struct {
        const char* what;
        DiscountTerms terms;
        const char* typed;
        RateStep::Outcome outcome;
        const char* amountOff;
    } cases[] = {
        {"one digit waits for the second", terms(100, 0, 80), "9", RateStep::Outcome::Wait, ""},
        {"90 of 100", terms(100, 0, 80), "90", RateStep::Outcome::Rate, "10.00"},
        {"the lowest rate itself", terms(100, 0, 80), "80", RateStep::Outcome::Rate, "20.00"},
        {"75 under a lowest rate of 80", terms(100, 0, 80), "75", RateStep::Outcome::TooLow, ""},
        {"blanks around the rate", terms(100, 0, 80), " 90 ", RateStep::Outcome::Rate, "10.00"},
        {"a rate of 100 put in whole", terms(100, 0, 0), "100", RateStep::Outcome::Wait, ""},
        {"0 takes everything off", terms(100, 20, 0), "0", RateStep::Outcome::Zero, "100.00"},
        {"0 gives away whatever the lowest rate", terms(100, 20, 80), "0", RateStep::Outcome::Zero, "100.00"},
        {"00 is a rate of 0", terms(100, 0, 0), "00", RateStep::Outcome::Rate, "100.00"},
        // 33.33 at 85 charges 28.3305, to the tenth 28.30: 5.03 comes off.
        {"rounded to the tenth", terms(33.33, 0, 0, opt1), "85", RateStep::Outcome::Rate, "5.03"},
        // 9.99 at 90 charges 8.991, without the fraction 8: 1.99 comes off.
        {"fraction dropped", terms(9.99, 0, 0, opt2), "90", RateStep::Outcome::Rate, "1.99"},
    };
    for (const auto& c : cases) {
        const RateStep step = DiscountCalc(c.terms).rateTyped(QString::fromUtf8(c.typed));
        EXPECT_STREQ(outcomeName(step.outcome), outcomeName(c.outcome)) << c.what;
        EXPECT_EQ(step.amountOff, QString::fromUtf8(c.amountOff)) << c.what;
    }
    EXPECT_EQ(DiscountCalc(terms(100, 0, 80)).rateTyped(QStringLiteral("90")).disRate, 90);
}

TEST(DiscountCalc, AmountOffGivesThePayable) {
    const RoundingOptions opt3{false, false, true};
    const struct {
        const char* what;
        DiscountTerms terms;
        const char* typed;
        bool cleared;
        const char* payable;
    } cases[] = {
        {"nothing off: the whole amount, shortest", terms(100, 20, 0), "", false, "120"},
        {"10 off", terms(100, 20, 0), "10", false, "110.00"},
        {"everything discountable off", terms(100, 20, 0), "100", false, "20.00"},
        {"more than there is", terms(100, 0, 0), "100.01", true, ""},
        {"unreadable counts as nothing off", terms(100, 0, 0), "1.2.3", false, "100.00"},
        {"rounded to the yuan", terms(100, 0, 0, opt3), "10.4", false, "90.00"},
    };
    for (const auto& c : cases) {
        const AmountOffStep step = DiscountCalc(c.terms).amountOffChanged(QString::fromUtf8(c.typed));
        EXPECT_EQ(step.clearFields, c.cleared) << c.what;
        EXPECT_EQ(step.payable, QString::fromUtf8(c.payable)) << c.what;
    }
}

TEST(DiscountCalc, PayableGivesTheRateAndStaysWithinTheShopsLimits) {
    const RoundingOptions opt3{false, false, true};
    const struct {
        const char* what;
        DiscountTerms terms;
        const char* typed;
        PayableCheck::Outcome outcome;
        const char* text;
        double rate;
    } cases[] = {
        {"85.00 of 100", terms(100, 0, 80), "85.00", PayableCheck::Outcome::Accepted, "85.00", 85},
        {"written with two decimals", terms(100, 0, 80), "85", PayableCheck::Outcome::Accepted, "85.00", 85},
        {"the lowest rate", terms(100, 0, 80), "80", PayableCheck::Outcome::Accepted, "80.00", 80},
        {"a cent under it", terms(100, 0, 80), "79.99", PayableCheck::Outcome::TooLow, "79.99", 79.99},
        {"two decimal points", terms(100, 0, 80), "85.0.0", PayableCheck::Outcome::Unreadable, "", 0},
        {"a lone point", terms(100, 0, 80), ".", PayableCheck::Outcome::Unreadable, "", 0},
        {"nothing typed", terms(100, 0, 80), "", PayableCheck::Outcome::Empty, "", 0},
        {"the full price", terms(100, 0, 80), "100", PayableCheck::Outcome::Accepted, "100.00", 100},
        {"more than the goods cost", terms(100, 0, 0), "100.01", PayableCheck::Outcome::TooHigh, "100.01", 0},
        {"the untouchable part stays", terms(100, 50, 0), "50", PayableCheck::Outcome::Accepted, "50.00", 0},
        {"below the untouchable part", terms(100, 50, 0), "40", PayableCheck::Outcome::TooLow, "40.00", -10},
        {"nothing discountable: the rate is 100", terms(0, 30, 80), "30", PayableCheck::Outcome::Accepted, "30.00",
         100},
        {"nothing discountable, less asked", terms(0, 30, 0), "20", PayableCheck::Outcome::TooLow, "20.00", 100},
        // 9.60 rounded to the yuan is 10: the rounding may charge that much.
        {"rounded up by the till", terms(9.6, 0, 0, opt3), "10", PayableCheck::Outcome::Accepted, "10.00", 104.166667},
    };
    for (const auto& c : cases) {
        const PayableCheck check = DiscountCalc(c.terms).payableLeft(QString::fromUtf8(c.typed));
        EXPECT_STREQ(outcomeName(check.outcome), outcomeName(c.outcome)) << c.what;
        if (c.outcome == PayableCheck::Outcome::Unreadable || c.outcome == PayableCheck::Outcome::Empty)
            continue;
        EXPECT_EQ(check.text, QString::fromUtf8(c.text)) << c.what;
        if (c.outcome != PayableCheck::Outcome::TooHigh) {
            EXPECT_NEAR(check.disRate, c.rate, 1e-6) << c.what;
        }
    }
}

TEST(DiscountCalc, AtConfirmTheLowestRateIsLeftToTheFieldsButTheOrdersAmountsAreNot) {
    const DiscountCalc calc(terms(100, 20, 80));
    // Everything given away with the rate "0" is not refused again.
    EXPECT_EQ(int(calc.payableLeft(QStringLiteral("20.00"), false).outcome), int(PayableCheck::Outcome::Accepted));
    EXPECT_EQ(int(calc.payableLeft(QStringLiteral("20.00")).outcome), int(PayableCheck::Outcome::TooLow));
    EXPECT_EQ(int(calc.payableLeft(QStringLiteral("19.99"), false).outcome), int(PayableCheck::Outcome::TooLow));
    EXPECT_EQ(int(calc.payableLeft(QStringLiteral("120.01"), false).outcome), int(PayableCheck::Outcome::TooHigh));
    EXPECT_EQ(int(calc.payableLeft(QStringLiteral("1.2.0"), false).outcome), int(PayableCheck::Outcome::Unreadable));
}

TEST(DiscountCalc, RoundingOptionsEachWorkOnTheUnroundedValue) {
    EXPECT_DOUBLE_EQ(roundByOption(12.34, {}), 12.34);
    EXPECT_DOUBLE_EQ(roundByOption(12.34, {true, false, false}), 12.3);
    EXPECT_DOUBLE_EQ(roundByOption(12.46, {false, false, true}), 13);
    EXPECT_DOUBLE_EQ(roundByOption(12.99, {false, true, false}), 12);
    // The last ticked one decides: 12.46 to the yuan is 13, but the fraction dropped gives 12.
    EXPECT_DOUBLE_EQ(roundByOption(12.46, {false, true, true}), 12);
}

TEST(DiscountCalc, OrderDiscountSkipsLinesThatTakeNone) {
    std::vector<BasketLine> lines = {basketLine({"50.00", "", "100", "2", "100.00"}),
                                     basketLine({"30.00", "", "95", "1", "28.50", "-1"}),
                                     basketLine({"10.00", "", "90", "3", "27.00"})};
    applyOrderDiscount(lines, 90);
    EXPECT_EQ(lines[0].sub(Sub::Discount), QStringLiteral("90"));
    EXPECT_EQ(lines[0].sub(Sub::Amount), QStringLiteral("90.00"));
    EXPECT_EQ(lines[1].sub(Sub::Discount), QStringLiteral("100"));
    EXPECT_EQ(lines[1].sub(Sub::Amount), QStringLiteral("28.50"));
    // The rate replaces an earlier discount; it is not taken on top of it.
    EXPECT_EQ(lines[2].sub(Sub::Discount), QStringLiteral("90"));
    EXPECT_EQ(lines[2].sub(Sub::Amount), QStringLiteral("27.00"));

    std::vector<BasketLine> odd = {basketLine({"100.00", "", "100", "1", "100.00"})};
    applyOrderDiscount(odd, 85.55);
    EXPECT_EQ(odd[0].sub(Sub::Discount), QStringLiteral("86"));
    EXPECT_EQ(odd[0].sub(Sub::Amount), QStringLiteral("85.55"));
    applyOrderDiscount(odd, 0);
    EXPECT_EQ(odd[0].sub(Sub::Discount), QStringLiteral("0"));
    EXPECT_EQ(odd[0].sub(Sub::Amount), QStringLiteral("0.00"));
}

TEST(DiscountCalc, LineDiscountChargesThePayable) {
    BasketLine line = basketLine({"40.00", "", "100", "1", "40.00"});
    const BasketLine before = line;
    applyLineDiscount(line, 50, 20);
    EXPECT_EQ(line.sub(Sub::Discount), QStringLiteral("50"));
    EXPECT_EQ(line.sub(Sub::Amount), QStringLiteral("20.00"));
    line.set(Sub::Discount, before.sub(Sub::Discount));
    line.set(Sub::Amount, before.sub(Sub::Amount));
    EXPECT_EQ(line, before); // nothing else changed
    EXPECT_DOUBLE_EQ(
        linesTotal({basketLine({"0.10", "", "100", "1", "0.10"}), basketLine({"0.20", "", "100", "1", "0.20"})}), 0.3);
}
