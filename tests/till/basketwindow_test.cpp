// The barcode field, the basket and the goods picker on the real till window.
#include "salewindow.h"
#include "support/timezoneguard.h"
#include "till/inputpriceform.h"
#include "till/pickergrid.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <functional>
#include <optional>

using namespace shop;
using namespace shop::till;
using test::addGoods;

namespace {

using BasketWindow = test::SaleWindow;

TEST_F(BasketWindow, SameBarcodeTwiceIsOneLineOfTwoAndEveryTotalIsShown) {
    addGoods(db(), {.barcode = QStringLiteral("6901"), .name = QStringLiteral("矿泉水"), .price = 10, .stock = 10});
    start();
    EXPECT_FALSE(form().printBtn->isEnabled());
    scan(QStringLiteral("6901"));
    form().receivemoneyEdit->setText(QStringLiteral("50"));
    form().changeMoneyEdit->setText(QStringLiteral("stale"));
    scan(QStringLiteral("6901"));

    ASSERT_EQ(form().basket().size(), 1);
    EXPECT_EQ(cell(0, Sub::Quantity), QStringLiteral("2"));
    EXPECT_EQ(cell(0, Sub::Amount), QStringLiteral("20.00"));
    EXPECT_EQ(form().selectedRow(), 0);
    EXPECT_TRUE(form().printBtn->isEnabled());
    EXPECT_EQ(form().goodscountLbl->text(), QStringLiteral("2"));
    EXPECT_EQ(form().totalMoneyLbl->text(), QStringLiteral("共:￥20.00"));
    EXPECT_EQ(form().totalMoneyEdit->text(), QStringLiteral("20.00"));
    EXPECT_EQ(form().realmoneyEdit->text(), QStringLiteral("20.00"));
    EXPECT_EQ(form().changeMoneyEdit->text(), QStringLiteral("30.00")); // worked out again, not left stale
    EXPECT_EQ(form().status1->text(), QStringLiteral("商品6901库存:10"));
    EXPECT_EQ(form().SaleStage, 1);
    EXPECT_TRUE(form().barcodeinputEdit->text().isEmpty());
    EXPECT_EQ(focused(), form().barcodeinputEdit);
    EXPECT_EQ(form().basket().headerData(2, Qt::Horizontal, Qt::DisplayRole), QStringLiteral("*单价￥"));
    EXPECT_TRUE(till.seam.texts().isEmpty());
}

struct PriceCase {
    const char* what;
    test::NewGoods goods;
    std::optional<double> tejia;
    bool member; // the card of a member with discount 90 is entered first
    const char* ini;
    const char* settingSql;
    const char* discount;
    const char* memberPrice;
    const char* amount;
    const char* payable;
};

void PrintTo(const PriceCase& c, std::ostream* os) {
    *os << c.what;
}

class BasketPricing : public test::SaleWindow, public ::testing::WithParamInterface<PriceCase> {};

TEST_P(BasketPricing, ScannedLineIsPricedAndTheWindowShowsIt) {
    const PriceCase& c = GetParam();
    test::NewGoods goods = c.goods;
    goods.barcode = QStringLiteral("6901");
    const qint64 id = addGoods(db(), goods);
    if (c.tejia)
        test::addSpecialPrice(db(), id, *c.tejia);
    test::addMember(db(), {.card = QStringLiteral("M90"), .name = QStringLiteral("张丽华"), .discount = 90});
    start(c.ini, c.settingSql);
    if (c.member)
        enterCard(QStringLiteral("M90"));
    scan(QStringLiteral("6901"));

    ASSERT_EQ(form().basket().size(), 1);
    EXPECT_EQ(cell(0, Sub::Discount), QString::fromUtf8(c.discount));
    EXPECT_EQ(cell(0, Sub::MemberPrice), QString::fromUtf8(c.memberPrice));
    EXPECT_EQ(cell(0, Sub::Amount), QString::fromUtf8(c.amount));
    EXPECT_EQ(form().realmoneyEdit->text(), QString::fromUtf8(c.payable));
    EXPECT_EQ(form().basket().line(0).mark, c.tejia ? LineMark::Special : LineMark::Plain);
}

const auto price = [](double p, double p2 = 0, int ifdis = 0) {
    return test::NewGoods{.price = p, .price2 = p2, .ifdis = ifdis};
};

INSTANTIATE_TEST_SUITE_P(
    Table, BasketPricing,
    ::testing::Values(
        PriceCase{"member 90 on 10.00", price(10), std::nullopt, true, "", nullptr, "90", "", "9.00", "9.00"},
        PriceCase{"non-member on 10.00", price(10), std::nullopt, false, "", nullptr, "100", "", "10.00", "10.00"},
        PriceCase{"member price 8.00 with special 7.50", price(10, 8), 7.5, true, "", nullptr, "90", "7.50", "7.50",
                  "7.50"},
        PriceCase{"non-member with special 7.50 pays the unit price", price(10, 8), 7.5, false, "", nullptr, "100",
                  "7.50", "10.00", "10.00"},
        PriceCase{"no-discount item under the shop-wide discount", price(10, 0, -1), std::nullopt, false, "",
                  "update setting set alldiscount=-1,allzhekou=9", "90", "", "10.00", "10.00"},
        PriceCase{"spend-and-save on 250.00", price(250), std::nullopt, false, "",
                  "update setting set manjian=-1,man=100,jian=10", "100", "", "250.00", "230.00"},
        PriceCase{"spend-and-save leaves 99.00", price(99), std::nullopt, false, "",
                  "update setting set manjian=-1,man=100,jian=10", "100", "", "99.00", "99.00"},
        PriceCase{"to the nearest 0.1: 12.34", price(12.34), std::nullopt, false, "opt1=1\n", nullptr, "100", "",
                  "12.30", "12.30"},
        PriceCase{"to the nearest 0.1: 12.35", price(12.35), std::nullopt, false, "opt1=1\n", nullptr, "100", "",
                  "12.40", "12.40"},
        PriceCase{"fraction dropped: 12.99", price(12.99), std::nullopt, false, "opt2=1\n", nullptr, "100", "", "12.00",
                  "12.00"},
        PriceCase{"to the nearest yuan: 12.45", price(12.45), std::nullopt, false, "opt3=1\n", nullptr, "100", "",
                  "12.00", "12.00"},
        PriceCase{"to the nearest yuan: 12.46", price(12.46), std::nullopt, false, "opt3=1\n", nullptr, "100", "",
                  "13.00", "13.00"}));

TEST_F(BasketWindow, TimeWindowPriceFollowsTheClockInChina) {
    test::TimeZoneGuard elsewhere("America/New_York");
    const qint64 id = addGoods(db(), {.barcode = QStringLiteral("S1"), .price = 10, .price2 = 9});
    test::addTimePrice(db(), id, 6, 5, QStringLiteral("08:00:00"), QStringLiteral("10:00:00"));
    start();
    // 09:30 in China is 21:30 the evening before on this machine's clock.
    Clock::setFixed(QDateTime(QDate(2024, 3, 5), QTime(1, 30), QTimeZone::utc()));
    scan(QStringLiteral("S1"));
    ASSERT_EQ(form().basket().size(), 1);
    EXPECT_EQ(cell(0, Sub::UnitPrice), QStringLiteral("6.00"));
    EXPECT_EQ(cell(0, Sub::MemberPrice), QStringLiteral("5.00"));
    EXPECT_EQ(form().realmoneyEdit->text(), QStringLiteral("6.00"));
}

TEST_F(BasketWindow, UnknownCodeIsSaidAndThePartialSearchOffersItsMatches) {
    addGoods(
        db(),
        {.barcode = QStringLiteral("6901234"), .goodsNo = QStringLiteral("YL001"), .name = QStringLiteral("冰红茶")});
    addGoods(
        db(),
        {.barcode = QStringLiteral("6905678"), .goodsNo = QStringLiteral("LS002"), .name = QStringLiteral("薯片")});
    start();
    scan(QStringLiteral("YL00"));
    EXPECT_EQ(till.seam.texts(), QStringList{QStringLiteral("未找到此编号的商品")});
    EXPECT_TRUE(form().barcodeinputEdit->text().isEmpty());
    EXPECT_TRUE(form().basket().isEmpty());
    EXPECT_FALSE(form().listGrid->isVisible());
}

TEST_F(BasketWindow, PartialSearchOffersThePickerAndEnterTakesARow) {
    addGoods(db(), {.barcode = QStringLiteral("6901234"),
                    .goodsNo = QStringLiteral("YL001"),
                    .name = QStringLiteral("冰红茶"),
                    .price = 3.5});
    addGoods(db(), {.barcode = QStringLiteral("6905678"),
                    .goodsNo = QStringLiteral("YL002"),
                    .name = QStringLiteral("绿茶"),
                    .price = 1234.5});
    addGoods(
        db(),
        {.barcode = QStringLiteral("6909999"), .goodsNo = QStringLiteral("LS001"), .name = QStringLiteral("薯片")});
    start("mohu=1\n");
    scan(QStringLiteral("YL00"));
    EXPECT_TRUE(till.seam.texts().isEmpty());
    EXPECT_TRUE(form().barcodeinputEdit->text().isEmpty());
    PickerGrid& grid = *form().listGrid;
    ASSERT_TRUE(grid.isVisible());
    EXPECT_EQ(focused(), &grid);
    EXPECT_TRUE(grid.horizontalHeader()->isHidden());
    const QAbstractItemModel& rows = *grid.model();
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.index(1, 0).data(), QStringLiteral("6905678"));
    EXPECT_EQ(rows.index(1, 1).data(), QStringLiteral("绿茶"));
    EXPECT_EQ(rows.index(1, 2).data(), QStringLiteral("￥1234.50"));
    // At least as wide as designed, and wide enough for what they show.
    const int designed[] = {90, 160, 80};
    for (int column = 0; column < 3; ++column) {
        EXPECT_GE(grid.columnWidth(column), designed[column]);
        for (int row = 0; row < 2; ++row)
            EXPECT_GT(grid.columnWidth(column),
                      grid.fontMetrics().horizontalAdvance(rows.index(row, column).data().toString()));
    }

    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Return);
    ASSERT_EQ(form().basket().size(), 1);
    EXPECT_EQ(form().basket().line(0).caption, QStringLiteral("6905678"));
    EXPECT_EQ(form().realmoneyEdit->text(), QStringLiteral("1234.50"));
    EXPECT_FALSE(grid.isVisible()); // the recount took the focus back to the barcode field
    EXPECT_EQ(grid.model()->rowCount(), 0);
    EXPECT_EQ(focused(), form().barcodeinputEdit);

    // Nothing found by the partial search either is said, too.
    scan(QStringLiteral("ZZ9"));
    EXPECT_EQ(till.seam.texts(), QStringList{QStringLiteral("未找到此编号的商品")});
}

