// The sale entry windows on the real main window, offscreen: opened by their keys, driven
// through the seam as a cashier would work them.
#include "../basketlines.h"
#include "../shopgoods.h"
#include "support/tillfixture.h"
#include "till/dialogs/countform.h"
#include "till/dialogs/discountform.h"
#include "till/dialogs/goodsnumform.h"
#include "till/dialogs/goodsqueryform.h"
#include "till/dialogs/salesform.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>

using namespace shop;
using namespace shop::till;
using test::basketLine;
using test::LineTexts;

namespace {

class EntryWindows : public ::testing::Test {
protected:
    // Starts the till on the demo shop after `setUp` has changed its database.
    void start(const std::function<void(db::Connection&)>& setUp = {}) {
        if (setUp)
            setUp(till.dm->connection());
        till.startLoggedIn();
        form = till.form.get();
        till.seam.clear();
    }
    // Puts lines into the basket as the barcode field would and recounts.
    void fill(const std::vector<LineTexts>& lines) {
        for (const LineTexts& texts : lines)
            form->basket().append(basketLine(texts));
        form->printBtn->setEnabled(true);
        form->GoodsCount();
        form->selectRow(0);
    }
    // Runs `open`, answering the window it opens with `drive`.
    template <typename Window> void open(const std::function<void()>& openIt, std::function<void(Window&)> drive) {
        till.seam.modals.push_back([drive](QDialog& dialog) {
            auto* window = dynamic_cast<Window*>(&dialog);
            EXPECT_NE(window, nullptr) << dialog.windowTitle().toStdString();
            if (window)
                drive(*window);
            return dialog.result();
        });
        openIt();
        EXPECT_TRUE(till.seam.modals.empty()) << "the window did not open";
        till.seam.modals.clear();
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form->barcodeinputEdit, Qt::Key(key), modifiers);
    }
    QString sub(int row, Sub s) { return form->basket().line(row).sub(s); }
    static void showActive(QWidget& window) {
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    static QPoint centredOn(const QWidget& over, const QWidget& window) {
        const QRect area = over.frameGeometry();
        return {area.x() + (area.width() - window.width()) / 2, area.y() + (area.height() - window.height()) / 2};
    }

    QVariant value(const QString& sql) { return till.dm->connection().scalar(sql); }

    test::TillFixture till;
    TmainForm* form = nullptr;
};

// ---- goods query ----

TEST_F(EntryWindows, GoodsQueryFindsByPartOfTheBarcodeAndRingsTheItemUp) {
    start([](db::Connection& c) {
        test::addGoods(c, {.barcode = QStringLiteral("6977701"), .name = QStringLiteral("苹果")});
        test::addGoods(c, {.barcode = QStringLiteral("3400"), .name = QStringLiteral("777号电池")});
        test::addGoods(c, {.barcode = QStringLiteral("5777"), .name = QStringLiteral("旧货"), .hide = -1});
    });
    // The cashier had already rung something up and moved on to the payment.
    till.ringUp(QStringLiteral("3400"));
    form->SaleStage = 2;
    open<TgoodsqueryForm>([this] { key(Qt::Key_F3); },
                          [this](TgoodsqueryForm& q) {
                              EXPECT_EQ(q.windowTitle(), QStringLiteral("商品查询"));
                              EXPECT_EQ(q.size(), QSize(980, 513));
                              EXPECT_EQ(q.pos(), centredOn(*form, q));
                              EXPECT_TRUE(q.mohuChk->isChecked());
                              QTest::keyClick(q.queryEdit, Qt::Key_Return); // nothing typed: nothing happens
                              EXPECT_EQ(q.tipLbl->text(), QString());
                              QTest::keyClicks(q.queryEdit, QStringLiteral("777"));
                              QTest::keyClick(q.queryEdit, Qt::Key_Return);
                              EXPECT_EQ(q.tipLbl->text(), QStringLiteral("1项结果符合查询要求"));
                              EXPECT_EQ(q.model().rowCount(), 1);
                              QTest::keyClick(q.goodsqeyGrid, Qt::Key_Return);
                              EXPECT_EQ(q.result(), QDialog::Accepted);
                          });
    EXPECT_EQ(form->barcodeinputEdit->text(), QStringLiteral("6977701"));
    // Enter is pressed in the barcode field, which rings the item up.
    QCoreApplication::processEvents();
    ASSERT_EQ(form->basket().size(), 2);
    EXPECT_EQ(form->basket().line(1).caption, QStringLiteral("6977701"));
    EXPECT_EQ(form->basket().line(1).sub(Sub::Name), QStringLiteral("苹果"));
    EXPECT_EQ(form->barcodeinputEdit->text(), QString());
    EXPECT_EQ(form->SaleStage, 1);
    EXPECT_TRUE(till.seam.messages.isEmpty());
}

TEST_F(EntryWindows, GoodsQueryExactWithoutCaseQuotesLiterallyAndTheColumnTheCashierChose) {
    start([](db::Connection& c) {
        test::addGoods(
            c, {.barcode = QStringLiteral("ABC"), .goodsNo = QStringLiteral("N1"), .name = QStringLiteral("饼干")});
        test::addGoods(c, {.barcode = QStringLiteral("7001"), .name = QStringLiteral("100%果汁")});
    });
    form->show();
    QAction* tool = form->toolBar->findChild<QAction*>(QStringLiteral("查询"));
    ASSERT_NE(tool, nullptr);
    open<TgoodsqueryForm>([tool] { tool->trigger(); },
                          [this](TgoodsqueryForm& q) {
                              showActive(q);
                              // Quotes and percent signs are looked for as typed, without an error.
                              QTest::keyClicks(q.queryEdit, QStringLiteral("O'B%"));
                              q.queryBtn->click();
                              EXPECT_EQ(q.tipLbl->text(), QStringLiteral("0项结果符合查询要求"));
                              EXPECT_TRUE(till.seam.messages.isEmpty());
                              q.queryEdit->setText(QStringLiteral("%"));
                              q.queryBtn->click();
                              ASSERT_EQ(q.model().rowCount(), 1);
                              EXPECT_EQ(q.model().cellText(q.model().index(0, GoodsQueryModel::Barcode)),
                                        QStringLiteral("7001"));

                              q.mohuChk->setChecked(false);
                              q.queryEdit->setText(QStringLiteral("abc"));
                              q.queryBtn->click();
                              EXPECT_EQ(q.tipLbl->text(), QStringLiteral("1项结果符合查询要求"));
                              EXPECT_EQ(QApplication::focusWidget(), q.goodsqeyGrid);
                              // The cashier moves to the name column and double clicks it.
                              const QModelIndex name = q.model().index(0, GoodsQueryModel::Name);
                              const QPoint at = q.goodsqeyGrid->visualRect(name).center();
                              QTest::mouseClick(q.goodsqeyGrid->viewport(), Qt::LeftButton, {}, at);
                              QTest::mouseDClick(q.goodsqeyGrid->viewport(), Qt::LeftButton, {},
                                                 q.goodsqeyGrid->visualRect(name).center());
                          });
    EXPECT_EQ(form->barcodeinputEdit->text(), QStringLiteral("饼干"));
}

TEST_F(EntryWindows, GoodsQueryEscapeTakesNothing) {
    start();
    form->barcodeinputEdit->setText(QStringLiteral("69"));
    open<TgoodsqueryForm>([this] { key(Qt::Key_F3); },
                          [](TgoodsqueryForm& q) {
                              q.queryEdit->setText(QStringLiteral("水"));
                              QTest::keyClick(q.queryEdit, Qt::Key_Return);
                              EXPECT_GT(q.model().rowCount(), 0);
                              QTest::keyClick(q.goodsqeyGrid, Qt::Key_Escape);
                              EXPECT_EQ(q.result(), QDialog::Rejected);
                          });
    EXPECT_EQ(form->barcodeinputEdit->text(), QStringLiteral("69"));
}

// ---- quantity ----

TEST_F(EntryWindows, QuantityScalesTheLineAndRecounts) {
    start();
    fill({{"9.00", "", "100", "1", "9.00"}, {"5.00", "", "100", "2", "10.00"}});
    form->barcodeinputEdit->setText(QStringLiteral("12"));
    open<TgoodsNumForm>([this] { key(Qt::Key_F7); },
                        [this](TgoodsNumForm& n) {
                            EXPECT_EQ(n.windowTitle(), QStringLiteral("商品数量"));
                            EXPECT_EQ(n.pos(), centredOn(*form, n));
                            EXPECT_EQ(n.goodsinfoLbl->text(), QStringLiteral("商品：测试商品\n单价：9.00\n数量：1"));
                            // Only digits and the point get in.
                            QTest::keyClicks(n.goodNumEdit, QStringLiteral("2a.5 "));
                            EXPECT_EQ(n.goodNumEdit->text(), QStringLiteral("2.5"));
                            QTest::keyClick(n.goodNumEdit, Qt::Key_Return);
                            EXPECT_EQ(n.result(), QDialog::Accepted);
                        });
    EXPECT_EQ(sub(0, Sub::Quantity), QStringLiteral("2.5"));
    EXPECT_EQ(sub(0, Sub::Amount), QStringLiteral("22.50"));
    EXPECT_EQ(sub(0, Sub::LineCost), QStringLiteral("12.50"));
    EXPECT_EQ(form->goodscountLbl->text(), QStringLiteral("4.5"));
    EXPECT_EQ(form->realmoneyEdit->text(), QStringLiteral("32.50"));
    EXPECT_EQ(form->barcodeinputEdit->text(), QString());
}

TEST_F(EntryWindows, QuantityZeroRemovesTheLineAndUnreadableTextIsRefused) {
    start();
    fill({{"9.00", "", "100", "1", "9.00"}});
    open<TgoodsNumForm>([this] { form->ChangeQuantity(); },
                        [this](TgoodsNumForm& n) {
                            n.goodNumEdit->setText(QStringLiteral("1..2"));
                            n.okBtn->click();
                            EXPECT_EQ(till.seam.texts(), QStringList{QStringLiteral("数量格式不对，请重新填写")});
                            EXPECT_EQ(n.goodNumEdit->text(), QString());
                            EXPECT_EQ(n.result(), 0); // still open
                            n.okBtn->click();         // empty: nothing happens
                            EXPECT_EQ(n.result(), 0);
                            QTest::keyClicks(n.goodNumEdit, QStringLiteral("0"));
                            n.okBtn->click();
                        });
    EXPECT_TRUE(form->basket().isEmpty());
    EXPECT_EQ(form->goodscountLbl->text(), QStringLiteral("0"));
    EXPECT_EQ(form->realmoneyEdit->text(), QStringLiteral("0.00"));
    EXPECT_FALSE(form->printBtn->isEnabled());
}

TEST_F(EntryWindows, QuantityEscapeLeavesTheLineAndEmptiesTheBarcodeField) {
    start();
    fill({{"9.00", "", "100", "1", "9.00"}});
    const BasketLine before = form->basket().line(0);
    form->barcodeinputEdit->setText(QStringLiteral("69"));
    open<TgoodsNumForm>([this] { key(Qt::Key_Asterisk, Qt::KeypadModifier); },
                        [](TgoodsNumForm& n) {
                            QTest::keyClicks(n.goodNumEdit, QStringLiteral("5"));
                            QTest::keyClick(n.goodNumEdit, Qt::Key_Escape);
                            EXPECT_EQ(n.result(), QDialog::Rejected);
                        });
    EXPECT_EQ(form->basket().line(0), before);
    EXPECT_EQ(form->barcodeinputEdit->text(), QString());
}

TEST_F(EntryWindows, QuantityWindowOpensByDoubleClickAndMenuOnlyWithALine) {
    start();
    fill({{"9.00", "", "100", "1", "9.00"}});
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    const QRect first = form->ListView->visualRect(form->basket().index(0, 1));
    QTest::mouseClick(form->ListView->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(form->ListView->viewport(), Qt::LeftButton, {}, first.center());
    QAction* menuEntry = nullptr;
    for (QAction* action : form->listMenu->actions())
        if (action->text() == QStringLiteral("修改数量"))
            menuEntry = action;
    ASSERT_NE(menuEntry, nullptr);
    menuEntry->trigger();
    EXPECT_EQ(till.seam.modalTitles, QStringList(2, QStringLiteral("商品数量")));
    form->ListView->clearSelection();
    key(Qt::Key_F7);
    menuEntry->trigger();
    EXPECT_EQ(till.seam.modalTitles.size(), 2);
}

// ---- discount ----

TEST_F(EntryWindows, WholeOrderDiscountOfNinetyUnderALowestRateOfEighty) {
    start([](db::Connection& c) { c.exec(QStringLiteral("update setting set mindis=80")); });
    fill({{"60.00", "", "100", "1", "60.00"}, {"20.00", "", "100", "2", "40.00"}});
    open<TdiscountForm>([this] { key(Qt::Key_F6); },
                        [this](TdiscountForm& d) {
                            EXPECT_EQ(d.windowTitle(), QStringLiteral("折扣[整单]"));
                            const QRect main = form->frameGeometry();
                            EXPECT_EQ(d.pos(), QPoint(main.x() + (main.width() - d.width()) / 2, main.y() + 150));
                            EXPECT_DOUBLE_EQ(d.terms().zhekou_qian, 100);
                            EXPECT_EQ(d.discountEdit->text(), QString()); // nothing put in without the policy
                            QTest::keyClicks(d.discountEdit, QStringLiteral("9x05"));
                            EXPECT_EQ(d.discountEdit->text(), QStringLiteral("90"));
                            EXPECT_EQ(d.disEdit2->text(), QStringLiteral("10.00"));
                            EXPECT_EQ(d.realMoneyEdit->text(), QStringLiteral("90.00"));
                            d.okBtn->click();
                            EXPECT_EQ(d.result(), QDialog::Accepted);
                        });
    for (int row = 0; row < 2; ++row)
        EXPECT_EQ(sub(row, Sub::Discount), QStringLiteral("90")) << row;
    EXPECT_EQ(sub(0, Sub::Amount), QStringLiteral("54.00"));
    EXPECT_EQ(sub(1, Sub::Amount), QStringLiteral("36.00"));
    EXPECT_EQ(form->realmoneyEdit->text(), QStringLiteral("90.00"));
    EXPECT_TRUE(till.seam.messages.isEmpty());
}

TEST_F(EntryWindows, DiscountBelowTheLowestRateIsRefused) {
    start([](db::Connection& c) { c.exec(QStringLiteral("update setting set mindis=80")); });
    fill({{"100.00", "", "100", "1", "100.00"}});
    open<TdiscountForm>([this] { form->DiscountBtn->click(); },
                        [this](TdiscountForm& d) {
                            const QStringList tooLow = {QStringLiteral("折扣过低，系统不允许，请修改")};
                            QTest::keyClicks(d.discountEdit, QStringLiteral("75"));
                            EXPECT_EQ(till.seam.texts(), tooLow);
                            EXPECT_EQ(d.discountEdit->text(), QString());
                            EXPECT_EQ(d.disEdit2->text(), QString());

                            // Reached through an amount: refused when the field is left.
                            showActive(d);
                            struct {
                                QLineEdit* field;
                                const char* typed;
                            } const throughAmounts[] = {{d.realMoneyEdit, "79"}, {d.disEdit2, "21"}};
                            for (const auto& t : throughAmounts) {
                                till.seam.clear();
                                t.field->setFocus();
                                QTest::keyClicks(t.field, QString::fromUtf8(t.typed));
                                QTest::keyClick(t.field, Qt::Key_Return);
                                EXPECT_EQ(till.seam.texts(), tooLow) << t.typed;
                                EXPECT_EQ(d.disEdit2->text(), QString()) << t.typed;
                                EXPECT_EQ(d.realMoneyEdit->text(), QString()) << t.typed;
                                EXPECT_EQ(QApplication::focusWidget(), d.realMoneyEdit) << t.typed;
                            }
                            d.okBtn->click(); // an empty payable closes and changes nothing
                            EXPECT_EQ(d.result(), QDialog::Rejected);
                        });
    EXPECT_EQ(sub(0, Sub::Discount), QStringLiteral("100"));
    EXPECT_EQ(sub(0, Sub::Amount), QStringLiteral("100.00"));
    EXPECT_EQ(form->realmoneyEdit->text(), QStringLiteral("100.00"));
}

TEST_F(EntryWindows, DiscountPayableTypedWithTwoPointsOrAboveThePriceIsRefusedAndKept) {
    start();
    fill({{"100.00", "", "100", "1", "100.00"}});
    open<TdiscountForm>(
        [this] { key(Qt::Key_F6); },
        [this](TdiscountForm& d) {
            const struct {
                const char* typed;
                const char* message;
            } cases[] = {{"85.0.0", "实收金额格式不对，请重新填写"}, {"150", "实收金额不能高于折前金额，请修改"}};
            for (const auto& c : cases) {
                till.seam.clear();
                d.realMoneyEdit->setText(QString::fromUtf8(c.typed));
                d.okBtn->click();
                EXPECT_EQ(till.seam.texts(), QStringList{QString::fromUtf8(c.message)});
                EXPECT_EQ(d.realMoneyEdit->text(), QString::fromUtf8(c.typed));
                EXPECT_EQ(d.result(), 0);
            }
            QTest::keyClick(d.realMoneyEdit, Qt::Key_Escape);
        });
    EXPECT_EQ(sub(0, Sub::Amount), QStringLiteral("100.00"));
    EXPECT_EQ(sub(0, Sub::Discount), QStringLiteral("100"));
}

TEST_F(EntryWindows, PayableTypedAndLeftGivesTheRate) {
    start([](db::Connection& c) { c.exec(QStringLiteral("update setting set mindis=80")); });
    fill({{"100.00", "", "100", "1", "100.00"}, {"10.00", "", "100", "1", "10.00", "-1"}});
    open<TdiscountForm>([this] { key(Qt::Key_Minus, Qt::KeypadModifier); },
                        [](TdiscountForm& d) {
                            showActive(d);
                            QTest::keyClick(d.discountEdit, Qt::Key_Return);
                            EXPECT_EQ(QApplication::focusWidget(), d.disEdit2);
                            QTest::keyClick(d.disEdit2, Qt::Key_Return);
                            EXPECT_EQ(QApplication::focusWidget(), d.realMoneyEdit);
                            QTest::keyClicks(d.realMoneyEdit, QStringLiteral("95"));
                            QTest::keyClick(d.realMoneyEdit, Qt::Key_Return);
                            EXPECT_EQ(QApplication::focusWidget(), d.okBtn);
                            EXPECT_EQ(d.realMoneyEdit->text(), QStringLiteral("95.00"));
                            EXPECT_DOUBLE_EQ(d.dis_rate, 85);
                            QTest::keyClick(d.okBtn, Qt::Key_Return);
                            EXPECT_EQ(d.result(), QDialog::Accepted);
                        });
    EXPECT_EQ(sub(0, Sub::Discount), QStringLiteral("85"));
    EXPECT_EQ(sub(0, Sub::Amount), QStringLiteral("85.00"));
    // The line that takes no discount shows 100 and keeps its amount.
    EXPECT_EQ(sub(1, Sub::Discount), QStringLiteral("100"));
    EXPECT_EQ(sub(1, Sub::Amount), QStringLiteral("10.00"));
    EXPECT_EQ(form->realmoneyEdit->text(), QStringLiteral("95.00"));
}

TEST_F(EntryWindows, RateZeroTakesEverythingDiscountableOff) {
    // "0" is the shop's way of giving goods away; the lowest rate does not hold it back.
    start([](db::Connection& c) { c.exec(QStringLiteral("update setting set mindis=80")); });
    fill({{"60.00", "", "100", "1", "60.00"}, {"20.00", "", "100", "1", "20.00", "-1"}});
    open<TdiscountForm>([this] { key(Qt::Key_F6); },
                        [](TdiscountForm& d) {
                            QTest::keyClicks(d.discountEdit, QStringLiteral("0"));
                            EXPECT_EQ(d.disEdit2->text(), QStringLiteral("60.00"));
                            EXPECT_EQ(d.realMoneyEdit->text(), QStringLiteral("20.00"));
                            d.okBtn->click();
                        });
    EXPECT_EQ(sub(0, Sub::Discount), QStringLiteral("0"));
    EXPECT_EQ(sub(0, Sub::Amount), QStringLiteral("0.00"));
    EXPECT_EQ(sub(1, Sub::Discount), QStringLiteral("100"));
    EXPECT_EQ(sub(1, Sub::Amount), QStringLiteral("20.00"));
    EXPECT_EQ(form->realmoneyEdit->text(), QStringLiteral("20.00"));
}

TEST_F(EntryWindows, WholeOrderDiscountChargesItsPayableAndTheChangeFollowsIt) {
    // Spend-and-save takes 5 off every 50: the recount after the discount would make 90.00 into
    // 85.00, but the discount's payable is what is charged, and the change is worked out on it.
    start([](db::Connection& c) { c.exec(QStringLiteral("update setting set manjian=-1,man=50,jian=5")); });
    fill({{"60.00", "", "100", "1", "60.00"}, {"40.00", "", "100", "1", "40.00"}});
    ASSERT_EQ(form->realmoneyEdit->text(), QStringLiteral("90.00"));
    form->receivemoneyEdit->setText(QStringLiteral("100"));
    open<TdiscountForm>([this] { key(Qt::Key_F6); },
                        [](TdiscountForm& d) {
                            QTest::keyClicks(d.discountEdit, QStringLiteral("90"));
                            d.okBtn->click();
                        });
    EXPECT_EQ(form->realmoneyEdit->text(), QStringLiteral("90.00"));
    EXPECT_EQ(form->changeMoneyEdit->text(), QStringLiteral("10.00"));
    EXPECT_EQ(sub(0, Sub::Amount).toDouble() + sub(1, Sub::Amount).toDouble(), 90.0);
}

TEST_F(EntryWindows, SingleLineDiscountChangesOnlyThatLine) {
    start([](db::Connection& c) { c.exec(QStringLiteral("update setting set manjian=-1,man=50,jian=5")); });
    fill({{"60.00", "", "100", "1", "60.00"}, {"40.00", "", "100", "1", "40.00"}});
    form->selectRow(1);
    open<TdiscountForm>([this] { key(Qt::Key_Slash, Qt::KeypadModifier); },
                        [](TdiscountForm& d) {
                            EXPECT_EQ(d.windowTitle(), QStringLiteral("折扣[单品]"));
                            EXPECT_DOUBLE_EQ(d.terms().zhekou_qian, 40);
                            EXPECT_DOUBLE_EQ(d.terms().nodis, 0);
                            QTest::keyClicks(d.discountEdit, QStringLiteral("80"));
                            EXPECT_EQ(d.realMoneyEdit->text(), QStringLiteral("32.00"));
                            d.okBtn->click();
                        });
    EXPECT_EQ(sub(0, Sub::Discount), QStringLiteral("100"));
    EXPECT_EQ(sub(0, Sub::Amount), QStringLiteral("60.00"));
    EXPECT_EQ(sub(1, Sub::Discount), QStringLiteral("80"));
    EXPECT_EQ(sub(1, Sub::Amount), QStringLiteral("32.00"));
    // The plain sum of the lines: no spend-and-save comes off (a recount would make it 87.00).
    EXPECT_EQ(form->realmoneyEdit->text(), QStringLiteral("92.00"));
}

TEST_F(EntryWindows, ItemThatTakesNoDiscountOpensNoWindow) {
    start();
    fill({{"20.00", "", "100", "1", "20.00", "-1"}});
    form->barcodeinputEdit->setText(QStringLiteral("69"));
    QAction* menuEntry = nullptr;
    for (QAction* action : form->listMenu->actions())
        if (action->text() == QStringLiteral("修改折扣"))
            menuEntry = action;
    ASSERT_NE(menuEntry, nullptr);
    menuEntry->trigger();
    EXPECT_EQ(till.seam.texts(), QStringList{QStringLiteral("本商品不参与打折。")});
    EXPECT_TRUE(till.seam.modalTitles.isEmpty());
    EXPECT_EQ(form->barcodeinputEdit->text(), QString());
}

TEST_F(EntryWindows, PointsPolicyPutsTheMembersRateIn) {
    const struct {
        const char* memberRate;
        const char* rate;
        const char* amountOff;
        const char* lineDiscount;
    } cases[] = {{"85", "85", "15.00", "85"}, {"100", "100", "", "100"}};
    for (const auto& c : cases) {
        test::TillFixture fresh;
        fresh.dm->connection().exec(QStringLiteral("update setting set discount_policy=-1"));
        fresh.loginWith(QStringLiteral("888"));
        ASSERT_TRUE(fresh.start());
        TmainForm& main = *fresh.form;
        main.basket().append(basketLine({"100.00", "", "100", "1", "100.00"}));
        main.GoodsCount();
        main.disRateEdit->setText(QString::fromUtf8(c.memberRate));
        fresh.seam.modals.push_back([&c](QDialog& dialog) {
            auto& d = dynamic_cast<TdiscountForm&>(dialog);
            EXPECT_EQ(d.discountEdit->text(), QString::fromUtf8(c.rate));
            EXPECT_EQ(d.infoLbl->text(), QStringLiteral("说明：已根据积分政策自动设置折扣率"));
            EXPECT_EQ(d.disEdit2->text(), QString::fromUtf8(c.amountOff));
            d.okBtn->click();
            return d.result();
        });
        main.OpenDiscount(true);
        EXPECT_EQ(main.basket().line(0).sub(Sub::Discount), QString::fromUtf8(c.lineDiscount)) << c.memberRate;
    }
}

// ---- sales staff ----

TEST_F(EntryWindows, SalesPersonByCodeOrName) {
    start([](db::Connection& c) {
        c.exec(QStringLiteral("insert into sales(sales_No,sales_name,amount) values('07','O''Neil',0)"));
    });
    const struct {
        std::vector<const char*> typed;
        int salesId;
        const char* status3;
        const char* salesEdit;
        QStringList messages;
    } cases[] = {
        {{"02"}, 2, "销售:王芳", "02", {}},
        {{" 张伟 "}, 3, "销售:张伟", "03", {}},
        {{"O'Neil"}, 5, "销售:O'Neil", "07", {}},
        {{"99"}, -1, "销售:", "", {QStringLiteral("无此销售人员，请重新输入")}},
        // Found, then lost again to an unknown code: nobody is credited.
        {{"01", "x"}, -1, "销售:", "", {QStringLiteral("无此销售人员，请重新输入")}},
        {{}, -1, "销售:", "", {}},
    };
    for (const auto& c : cases) {
        till.seam.clear();
        form->sales_id = 1;
        open<TsalesForm>([this] { key(Qt::Key_F5); },
                         [&c](TsalesForm& s) {
                             EXPECT_EQ(s.windowTitle(), QStringLiteral("销售人员"));
                             for (const char* typed : c.typed) {
                                 s.nameCbx->setEditText(QString::fromUtf8(typed));
                                 QTest::keyClick(s.nameCbx, Qt::Key_Return);
                             }
                             if (c.salesId > 0) {
                                 EXPECT_TRUE(s.query);
                                 EXPECT_EQ(s.Label2->text(),
                                           QStringLiteral("销售人员姓名：") + QString::fromUtf8(c.status3).mid(3));
                             } else if (!c.typed.empty()) {
                                 EXPECT_EQ(s.nameCbx->currentText(), QString());
                                 EXPECT_EQ(s.Label2->text(), QStringLiteral("销售人员姓名："));
                             }
                             s.okBtn->click();
                         });
        EXPECT_EQ(form->sales_id, c.salesId) << c.status3;
        EXPECT_EQ(form->status3->text(), QString::fromUtf8(c.status3));
        EXPECT_EQ(form->salesEdit->text(), QString::fromUtf8(c.salesEdit));
        EXPECT_EQ(form->salesLbl->text(), c.salesId > 0 ? QString::fromUtf8(c.status3).mid(3) : QStringLiteral("N/A"));
        EXPECT_EQ(till.seam.texts(), c.messages);
    }
}

TEST_F(EntryWindows, SalesPersonChosenFromTheList) {
    start();
    open<TsalesForm>([this] { form->openSalesForm(); },
                     [](TsalesForm& s) {
                         QStringList names;
                         for (int i = 0; i < s.nameCbx->count(); ++i)
                             names.append(s.nameCbx->itemText(i));
                         EXPECT_EQ(names, (QStringList{QStringLiteral("李娜"), QStringLiteral("王芳"),
                                                       QStringLiteral("张伟"), QStringLiteral("刘洋")}));
                         s.nameCbx->setCurrentIndex(3);
                         emit s.nameCbx->activated(3);
                         QCoreApplication::processEvents();
                         EXPECT_TRUE(s.query);
                         // The close box counts as well as "确认".
                         s.reject();
                     });
    EXPECT_EQ(form->sales_id, 4);
    EXPECT_EQ(form->status3->text(), QStringLiteral("销售:刘洋"));
    EXPECT_EQ(form->salesEdit->text(), QStringLiteral("04"));
}

// ---- counted card ----

TEST_F(EntryWindows, CountedCardUseIsSettledAtOnce) {
    start();
    const int orders = value(QStringLiteral("select count(*) from orderlist")).toInt();
    // The card field finds a counted card and opens the window at once.
    open<TcountForm>(
        [this] {
            form->cardNoEdit->setText(QStringLiteral("c0002"));
            form->cardNoEditEnter();
        },
        [this](TcountForm& w) {
            EXPECT_EQ(w.windowTitle(), QStringLiteral("次卡消费"));
            EXPECT_EQ(w.pos(), centredOn(*form, w));
            EXPECT_EQ(w.cardLbl->text(), QStringLiteral("C0002"));
            EXPECT_EQ(w.nameLbl->text(), QStringLiteral("郑凯"));
            EXPECT_EQ(w.countLbl->text(), QStringLiteral("2"));
            EXPECT_EQ(w.spentLbl->text(), QStringLiteral("0"));
            EXPECT_EQ(w.timesEdit->text(), QStringLiteral("1"));
            w.timesEdit->selectAll();
            QTest::keyClicks(w.timesEdit, QStringLiteral("2.x"));
            EXPECT_EQ(w.timesEdit->text(), QStringLiteral("2"));
            w.okBtn->click();
        });
    // Nothing to pay: the use is recorded as a sale of its own, and the screen is ready for the next.
    EXPECT_EQ(value(QStringLiteral("select count(*) from orderlist")).toInt(), orders + 1);
    EXPECT_EQ(value(QStringLiteral(
                        "select barcode||'/'||cast(amount as integer)||'/'||goods_id from order_detail where order_id="
                        "(select max(order_id) from orderlist)"))
                  .toString(),
              QStringLiteral("次卡消费/2/-1"));
    EXPECT_EQ(value(QStringLiteral("select count||'/'||count_spent from member where card_id='C0002'")).toString(),
              QStringLiteral("0/2"));
    EXPECT_TRUE(form->basket().isEmpty());
    EXPECT_FALSE(form->cika);
    EXPECT_EQ(form->status1->text(), QStringLiteral("处理完毕，等待下一位顾客"));
}

TEST_F(EntryWindows, CountedCardUseAfterGoodsWaitsForThePaymentAndTakesItsOwnUses) {
    start();
    till.ringUp(QStringLiteral("6921168509256"));
    till.ringUp(QStringLiteral("6921168509256")); // two bottles: the first line's quantity is 2
    till.attachMember(QStringLiteral("C0002"));
    open<TcountForm>([this] { form->openCountedCard(QStringLiteral("C0002")); },
                     [](TcountForm& w) { w.okBtn->click(); });
    // The water is still to be paid: the line is there and the sale waits for the cash.
    ASSERT_EQ(form->basket().size(), 2);
    EXPECT_EQ(form->basket().line(1), countedCardLine(1));
    EXPECT_EQ(form->selectedRow(), 1);
    EXPECT_TRUE(form->cika);
    EXPECT_EQ(value(QStringLiteral("select count from member where card_id='C0002'")).toInt(), 2);
    // The use waiting in the basket counts against the card: one visit is left to give.
    open<TcountForm>([this] { form->openCountedCard(QStringLiteral("C0002")); },
                     [](TcountForm& w) {
                         w.timesEdit->setText(QStringLiteral("2"));
                         w.okBtn->click();
                         w.cancelBtn->click();
                     });
    EXPECT_EQ(till.seam.texts(), QStringList{QStringLiteral("剩余次数不足，此卡只剩1次，请返回")});
    EXPECT_EQ(form->basket().size(), 2);

    form->receivemoneyEdit->setText(QStringLiteral("10"));
    ASSERT_TRUE(form->printBtnClick());
    // One visit comes off the card, not the two bottles.
    EXPECT_EQ(value(QStringLiteral("select count||'/'||count_spent from member where card_id='C0002'")).toString(),
              QStringLiteral("1/1"));
}

TEST_F(EntryWindows, CountedCardRefusesWrongNumbersAndMoreVisitsThanAreLeft) {
    start();
    till.attachMember(QStringLiteral("C0002"));
    const int orders = value(QStringLiteral("select count(*) from orderlist")).toInt();
    const struct {
        const char* typed;
        QStringList messages;
    } cases[] = {
        {"0", {QStringLiteral("输入错误，请返回")}},
        // Two visits left do not pay for three: the count would go below 0.
        {"3", {QStringLiteral("剩余次数不足，此卡只剩2次，请返回")}},
        {"", {}},
    };
    for (const auto& c : cases) {
        till.seam.clear();
        open<TcountForm>([this] { form->openCountedCard(QStringLiteral("C0002")); },
                         [&c](TcountForm& w) {
                             w.timesEdit->setText(QString::fromUtf8(c.typed));
                             w.okBtn->click();
                             EXPECT_EQ(w.result(), 0) << c.typed; // still open
                             EXPECT_EQ(w.timesEdit->text(), QString::fromUtf8(c.typed));
                             w.cancelBtn->click();
                         });
        EXPECT_EQ(till.seam.texts(), c.messages) << c.typed;
        EXPECT_TRUE(form->basket().isEmpty()) << c.typed;
        EXPECT_FALSE(form->cika);
    }
    EXPECT_EQ(value(QStringLiteral("select count(*) from orderlist")).toInt(), orders);
    EXPECT_EQ(value(QStringLiteral("select count from member where card_id='C0002'")).toInt(), 2);
}

TEST_F(EntryWindows, CountedCardLeavingTheFieldWithZeroSendsTheCashierBack) {
    start();
    open<TcountForm>([this] { form->openCountedCard(QStringLiteral("C0002")); },
                     [this](TcountForm& w) {
                         showActive(w);
                         w.timesEdit->selectAll();
                         QTest::keyClicks(w.timesEdit, QStringLiteral("0"));
                         QTest::keyClick(w.timesEdit, Qt::Key_Return);
                         EXPECT_EQ(till.seam.texts(), QStringList{QStringLiteral("输入错误，请返回")});
                         EXPECT_EQ(QApplication::focusWidget(), w.timesEdit);
                         EXPECT_EQ(w.timesEdit->selectedText(), QStringLiteral("0"));
                         // Going to "取消" is no reason to complain.
                         till.seam.clear();
                         w.cancelBtn->setFocus(Qt::MouseFocusReason);
                         EXPECT_TRUE(till.seam.messages.isEmpty());
                         w.cancelBtn->click();
                     });
    EXPECT_TRUE(form->basket().isEmpty());
}

// ---- keys ----

TEST_F(EntryWindows, KeysToolsAndMenusOpenTheirWindows) {
    start();
    fill({{"9.00", "", "100", "1", "9.00"}});
    auto action = [](QWidget* owner, const QString& text) {
        for (QAction* a : owner->actions())
            if (a->text() == text)
                return a;
        return static_cast<QAction*>(nullptr);
    };
    const struct {
        std::function<void()> trigger;
        const char* title;
    } cases[] = {
        {[this] { key(Qt::Key_F3); }, "商品查询"},
        {[&] { action(form->mainMenu, QStringLiteral("商品查询 F3"))->trigger(); }, "商品查询"},
        {[this] { key(Qt::Key_F7); }, "商品数量"},
        {[this] { key(Qt::Key_F6); }, "折扣[整单]"},
        {[this] { key(Qt::Key_Slash, Qt::KeypadModifier); }, "折扣[单品]"},
        {[this] { key(Qt::Key_F5); }, "销售人员"},
    };
    for (const auto& c : cases) {
        till.seam.clear();
        c.trigger();
        EXPECT_EQ(till.seam.modalTitles, QStringList{QString::fromUtf8(c.title)});
    }
}

} // namespace
