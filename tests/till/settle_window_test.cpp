// Taking payment and settling on the real main window.
#include "db/backupfiles.h"
#include "db/moneytext.h"
#include "platform/inifile.h"
#include "support/tillfixture.h"
#include "till/receipt/receiptfile.h"
#include "till/receipt/receiptprinter.h"
#include "till/tillsettings.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::till;

namespace {

struct OrderRow {
    QString cardId;
    double totalMoney = 0, cash = 0, yinlian = 0, weixin = 0, zhifb = 0;
    qint64 salesId = 0;
    int lines = 0;
};

OrderRow lastOrder(db::Connection& c) {
    db::Query q(c);
    q.setSql(QStringLiteral("select *,(select count(*) from order_detail d where d.order_id=o.order_id) as n "
                            "from orderlist o order by rowid desc limit 1"));
    q.open();
    if (q.eof())
        return {};
    return OrderRow{q.value(QStringLiteral("card_id")).toString(), q.value(QStringLiteral("total_money")).toDouble(),
                    q.value(QStringLiteral("cash")).toDouble(),    q.value(QStringLiteral("yinlian")).toDouble(),
                    q.value(QStringLiteral("weixin")).toDouble(),  q.value(QStringLiteral("zhifb")).toDouble(),
                    q.value(QStringLiteral("sales_id")).toLongLong(), q.value(QStringLiteral("n")).toInt()};
}

int orderCount(db::Connection& c) {
    return c.scalar(QStringLiteral("select count(*) from orderlist")).toInt();
}

class SettleWindow : public ::testing::Test {
protected:
    void SetUp() override {
        till.startLoggedIn();
        till.addGood(QStringLiteral("T25"), QStringLiteral("测试商品"), 25.00);
        before = orderCount(till.dm->connection());
    }
    test::TillFixture till;
    int before = 0;
};

} // namespace

TEST_F(SettleWindow, CashSaleStoresTheCashKeptAndClearsTheScreen) {
    TmainForm& f = *till.form;
    till.ringUp(QStringLiteral("T25"));
    f.receivemoneyEdit->setText(QStringLiteral("30"));
    f.receivemoneyEditEnter();
    EXPECT_EQ(f.changeMoneyEdit->text(), QStringLiteral("5.00"));
    EXPECT_EQ(f.SaleStage, 3);
    ASSERT_TRUE(f.printBtnClick());
    const OrderRow order = lastOrder(till.dm->connection());
    EXPECT_DOUBLE_EQ(order.totalMoney, 25.0);
    EXPECT_DOUBLE_EQ(order.cash, 25.0);
    EXPECT_DOUBLE_EQ(order.yinlian, 0.0);
    EXPECT_EQ(order.salesId, -1);
    EXPECT_EQ(order.lines, 1);
    EXPECT_EQ(f.status1->text(), QStringLiteral("处理完毕，等待下一位顾客"));
    EXPECT_TRUE(f.basket().isEmpty());
    EXPECT_EQ(f.realmoneyEdit->text(), QStringLiteral("0.00"));
    EXPECT_TRUE(f.receivemoneyEdit->text().isEmpty());
    EXPECT_EQ(f.SaleStage, 1);
    EXPECT_EQ(f.OrderSerial.size(), 11);
    EXPECT_EQ(f.liushuiLbl->text(), QStringLiteral("小票流水号：") + f.OrderSerial);
    // The receipt of the sale is in output.txt.
    QStringList lines;
    ASSERT_TRUE(readReceiptLines(receiptFilePath(till.shop.folder()), lines));
    EXPECT_TRUE(lines.join(u'\n').contains(QStringLiteral("测试商品")));
    EXPECT_TRUE(lines.join(u'\n').contains(f.OrderSerial));
}

TEST_F(SettleWindow, ShortCashSettlesNothing) {
    TmainForm& f = *till.form;
    till.ringUp(QStringLiteral("T25"));
    f.receivemoneyEdit->setText(QStringLiteral("20"));
    f.receivemoneyEditEnter();
    EXPECT_EQ(till.seam.lastText(), QStringLiteral("金额不够，请确认是否是输入错误！"));
    EXPECT_TRUE(f.receivemoneyEdit->text().isEmpty());
    EXPECT_EQ(f.SaleStage, 2);
    EXPECT_FALSE(f.printBtnClick());
    EXPECT_EQ(orderCount(till.dm->connection()), before);
    EXPECT_EQ(f.basket().size(), 1);
}