TEST_F(BasketWindow, SeveralItemsWithOneCodeAreOfferedAndLeavingThePickerPutsItAway) {
    addGoods(db(), {.barcode = QStringLiteral("6900"), .name = QStringLiteral("核桃")});
    addGoods(db(), {.barcode = QStringLiteral("6901"), .name = QStringLiteral("红枣（大）")});
    addGoods(db(), {.barcode = QStringLiteral("6901"), .name = QStringLiteral("红枣（小）")});
    start();
    scan(QStringLiteral("6900"));
    scan(QStringLiteral("6901"));
    PickerGrid& grid = *form().listGrid;
    ASSERT_TRUE(grid.isVisible());
    EXPECT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(form().basket().size(), 1);
    // The picker's keys are its own, though a basket line is selected: Down and Up move in the
    // grid, Delete and Page Down do nothing to the sale.
    ASSERT_EQ(form().selectedRow(), 0);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.currentIndex().row(), 1);
    QTest::keyClick(&grid, Qt::Key_Delete);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    EXPECT_EQ(form().basket().size(), 1);
    EXPECT_TRUE(grid.isVisible());
    QTest::keyClick(&grid, Qt::Key_Escape);
    EXPECT_FALSE(form().listGrid->isVisible());
    EXPECT_EQ(focused(), form().barcodeinputEdit);

    scan(QStringLiteral("6901"));
    form().cardNoEdit->setFocus(); // leaving the grid
    EXPECT_FALSE(grid.isVisible());
    EXPECT_EQ(grid.model()->rowCount(), 0);
    // Double click takes a row, as Enter does.
    scan(QStringLiteral("6901"));
    const QModelIndex second = grid.model()->index(1, 1);
    const QPoint at = grid.visualRect(second).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at); // the first click of a double click
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(form().basket().size(), 2);
    EXPECT_EQ(cell(1, Sub::Name), QStringLiteral("红枣（小）"));
}

