#include "till/settle/orderrecorder.h"

#include "platform/clock.h"
#include "support/saledata.h"
#include "support/shopfixture.h"
#include "till/shopgoods.h"

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::till;

namespace {

QDateTime localTime(int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s)).toUTC();
}

class Settlement : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::setFixed(localTime(2015, 3, 4, 18, 5, 9));
        shampoo =
            test::addGoods(db(), {.barcode = QStringLiteral("6901"), .name = QStringLiteral("洗发水"), .price = 30});
        towel =
            test::addGoods(db(), {.barcode = QStringLiteral("6902"), .name = QStringLiteral("毛巾"), .price = 12.5});
    }

    db::Connection& db() { return shop.db(); }
    QVariant value(const QString& sql, const db::Params& params = {}) { return db().scalar(sql, params); }

    // The 25.00 basket: one towel at 12.50 twice (points ratio 10).
    Sale sale25() {
        Sale s;
        s.lines = {test::saleLine({QStringLiteral("6902"), QStringLiteral("毛巾"), 12.5, 2, -1, QString::number(towel),
                                   QStringLiteral("10"), 4})};
        s.payable = 25;
        s.cashier = QStringLiteral("收银员");
        return s;
    }

    Sale memberSale(const QString& card, double cardPayment) {
        Sale s = sale25();
        s.cardText = card;
        s.member = SaleMember{card, 95, false};
        s.card = cardPayment;
        return s;
    }

    RecordResult settle(const Sale& s, const UploadOrder& upload = {}) {
        OrderRecorder recorder(db(), ShopRules::load(db()));
        return recorder.settle(s, upload);
    }

    struct Snapshot {
        int orders, lines;
        QString member;
        double sales, stock;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() {
        return {value(QStringLiteral("select count(*) from orderlist")).toInt(),
                value(QStringLiteral("select count(*) from order_detail")).toInt(),
                value(QStringLiteral("select group_concat(card_id||'|'||addup||'|'||buy_times||'|'||discount||'|'||"
                                     "balance||'|'||count||'|'||count_spent, ';') from member"))
                    .toString(),
                value(QStringLiteral("select total(amount) from sales")).toDouble(),
                value(QStringLiteral("select total(amount) from goods")).toDouble()};
    }

    test::TempShop shop;
    qint64 shampoo = 0;
    qint64 towel = 0;
};

} // namespace

TEST_F(Settlement, CashSaleStoresTheOrderAndItsLines) {
    Sale s = sale25();
    s.lines.insert(s.lines.begin(), test::saleLine({QStringLiteral("6901"), QStringLiteral("洗发水"), 30, 1, 0,
                                                    QString::number(shampoo), QStringLiteral("10"), 18}));
    // Payable stays 25.00: the shampoo line is a gift at 0.00.
    const RecordResult r = settle(s);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.orderId, QStringLiteral("50304180509"));

    db::Query q(db());
    q.setSql(QStringLiteral("select * from orderlist"));
    q.open();
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q.value(QStringLiteral("order_id")).toString(), QStringLiteral("50304180509"));
    EXPECT_EQ(q.value(QStringLiteral("card_id")).toString(), QString());
    EXPECT_DOUBLE_EQ(q.value(QStringLiteral("total_money")).toDouble(), 25);
    EXPECT_DOUBLE_EQ(q.value(QStringLiteral("total_cost")).toDouble(), 26);
    EXPECT_DOUBLE_EQ(q.value(QStringLiteral("cash")).toDouble(), 25);
    EXPECT_DOUBLE_EQ(q.value(QStringLiteral("yinlian")).toDouble(), 0);
    EXPECT_EQ(q.value(QStringLiteral("seller")).toString(), QStringLiteral("收银员"));
    EXPECT_EQ(q.value(QStringLiteral("sales_id")).toInt(), -1);
    EXPECT_EQ(q.value(QStringLiteral("send")).toInt(), 0);
    EXPECT_EQ(q.value(QStringLiteral("order_date")).toString(), QStringLiteral("2015-03-04 18:05:09"));
    q.close();

    q.setSql(QStringLiteral("select order_id,barcode,amount,subtotal,goods_id from order_detail order by detail_id"));
    q.open();
    const auto rows = q.fetchAll();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].value(QStringLiteral("barcode")).toString(), QStringLiteral("6901"));
    EXPECT_DOUBLE_EQ(rows[0].value(QStringLiteral("subtotal")).toDouble(), 0);
    EXPECT_EQ(rows[0].value(QStringLiteral("goods_id")).toLongLong(), shampoo);
    EXPECT_EQ(rows[1].value(QStringLiteral("order_id")).toString(), QStringLiteral("50304180509"));
    EXPECT_DOUBLE_EQ(rows[1].value(QStringLiteral("amount")).toDouble(), 2);
    EXPECT_DOUBLE_EQ(rows[1].value(QStringLiteral("subtotal")).toDouble(), 25);
    // Stock follows the lines.
    EXPECT_DOUBLE_EQ(
        value(QStringLiteral("select amount from goods where goods_id=:g"), {{QStringLiteral("g"), towel}}).toDouble(),
        8);
}