TEST_F(SettleWindow, CashCoveringThePayableZeroesTheOtherPayment) {
    TmainForm& f = *till.form;
    till.ringUp(QStringLiteral("T25"));
    f.yinlianEdit->setText(QStringLiteral("10"));
    f.receivemoneyEdit->setText(QStringLiteral("30"));
    f.receivemoneyEditEnter();
    EXPECT_EQ(f.yinlianEdit->text(), QStringLiteral("0.00"));
    EXPECT_EQ(f.changeMoneyEdit->text(), QStringLiteral("5.00"));
    ASSERT_TRUE(f.printBtnClick());
    EXPECT_DOUBLE_EQ(lastOrder(till.dm->connection()).yinlian, 0.0);
}

TEST_F(SettleWindow, MemberPaysFromTheCardBalance) {
    TmainForm& f = *till.form;
    auto& db = till.dm->connection();
    db.exec(QStringLiteral("insert into member(card_id,name,balance,status,enddate,discount,cardtype) "
                           "values('B100','余额百',100,-1,'2099-01-01',100,0),('B10','余额十',10,-1,'2099-01-01',100,0)"));
    // Balance 100: 0 and Enter puts the payable on the card.
    till.attachMember(QStringLiteral("B100"));
    till.ringUp(QStringLiteral("T25"));
    f.receivemoneyEdit->setText(QStringLiteral("0"));
    f.receivemoneyEditEnter();
    EXPECT_EQ(f.kafuEdit->text(), QStringLiteral("25.00"));
    EXPECT_EQ(f.changeMoneyEdit->text(), QStringLiteral("0.00"));
    ASSERT_TRUE(f.printBtnClick());
    EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("select balance from member where card_id='B100'")).toDouble(), 75.0);
    EXPECT_DOUBLE_EQ(lastOrder(db).cash, 0.0);
    EXPECT_EQ(lastOrder(db).cardId, QStringLiteral("B100"));
    EXPECT_FALSE(f.ismember);
    EXPECT_FALSE(f.kafuEdit->isEnabled());

    // Balance 10: the card pays 10, the rest is short until 15 in cash.
    till.attachMember(QStringLiteral("B10"));
    till.ringUp(QStringLiteral("T25"));
    f.receivemoneyEdit->setText(QStringLiteral("0"));
    f.receivemoneyEditEnter();
    EXPECT_EQ(f.kafuEdit->text(), QStringLiteral("10.00"));
    EXPECT_EQ(till.seam.lastText(), QStringLiteral("金额不够，请确认是否是输入错误！"));
    f.receivemoneyEdit->setText(QStringLiteral("15"));
    f.receivemoneyEditEnter();
    EXPECT_EQ(f.changeMoneyEdit->text(), QStringLiteral("0.00"));
    ASSERT_TRUE(f.printBtnClick());
    EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("select balance from member where card_id='B10'")).toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(lastOrder(db).cash, 15.0);
}

TEST_F(SettleWindow, CardPaymentAboveTheBalanceIsLowered) {
    TmainForm& f = *till.form;
    till.dm->connection().exec(QStringLiteral("insert into member(card_id,name,balance,status,enddate) "
                                              "values('B10','余额十',10,-1,'2099-01-01')"));
    till.attachMember(QStringLiteral("B10"));
    till.ringUp(QStringLiteral("T25"));
    f.kafuEdit->setText(QStringLiteral("20"));
    f.kafuEditExit();
    EXPECT_EQ(f.kafuEdit->text(), QStringLiteral("10.00"));
    EXPECT_EQ(f.status2->text(), QStringLiteral("卡付不能大于卡余额"));
}

TEST_F(SettleWindow, OtherMeansPaysPartOfTheSale) {
    TmainForm& f = *till.form;
    IniFile(TillSettings::filePath()).writeBool(QStringLiteral("cash"), QStringLiteral("yinlian"), true);
    f.readIni();
    till.ringUp(QStringLiteral("T25"));
    ASSERT_TRUE(f.yinlianEdit->isEnabled());
    f.receivemoneyEdit->setText(QStringLiteral("5"));
    f.yinlianEditEntered(); // entering the field offers what the cash does not cover
    EXPECT_EQ(f.yinlianEdit->text(), QStringLiteral("20.00"));
    EXPECT_EQ(f.Label14->text(), QStringLiteral("银联支付"));
    f.yinlianEditEnter();
    EXPECT_EQ(f.status1->text(), QStringLiteral("当前付款方式为:银联支付"));
    ASSERT_TRUE(f.printBtnClick());
    const OrderRow order = lastOrder(till.dm->connection());
    EXPECT_DOUBLE_EQ(order.yinlian, 20.0);
    EXPECT_DOUBLE_EQ(order.cash, 5.0);
    EXPECT_DOUBLE_EQ(order.weixin, 0.0);
    EXPECT_DOUBLE_EQ(order.zhifb, 0.0);
}