TEST_F(BasketWindow, CodesWithQuotePercentAndUnderscoreAreSearchedLiterally) {
    for (const char* code : {"A'1", "50%", "a_b", "500", "axb"})
        addGoods(db(), {.barcode = QString::fromUtf8(code), .name = QString::fromUtf8(code)});
    start("mohu=1\n");
    scan(QStringLiteral("A'1"));
    ASSERT_EQ(form().basket().size(), 1);
    EXPECT_EQ(form().basket().line(0).caption, QStringLiteral("A'1"));
    for (const char* typed : {"%", "_"}) {
        scan(QString::fromUtf8(typed));
        ASSERT_TRUE(form().listGrid->isVisible()) << typed;
        ASSERT_EQ(form().listGrid->model()->rowCount(), 1) << typed;
        EXPECT_EQ(form().listGrid->model()->index(0, 0).data(),
                  typed == QByteArray("%") ? QStringLiteral("50%") : QStringLiteral("a_b"));
        QTest::keyClick(form().listGrid, Qt::Key_Escape);
    }
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from goods")).toInt(), 5);
}

TEST_F(BasketWindow, StockWarningGoesToTheStatusBarAndAMessageAndTheItemIsSold) {
    addGoods(db(), {.barcode = QStringLiteral("G1"), .stock = -2.5});
    start("", "update setting set zeromsg=-1");
    scan(QStringLiteral("G1"));
    EXPECT_EQ(form().status1->text(), QStringLiteral("G1负库存！"));
    EXPECT_EQ(till.seam.texts(), QStringList{QStringLiteral("提示：此商品库存为-2.5,请及时补充库存")});
    EXPECT_EQ(form().basket().size(), 1);
}

