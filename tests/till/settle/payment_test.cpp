#include "till/settle/payment.h"

#include <gtest/gtest.h>

using namespace shop::till;
using Verdict = ChangeResult::Verdict;

namespace {

struct ChangeCase {
    const char* name;
    double payable;
    QString cash;
    double card;
    double other;
    int lines;
    Verdict verdict;
    double otherAfter;
    QString change;
    int stage;
};

} // namespace

TEST(ComputeChange, CasesFromTheCounter) {
    const ChangeCase cases[] = {
        {"cash above payable", 25, QStringLiteral("30"), 0, 0, 1, Verdict::Settles, 0, QStringLiteral("5.00"), 3},
        {"cash covers: other payment dropped", 25, QStringLiteral("30"), 0, 10, 1, Verdict::Settles, 0,
         QStringLiteral("5.00"), 3},
        {"exact cash", 25, QStringLiteral("25"), 0, 0, 2, Verdict::Settles, 0, QStringLiteral("0.00"), 3},
        {"cash short", 25, QStringLiteral("20"), 0, 0, 1, Verdict::Short, 0, QString(), 2},
        {"card short", 25, QStringLiteral("0"), 10, 0, 1, Verdict::Short, 0, QString(), 2},
        {"card and cash", 25, QStringLiteral("15"), 10, 0, 1, Verdict::Settles, 0, QStringLiteral("0.00"), 3},
        {"cash and other means", 25, QStringLiteral("5"), 0, 20, 1, Verdict::Settles, 20, QStringLiteral("0.00"), 3},
        {"card pays all", 25, QStringLiteral("0"), 25, 0, 1, Verdict::Settles, 0, QStringLiteral("0.00"), 3},
        {"cents that do not add up as doubles", 25, QStringLiteral("10.1"), 14.9, 0, 1, Verdict::Settles, 0,
         QStringLiteral("0.00"), 3},
        {"short by a cent", 25, QStringLiteral("24.99"), 0, 0, 1, Verdict::Short, 0, QString(), 2},
        {"nothing typed", 25, QString(), 0, 0, 1, Verdict::NothingToSettle, 0, QString(), 0},
        {"blank typed", 25, QStringLiteral("  "), 0, 0, 1, Verdict::NothingToSettle, 0, QString(), 0},
        {"empty basket", 25, QStringLiteral("30"), 0, 0, 0, Verdict::NothingToSettle, 0, QString(), 0},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ChangeResult r = ComputeChange({c.payable, c.cash, c.card, c.other}, c.lines);
        EXPECT_EQ(r.verdict, c.verdict);
        EXPECT_EQ(r.ok(), c.verdict == Verdict::Settles);
        if (c.verdict != Verdict::NothingToSettle) {
            EXPECT_DOUBLE_EQ(r.other, c.otherAfter);
        }
        EXPECT_EQ(r.changeText, c.change);
        EXPECT_EQ(r.saleStage, c.stage);
        EXPECT_EQ(r.message,
                  c.verdict == Verdict::Short ? QStringLiteral("金额不够，请确认是否是输入错误！") : QString());
    }
}

TEST(ComputeChange, MemberWithTooLittleOnTheCardPaysTheRestInCash) {
    // Balance 10 against 25.00: 0 and Enter puts the whole balance on the card, which is short.
    const ZeroCashEnter enter = zeroCashEnter(25, true, 10, true, false);
    ASSERT_TRUE(enter.card.has_value());
    EXPECT_DOUBLE_EQ(*enter.card, 10);
    EXPECT_EQ(enter.focus, ZeroCashEnter::Focus::CardField);
    const ChangeResult first = ComputeChange({25, QStringLiteral("0"), *enter.card, 0}, 1);
    EXPECT_EQ(first.verdict, Verdict::Short);
    EXPECT_EQ(first.message, QStringLiteral("金额不够，请确认是否是输入错误！"));

    const ChangeResult second = ComputeChange({25, QStringLiteral("15"), *enter.card, 0}, 1);
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(second.changeText, QStringLiteral("0.00"));
    const PaymentSplit split = splitPayment(25, *enter.card, second.other, QString());
    EXPECT_DOUBLE_EQ(split.card, 10);
    EXPECT_DOUBLE_EQ(split.cash, 15);
}