TEST_F(SettleWindow, AFailedStatementKeepsTheBasketAndStoresNothing) {
    TmainForm& f = *till.form;
    till.dm->connection().execScript(QStringLiteral(
        "create trigger refuse before insert on order_detail begin select raise(abort,'磁盘已满'); end"));
    till.ringUp(QStringLiteral("T25"));
    f.receivemoneyEdit->setText(QStringLiteral("30"));
    f.receivemoneyEditEnter();
    EXPECT_FALSE(f.printBtnClick());
    EXPECT_EQ(orderCount(till.dm->connection()), before);
    EXPECT_EQ(f.basket().size(), 1);
    EXPECT_TRUE(f.printBtn->isEnabled());
    ASSERT_FALSE(till.seam.messages.isEmpty());
    EXPECT_EQ(till.seam.messages.last().title, QStringLiteral("错误"));
    EXPECT_TRUE(till.seam.lastText().contains(QStringLiteral("磁盘已满")));
    // Once the fault is gone the same basket settles.
    till.dm->connection().execScript(QStringLiteral("drop trigger refuse"));
    EXPECT_TRUE(f.printBtnClick());
    EXPECT_EQ(orderCount(till.dm->connection()), before + 1);
}

TEST_F(SettleWindow, UnconfirmedCardNumberIsStoredAsTypedAndCreditsNobody) {
    TmainForm& f = *till.form;
    till.ringUp(QStringLiteral("T25"));
    f.cardNoEdit->setText(QStringLiteral("A0001"));
    f.receivemoneyEdit->setText(QStringLiteral("25"));
    f.receivemoneyEditEnter();
    const double addupBefore =
        till.dm->connection().scalar(QStringLiteral("select addup from member where card_id='A0001'")).toDouble();
    ASSERT_TRUE(f.printBtnClick());
    EXPECT_EQ(lastOrder(till.dm->connection()).cardId, QStringLiteral("A0001"));
    EXPECT_DOUBLE_EQ(
        till.dm->connection().scalar(QStringLiteral("select addup from member where card_id='A0001'")).toDouble(),
        addupBefore);
}

TEST_F(SettleWindow, ReceiptPrintsToPdfAndTheLastOneAgainAfterARestart) {
    TmainForm& f = *till.form;
    IniFile(TillSettings::filePath()).writeString(QStringLiteral("cash"), QStringLiteral("printer"), pdfPrinterName());
    f.readIni();
    till.ringUp(QStringLiteral("T25"));
    f.receivemoneyEdit->setText(QStringLiteral("100"));
    f.receivemoneyEditEnter();
    ASSERT_TRUE(f.printBtnClick());
    const QString pdf = till.shop.path(QStringLiteral("output.pdf"));
    ASSERT_TRUE(QFileInfo::exists(pdf));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished());
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains(QStringLiteral("75.00"))) << printed.toStdString();
    QFile::remove(pdf);

    // A new till (a restart) prints the same receipt again.
    till.form.reset();
    test::TillFixture* fixture = &till;
    fixture->startLoggedIn();
    fixture->form->printPreBtnClick();
    EXPECT_EQ(till.seam.lastText(), QStringLiteral("已打印上一单小票"));
    EXPECT_TRUE(QFileInfo::exists(pdf));
}

TEST_F(SettleWindow, PageDownSettlesThroughTheKeyboardMap) {
    TmainForm& f = *till.form;
    till.ringUp(QStringLiteral("T25"));
    f.receivemoneyEdit->setText(QStringLiteral("25"));
    EXPECT_TRUE(f.runAction(KeyAction::Settle));
    EXPECT_EQ(orderCount(till.dm->connection()), before + 1);
}

TEST_F(SettleWindow, ASecondPressWhileSettlingSettlesNothing) {
    TmainForm& f = *till.form;
    till.ringUp(QStringLiteral("T25"));
    f.receivemoneyEdit->setText(QStringLiteral("25"));
    // The first try fails and shows its message; the cashier presses Page Down while it is up.
    till.dm->connection().execScript(QStringLiteral(
        "create trigger refuse before insert on orderlist begin select raise(abort,'忙'); end"));
    bool nested = true;
    till.seam.onMessage = [&](const ui::RecordingSeam::Message&) {
        till.dm->connection().execScript(QStringLiteral("drop trigger refuse"));
        nested = f.runAction(KeyAction::Settle) && orderCount(till.dm->connection()) > before;
    };
    EXPECT_FALSE(f.printBtnClick());
    EXPECT_FALSE(nested);
    EXPECT_EQ(orderCount(till.dm->connection()), before);
    till.seam.onMessage = nullptr;
    EXPECT_TRUE(f.printBtnClick());
    EXPECT_EQ(orderCount(till.dm->connection()), before + 1);
}