TEST_F(Settlement, MemberPaysFromTheCard) {
    test::addMember(db(), QStringLiteral("M100"), 100, 7.5);
    OrderRecorder recorder(db(), ShopRules::load(db()));
    PreparedOrder written;
    const RecordResult r = recorder.settle(memberSale(QStringLiteral("M100"), 25), {}, &written);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    // What the receipt is filled with.
    EXPECT_EQ(written.orderId, r.orderId);
    EXPECT_DOUBLE_EQ(written.points, 2.5);
    EXPECT_DOUBLE_EQ(written.split.card, 25);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select balance from member where card_id='M100'")).toDouble(), 75);
    // 25.00 at ratio 10 earns 2.5 points, fraction kept.
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select addup from member where card_id='M100'")).toDouble(), 10);
    EXPECT_EQ(value(QStringLiteral("select buy_times from member where card_id='M100'")).toInt(), 1);
    EXPECT_EQ(value(QStringLiteral("select discount from member where card_id='M100'")).toInt(), 95);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select cash from orderlist")).toDouble(), 0);
    EXPECT_EQ(value(QStringLiteral("select card_id from orderlist")).toString(), QStringLiteral("M100"));
}

TEST_F(Settlement, CardBalanceShortPaysTheRestInCash) {
    test::addMember(db(), QStringLiteral("M10"), 10);
    const RecordResult r = settle(memberSale(QStringLiteral("M10"), 10));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select balance from member")).toDouble(), 0);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select cash from orderlist")).toDouble(), 15);
}

TEST_F(Settlement, OtherMeansAreStoredByLabel) {
    struct Case {
        QString label;
        double weixin;
        double zhifb;
    };
    const Case cases[] = {
        {QStringLiteral("银联支付"), 0, 0}, {QStringLiteral("微信支付"), 20, 0}, {QStringLiteral("支付宝支付"), 0, 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label.toStdString());
        Sale s = sale25();
        s.other = 20;
        s.meansLabel = c.label;
        const RecordResult r = settle(s);
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        db::Query q(db());
        q.setSql(QStringLiteral("select * from orderlist where order_id=:id"));
        q.bind(QStringLiteral("id"), r.orderId);
        q.open();
        EXPECT_DOUBLE_EQ(q.value(QStringLiteral("yinlian")).toDouble(), 20);
        EXPECT_DOUBLE_EQ(q.value(QStringLiteral("cash")).toDouble(), 5);
        EXPECT_DOUBLE_EQ(q.value(QStringLiteral("weixin")).toDouble(), c.weixin);
        EXPECT_DOUBLE_EQ(q.value(QStringLiteral("zhifb")).toDouble(), c.zhifb);
    }
}