TEST(ZeroCashEnter, FillsCardOrOtherPayment) {
    struct Case {
        const char* name;
        double payable;
        bool member;
        double balance;
        bool cardEnabled;
        bool otherEnabled;
        std::optional<double> card;
        std::optional<double> other;
        ZeroCashEnter::Focus focus;
    };
    using F = ZeroCashEnter::Focus;
    const Case cases[] = {
        {"balance covers the payable", 25, true, 100, true, true, 25.0, std::nullopt, F::CardField},
        {"balance below the payable", 25, true, 10, true, true, 10.0, std::nullopt, F::CardField},
        {"balance equal to the payable", 25, true, 25, true, false, 25.0, std::nullopt, F::CardField},
        {"empty card, other means allowed", 25, true, 0, false, true, 0.0, 25.0, F::OtherField},
        {"card in debt pays nothing", 25, true, -5, false, false, 0.0, std::nullopt, F::Keep},
        {"no member, other means allowed", 25, false, 0, false, true, std::nullopt, 25.0, F::OtherField},
        {"no member, no other means", 25, false, 0, false, false, std::nullopt, std::nullopt, F::Keep},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ZeroCashEnter r = zeroCashEnter(c.payable, c.member, c.balance, c.cardEnabled, c.otherEnabled);
        EXPECT_EQ(r.card, c.card);
        EXPECT_EQ(r.other, c.other);
        EXPECT_EQ(r.focus, c.focus);
    }
}

TEST(CardPayment, LoweredToTheBalanceWithAMessage) {
    const CardPaymentCheck over = checkCardPayment(30, 20);
    EXPECT_DOUBLE_EQ(over.card, 20);
    EXPECT_EQ(over.status, QStringLiteral("卡付不能大于卡余额"));
    const CardPaymentCheck within = checkCardPayment(20, 20);
    EXPECT_DOUBLE_EQ(within.card, 20);
    EXPECT_TRUE(within.status.isEmpty());
}

TEST(OtherPayment, TakesWhatIsLeft) {
    EXPECT_DOUBLE_EQ(otherPaymentForRest(25, 10), 15);
    EXPECT_DOUBLE_EQ(otherPaymentOnEnter(25, 5, 10), 10);
    EXPECT_DOUBLE_EQ(otherPaymentOnEnter(25, 30, 0), 0); // cash already covers it
    EXPECT_EQ(currentMeansText(QStringLiteral("银联支付")), QStringLiteral("当前付款方式为:银联支付"));
}

TEST(SplitPayment, OtherMeansByLabel) {
    struct Case {
        QString label;
        double weixin;
        double zhifb;
    };
    const Case cases[] = {
        {QStringLiteral("银联支付"), 0, 0},
        {QStringLiteral("微信支付"), 20, 0},
        {QStringLiteral("支付宝支付"), 0, 20},
        {QString(), 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label.toStdString());
        const PaymentSplit s = splitPayment(25, 0, 20, c.label);
        EXPECT_DOUBLE_EQ(s.yinlian, 20);
        EXPECT_DOUBLE_EQ(s.cash, 5);
        EXPECT_DOUBLE_EQ(s.weixin, c.weixin);
        EXPECT_DOUBLE_EQ(s.zhifb, c.zhifb);
    }
}

TEST(SplitPayment, CashIsWhatTheDrawerKeeps) {
    const PaymentSplit cash = splitPayment(25, 0, 0, QString());
    EXPECT_DOUBLE_EQ(cash.cash, 25); // 30 handed over, 5 back: 25 kept
    const PaymentSplit card = splitPayment(25, 25, 0, QString());
    EXPECT_DOUBLE_EQ(card.cash, 0);
    EXPECT_DOUBLE_EQ(card.card, 25);
    const PaymentSplit cents = splitPayment(25, 14.9, 0, QString());
    EXPECT_EQ(toCents(cents.cash), 1010);
}