// Answers the price window by typing into its fields with the keyboard, as the cashier does.
std::function<int(QDialog&)> typePrice(const char* price, const char* quantity, QPoint* placed = nullptr) {
    return [=](QDialog& dialog) {
        auto& window = dynamic_cast<TinputPriceForm&>(dialog);
        if (placed)
            *placed = window.pos();
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        EXPECT_EQ(QApplication::focusWidget(), window.priceEdit);
        EXPECT_EQ(window.amountEdit->text(), QStringLiteral("1"));
        QTest::keyClicks(window.priceEdit, QString::fromUtf8(price));
        QTest::keyClick(window.priceEdit, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), window.amountEdit);
        window.amountEdit->selectAll();
        QTest::keyClicks(window.amountEdit, QString::fromUtf8(quantity));
        QTest::keyClick(window.amountEdit, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), window.okBtn);
        QTest::keyClick(window.okBtn, Qt::Key_Return);
        return window.result();
    };
}

TEST_F(BasketWindow, ItemWithoutPriceAsksForPriceAndQuantity) {
    addGoods(db(), {.barcode = QStringLiteral("6901"), .price = 10});
    addGoods(db(), {.barcode = QStringLiteral("W1"), .name = QStringLiteral("散称糖果"), .price = 0});
    start();
    scan(QStringLiteral("6901"));

    // Closed without "确定": nothing is added and the basket stays as it was.
    scan(QStringLiteral("W1"));
    EXPECT_EQ(till.seam.modalTitles, QStringList{QStringLiteral("输入价格/数量")});
    EXPECT_EQ(form().basket().size(), 1);
    EXPECT_EQ(form().realmoneyEdit->text(), QStringLiteral("10.00"));
    EXPECT_TRUE(form().barcodeinputEdit->text().isEmpty());

    // Letters and a second decimal point are not taken; the window sits below and right of the
    // main window's corner.
    QPoint placed;
    till.seam.modals.push_back(typePrice("1x2.5.0", "3a", &placed));
    scan(QStringLiteral("W1"));
    EXPECT_EQ(placed, form().pos() + QPoint(150, 90));
    ASSERT_EQ(form().basket().size(), 2);
    EXPECT_EQ(cell(1, Sub::UnitPrice), QStringLiteral("12.50"));
    EXPECT_EQ(cell(1, Sub::Quantity), QStringLiteral("3"));
    EXPECT_EQ(cell(1, Sub::Amount), QStringLiteral("37.50"));
    EXPECT_EQ(form().realmoneyEdit->text(), QStringLiteral("47.50"));
    EXPECT_EQ(form().goodscountLbl->text(), QStringLiteral("4"));
}