TEST_F(Settlement, SalesPersonIsCreditedWithThePayable) {
    const qint64 id = test::addSalesPerson(db(), QStringLiteral("小王"));
    const qint64 other = test::addSalesPerson(db(), QStringLiteral("小李"));
    Sale s = sale25();
    s.salesId = id;
    ASSERT_TRUE(settle(s).ok);
    ASSERT_TRUE(settle(sale25()).ok);
    EXPECT_DOUBLE_EQ(
        value(QStringLiteral("select amount from sales where sales_id=:i"), {{QStringLiteral("i"), id}}).toDouble(),
        25);
    EXPECT_DOUBLE_EQ(
        value(QStringLiteral("select amount from sales where sales_id=:i"), {{QStringLiteral("i"), other}}).toDouble(),
        0);
    EXPECT_EQ(
        value(QStringLiteral("select group_concat(sales_id) from (select sales_id from orderlist order by order_id)"))
            .toString(),
        QStringLiteral("%1,-1").arg(id));
}

TEST_F(Settlement, UnconfirmedCardIsStoredAsTypedAndCreditsNobody) {
    test::addMember(db(), QStringLiteral("M100"), 100);
    const Snapshot before = snapshot();
    Sale s = sale25();
    s.cardText = QStringLiteral("M100");
    ASSERT_TRUE(settle(s).ok);
    EXPECT_EQ(value(QStringLiteral("select card_id from orderlist")).toString(), QStringLiteral("M100"));
    EXPECT_EQ(snapshot().member, before.member);
}

TEST_F(Settlement, CardNumbersAreBoundNotSpliced) {
    const QString card = QStringLiteral("O'B1' or '1'='1");
    test::addMember(db(), card, 50);
    test::addMember(db(), QStringLiteral("OTHER"), 50);
    ASSERT_TRUE(settle(memberSale(card, 25)).ok);
    EXPECT_DOUBLE_EQ(
        value(QStringLiteral("select balance from member where card_id=:c"), {{QStringLiteral("c"), card}}).toDouble(),
        25);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select balance from member where card_id='OTHER'")).toDouble(), 50);
}

TEST_F(Settlement, CountedCardUseTakesUses) {
    test::addMember(db(), QStringLiteral("C1"), 0);
    db().exec(QStringLiteral("update member set cardtype=-1,count=10,count_spent=1 where card_id='C1'"));
    BasketLine use;
    use.caption = QStringLiteral("次卡消费");
    use.subs = {QStringLiteral("次卡消费"), QStringLiteral("0"),    QString(),           QStringLiteral("100"),
                QStringLiteral("3"),        QStringLiteral("0.00"), QStringLiteral("0"), QStringLiteral("0.00"),
                QStringLiteral("-1"),       QStringLiteral("0"),    QStringLiteral("0"), QStringLiteral("-1"),
                QStringLiteral("-1")};
    Sale s;
    s.lines = {use};
    s.cardText = QStringLiteral("C1");
    s.member = SaleMember{QStringLiteral("C1"), 100, false};
    s.cika = true;
    ASSERT_TRUE(settle(s).ok);
    EXPECT_EQ(value(QStringLiteral("select count||'/'||count_spent from member")).toString(), QStringLiteral("7/4"));
    EXPECT_EQ(value(QStringLiteral("select goods_id from order_detail")).toInt(), -1);
}

TEST_F(Settlement, EmptyCountersOfAnOldMemberRowStillCount) {
    test::addMember(db(), QStringLiteral("OLD"), 30);
    db().exec(QStringLiteral("update member set buy_times=NULL,addup=NULL,count=NULL,count_spent=NULL"));
    ASSERT_TRUE(settle(memberSale(QStringLiteral("OLD"), 0)).ok);
    EXPECT_EQ(value(QStringLiteral("select buy_times from member")).toInt(), 1);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select addup from member")).toDouble(), 2.5);
}

TEST_F(Settlement, TwoSalesInOneSecondGetDifferentNumbers) {
    const RecordResult first = settle(sale25());
    const RecordResult second = settle(sale25());
    const RecordResult third = settle(sale25());
    ASSERT_TRUE(first.ok && second.ok && third.ok);
    EXPECT_EQ(first.orderId, QStringLiteral("50304180509"));
    EXPECT_EQ(second.orderId, QStringLiteral("50304180510"));
    EXPECT_EQ(third.orderId, QStringLiteral("50304180511"));
    // A sale in the next second moves past the numbers already taken.
    Clock::advance(1);
    const RecordResult fourth = settle(sale25());
    EXPECT_EQ(fourth.orderId, QStringLiteral("50304180512"));
    EXPECT_EQ(value(QStringLiteral("select count(distinct order_id) from orderlist")).toInt(), 4);
}

TEST_F(Settlement, NumberOfA2020SaleKeepsItsLeadingZero) {
    Clock::setFixed(localTime(2020, 1, 2, 3, 4, 5));
    const RecordResult r = settle(sale25());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.orderId, QStringLiteral("00102030405"));
    EXPECT_EQ(r.orderId.size(), 11);
    EXPECT_EQ(value(QStringLiteral("select count(*) from orderlist where order_id=:i"),
                    {{QStringLiteral("i"), QStringLiteral("00102030405")}})
                  .toInt(),
              1);
    EXPECT_EQ(value(QStringLiteral("select count(*) from order_detail where order_id='00102030405'")).toInt(), 1);
}

TEST_F(Settlement, UploadAnswerIsStoredAsSend) {
    QString seen;
    const RecordResult r = settle(sale25(), [&](const PreparedOrder& order) {
        seen = order.orderId;
        EXPECT_EQ(value(QStringLiteral("select count(*) from orderlist")).toInt(), 0); // asked before writing
        return -1;
    });
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(seen, r.orderId);
    EXPECT_EQ(value(QStringLiteral("select send from orderlist")).toInt(), -1);
}

TEST_F(Settlement, AFailingStatementLeavesNothingOfTheSale) {
    test::addMember(db(), QStringLiteral("M100"), 100);
    const qint64 salesId = test::addSalesPerson(db(), QStringLiteral("小王"));
    struct Case {
        const char* name;
        const char* trigger;
    };
    const Case cases[] = {
        {"order row", "CREATE TRIGGER fail BEFORE INSERT ON orderlist BEGIN SELECT RAISE(ABORT,'磁盘出错'); END"},
        {"third line", "CREATE TRIGGER fail BEFORE INSERT ON order_detail WHEN NEW.barcode='6903' "
                       "BEGIN SELECT RAISE(ABORT,'磁盘出错'); END"},
        {"member", "CREATE TRIGGER fail BEFORE UPDATE ON member BEGIN SELECT RAISE(ABORT,'磁盘出错'); END"},
        {"sales person", "CREATE TRIGGER fail BEFORE UPDATE ON sales BEGIN SELECT RAISE(ABORT,'磁盘出错'); END"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db().execScript(QString::fromUtf8(c.trigger));
        const Snapshot before = snapshot();
        Sale s = memberSale(QStringLiteral("M100"), 10);
        s.salesId = salesId;
        s.lines.push_back(
            test::saleLine({QStringLiteral("6901"), QStringLiteral("洗发水"), 30, 1, 0, QString::number(shampoo)}));
        s.lines.push_back(
            test::saleLine({QStringLiteral("6903"), QStringLiteral("牙刷"), 5, 1, 0, QStringLiteral("99")}));
        const RecordResult r = settle(s);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.message.contains(QStringLiteral("磁盘出错"))) << r.message.toStdString();
        EXPECT_TRUE(r.message.startsWith(QStringLiteral("结算失败"))) << r.message.toStdString();
        EXPECT_TRUE(before == snapshot());
        EXPECT_FALSE(db().inTransaction());
        db().execScript(QStringLiteral("DROP TRIGGER fail"));
    }
    // The same basket settles once the fault is gone.
    Sale s = memberSale(QStringLiteral("M100"), 10);
    s.salesId = salesId;
    EXPECT_TRUE(settle(s).ok);
}

TEST_F(Settlement, CardPaymentNoLongerCoveredOrCardGoneStoresNothing) {
    test::addMember(db(), QStringLiteral("M100"), 100);
    // The console took the balance down to 5 after the card was read at the till.
    db().exec(QStringLiteral("update member set balance=5"));
    const Snapshot before = snapshot();
    RecordResult r = settle(memberSale(QStringLiteral("M100"), 25));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("卡付不能大于卡余额"))) << r.message.toStdString();
    EXPECT_TRUE(before == snapshot());

    r = settle(memberSale(QStringLiteral("GONE"), 0));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("GONE"))) << r.message.toStdString();
    EXPECT_TRUE(before == snapshot());
}