TEST(PriceWindow, KeepsItsPriceAsShownAndWantsOne) {
    TinputPriceForm window;
    EXPECT_EQ(TinputPriceForm::priceDisplayText(QStringLiteral("12.5")), QStringLiteral("12.50"));
    EXPECT_EQ(TinputPriceForm::priceDisplayText(QStringLiteral("0.00")), QStringLiteral("0"));
    EXPECT_EQ(TinputPriceForm::priceDisplayText(QString()), QString());
    // "确定" without a price leaves the window open: an item is never sold for a price nobody typed.
    window.okBtnClick();
    EXPECT_EQ(window.result(), QDialog::Rejected);
    window.priceEdit->setText(QStringLiteral("0"));
    window.okBtnClick();
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(BasketWindow, DeleteRemovesTheSelectedLineAndTheLastOneDisablesSettling) {
    addGoods(db(), {.barcode = QStringLiteral("6901"), .price = 10});
    addGoods(db(), {.barcode = QStringLiteral("6902"), .price = 4});
    start();
    scan(QStringLiteral("6901"));
    scan(QStringLiteral("6902"));
    form().selectRow(0);
    QTest::keyClick(form().barcodeinputEdit, Qt::Key_Delete);
    ASSERT_EQ(form().basket().size(), 1);
    EXPECT_EQ(form().basket().line(0).caption, QStringLiteral("6902"));
    EXPECT_EQ(form().realmoneyEdit->text(), QStringLiteral("4.00"));
    EXPECT_TRUE(form().printBtn->isEnabled());
    EXPECT_EQ(form().selectedRow(), -1); // nothing selected: a second Delete deletes nothing
    QTest::keyClick(form().ListView, Qt::Key_Delete);
    EXPECT_EQ(form().basket().size(), 1);

    form().selectRow(0);
    QTest::keyClick(form().ListView, Qt::Key_Delete);
    EXPECT_TRUE(form().basket().isEmpty());
    EXPECT_FALSE(form().printBtn->isEnabled());
    EXPECT_EQ(form().realmoneyEdit->text(), QStringLiteral("0.00"));
    EXPECT_EQ(form().goodscountLbl->text(), QStringLiteral("0"));
    EXPECT_EQ(form().totalMoneyLbl->text(), QStringLiteral("共:￥0.00"));
}

TEST_F(BasketWindow, EnterOnAnEmptyFieldMovesOnToPaying) {
    addGoods(db(), {.barcode = QStringLiteral("6901")});
    db().exec(QStringLiteral("insert into sales(sales_No,sales_name,amount,remark) values('01','李娜',0,'')"));
    const struct {
        const char* ini;
        bool salesStaff;
        bool lines;
        int stage;
        const char* focus;
    } cases[] = {
        {"", true, false, 1, "barcodeinputEdit"}, // nothing to pay for yet
        {"", true, true, 2, "salesEdit"},
        {"onlyhotkey=1\n", true, true, 2, "receivemoneyEdit"},
        {"", false, true, 2, "receivemoneyEdit"},
    };
    for (const auto& c : cases) {
        till.form.reset();
        if (!c.salesStaff)
            db().exec(QStringLiteral("delete from sales"));
        start(c.ini);
        if (c.lines)
            scan(QStringLiteral("6901"));
        form().barcodeinputEdit->setFocus();
        QTest::keyClick(form().barcodeinputEdit, Qt::Key_Space); // a blank before any code is dropped
        EXPECT_TRUE(form().barcodeinputEdit->text().isEmpty());
        QTest::keyClick(form().barcodeinputEdit, Qt::Key_Return);
        EXPECT_EQ(form().SaleStage, c.stage) << c.ini;
        ASSERT_NE(focused(), nullptr);
        EXPECT_EQ(focused()->objectName(), QString::fromUtf8(c.focus)) << c.ini;
    }
}

TEST_F(BasketWindow, LeavingTheBarcodeFieldWithLinesMovesOnAndEnterInTheListGoesToTheCash) {
    addGoods(db(), {.barcode = QStringLiteral("6901")});
    start();
    form().barcodeinputEdit->setFocus();
    form().cardNoEdit->setFocus();
    EXPECT_EQ(form().SaleStage, 1); // an empty basket stays at entering items
    scan(QStringLiteral("6901"));
    form().ListView->setFocus();
    EXPECT_EQ(form().SaleStage, 2);
    QTest::keyClick(form().ListView, Qt::Key_Return);
    EXPECT_EQ(focused(), form().receivemoneyEdit);
    // A scan while paying is still a scan.
    scan(QStringLiteral("6901"));
    EXPECT_EQ(form().SaleStage, 1);
    EXPECT_EQ(cell(0, Sub::Quantity), QStringLiteral("2"));
}

TEST_F(BasketWindow, MoneyoptSpreadsThePayableOverTheLines) {
    addGoods(db(), {.barcode = QStringLiteral("6901"), .price = 10});
    addGoods(db(), {.barcode = QStringLiteral("6902"), .price = 30});
    start();
    scan(QStringLiteral("6901"));
    scan(QStringLiteral("6902"));
    form().realmoneyEdit->setText(QStringLiteral("36.00"));
    form().moneyopt();
    EXPECT_EQ(cell(0, Sub::Amount), QStringLiteral("10.00"));
    EXPECT_EQ(cell(1, Sub::Amount), QStringLiteral("26.00"));
}

TEST_F(BasketWindow, AnEngineErrorIsShownAndLeavesTheSaleAndTheFileAsTheyWere) {
    addGoods(db(), {.barcode = QStringLiteral("6901"), .price = 10});
    addGoods(db(), {.barcode = QStringLiteral("6902"), .price = 4});
    start();
    scan(QStringLiteral("6901"));
    db().exec(QStringLiteral("drop table tejia"));
    scan(QStringLiteral("6902"));
    ASSERT_EQ(till.seam.messages.size(), 1);
    EXPECT_EQ(till.seam.messages.front().kind, ui::MessageKind::Error);
    EXPECT_TRUE(till.seam.messages.front().text.contains(QStringLiteral("tejia")));
    EXPECT_EQ(form().basket().size(), 1);
    EXPECT_EQ(form().realmoneyEdit->text(), QStringLiteral("10.00"));
    // The scan's read was ended: the other program can write again.
    EXPECT_FALSE(db().inTransaction());
}

} // namespace
