// The member card field, the member panel, the member picker and the sales-person field on the
// real till window.
#include "salewindow.h"
#include "till/pickergrid.h"

#include <QLabel>
#include <QTableView>

using namespace shop;
using namespace shop::till;
using test::addGoods;
using test::addMember;

namespace {

using MemberWindow = test::SaleWindow;

QStringList panel(const TmainForm& form) {
    return {form.mnameEdit->text(), form.addupEdit->text(), form.cardtypeEdit->text(),
            form.yuEEdit->text(),   form.mtypeEdit->text(), form.disRateEdit->text()};
}

TEST_F(MemberWindow, CardInAnyLetterCaseAttachesTheMemberAndPricesTheBasket) {
    addGoods(db(), {.barcode = QStringLiteral("6901"), .price = 10, .price2 = 8});
    addGoods(db(), {.barcode = QStringLiteral("6902"), .price = 5});
    addMember(db(), {.card = QStringLiteral("ABC123"),
                     .name = QStringLiteral("张丽华"),
                     .discount = 90,
                     .addup = 3260.5,
                     .exchange = 200,
                     .balance = 560,
                     .mtype = QStringLiteral("金卡")});
    start();
    scan(QStringLiteral("6901"));
    scan(QStringLiteral("6902"));
    EXPECT_EQ(form().realmoneyEdit->text(), QStringLiteral("15.00"));

    form().cardNoEdit->setFocus();
    EXPECT_EQ(form().status1->text(), QStringLiteral("按回车键确认输入"));
    enterCard(QStringLiteral("abc123"));
    EXPECT_TRUE(form().ismember);
    EXPECT_EQ(form().card_id, QStringLiteral("ABC123"));
    EXPECT_EQ(form().cardNoEdit->text(), QStringLiteral("ABC123"));
    EXPECT_EQ(panel(form()), (QStringList{QStringLiteral("张丽华"), QStringLiteral("3060.5"), QStringLiteral("积分卡"),
                                          QStringLiteral("560.00"), QStringLiteral("金卡"), QStringLiteral("90")}));
    EXPECT_EQ(form().jifen, 3060);
    EXPECT_DOUBLE_EQ(form().kayuE, 560);
    EXPECT_TRUE(form().kafuEdit->isEnabled());
    // The line with a member price takes it now; the other keeps the price it was rung up at.
    EXPECT_EQ(cell(0, Sub::Amount), QStringLiteral("8.00"));
    EXPECT_EQ(cell(1, Sub::Amount), QStringLiteral("5.00"));
    EXPECT_EQ(form().realmoneyEdit->text(), QStringLiteral("13.00"));
    EXPECT_EQ(form().basket().headerData(2, Qt::Horizontal, Qt::DisplayRole), QStringLiteral("单价￥"));
    EXPECT_EQ(form().basket().headerData(3, Qt::Horizontal, Qt::DisplayRole), QStringLiteral("*特价￥"));
    EXPECT_EQ(focused(), form().barcodeinputEdit);
    EXPECT_TRUE(till.seam.texts().isEmpty());

    // Emptying the card field lets the member go.
    form().kafuEdit->setText(QStringLiteral("20"));
    form().cardNoEdit->setFocus();
    form().cardNoEdit->clear();
    EXPECT_FALSE(form().ismember);
    EXPECT_EQ(panel(form()), QStringList(6, QString()));
    EXPECT_DOUBLE_EQ(form().kayuE, 0);
    EXPECT_FALSE(form().kafuEdit->isEnabled());
    EXPECT_TRUE(form().kafuEdit->text().isEmpty());
    EXPECT_EQ(form().basket().headerData(2, Qt::Horizontal, Qt::DisplayRole), QStringLiteral("*单价￥"));
    form().barcodeinputEdit->setFocus();
    EXPECT_EQ(form().status1->text(), QStringLiteral("无会员卡收银"));
}

TEST_F(MemberWindow, RefusedCardsAreSaidAndTheTextStaysSelected) {
    addMember(db(), {.card = QStringLiteral("OFF1"), .status = 0});
    addMember(db(), {.card = QStringLiteral("END1"), .enddate = QStringLiteral("2025-06-30 00:00:00")});
    const struct {
        QDate today;
        const char* card;
        const char* message; // empty: attached
    } cases[] = {
        {QDate(2025, 6, 30), "OFF1", "此会员卡目前状态为无效"},
        {QDate(2025, 6, 30), "END1", ""}, // good through the whole of its last day
        {QDate(2025, 7, 1), "END1", "此会员卡已超过有效期"},
    };
    for (const auto& c : cases) {
        till.form.reset();
        start();
        Clock::setFixed(QDateTime(c.today, QTime(23, 59)).toUTC());
        enterCard(QString::fromUtf8(c.card));
        const QString message = QString::fromUtf8(c.message);
        EXPECT_EQ(till.seam.texts(), message.isEmpty() ? QStringList() : QStringList{message}) << c.card;
        EXPECT_EQ(form().ismember, message.isEmpty()) << c.card;
        if (!message.isEmpty()) {
            EXPECT_EQ(focused(), form().cardNoEdit);
            EXPECT_EQ(form().cardNoEdit->selectedText(), QString::fromUtf8(c.card));
            EXPECT_TRUE(form().mnameEdit->text().isEmpty());
        }
    }
}

TEST_F(MemberWindow, NameSharedByTwoOffersThePickerAndChoosingAttaches) {
    addMember(db(),
              {.card = QStringLiteral("8003"), .name = QStringLiteral("张伟"), .tel = QStringLiteral("13900000001")});
    addMember(db(), {.card = QStringLiteral("8004"),
                     .name = QStringLiteral("张伟"),
                     .tel = QStringLiteral("13900000002"),
                     .discount = 85});
    start();
    enterCard(QStringLiteral("张伟"));
    PickerGrid& grid = *form().memberGrid;
    ASSERT_TRUE(grid.isVisible());
    EXPECT_EQ(focused(), &grid);
    EXPECT_FALSE(form().ismember);
    ASSERT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal, Qt::DisplayRole), QStringLiteral("姓名"));
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal, Qt::DisplayRole), QStringLiteral("电话"));
    EXPECT_GE(grid.columnWidth(0), 95);
    EXPECT_GE(grid.columnWidth(1), 130);
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_TRUE(form().ismember);
    EXPECT_EQ(form().card_id, QStringLiteral("8004"));
    EXPECT_EQ(form().disRateEdit->text(), QStringLiteral("85"));
    EXPECT_FALSE(grid.isVisible());

    // Part of a telephone number offers its owner; nothing found empties the field.
    enterCard(QStringLiteral("0000001"));
    ASSERT_TRUE(grid.isVisible());
    EXPECT_EQ(grid.model()->index(0, 1).data(), QStringLiteral("13900000001"));
    QTest::keyClick(&grid, Qt::Key_Escape);
    enterCard(QStringLiteral("李"));
    EXPECT_TRUE(form().cardNoEdit->text().isEmpty());
    EXPECT_FALSE(form().ismember);
}

TEST_F(MemberWindow, CardsWithQuotePercentAndUnderscoreAreSearchedLiterally) {
    for (const char* card : {"O'Brien", "50%", "a_b", "500", "axb"})
        addMember(db(), {.card = QString::fromUtf8(card), .name = QString::fromUtf8(card) + QStringLiteral("名")});
    start();
    enterCard(QStringLiteral("O'Brien"));
    EXPECT_EQ(form().card_id, QStringLiteral("O'Brien"));
    for (const char* typed : {"%", "_"}) {
        enterCard(QString::fromUtf8(typed));
        ASSERT_TRUE(form().memberGrid->isVisible()) << typed;
        EXPECT_EQ(form().memberGrid->model()->rowCount(), 1) << typed;
        QTest::keyClick(form().memberGrid, Qt::Key_Escape);
    }
}

TEST_F(MemberWindow, PointsTiersDecideTheDiscountInTableOrder) {
    const struct {
        std::vector<std::pair<int, QVariant>> tiers;
        double points;
        const char* discount;
    } cases[] = {
        {{{1000, 90}, {2000, 80}}, 1500, "90"},
        {{{1000, 90}, {2000, 80}}, 2500, "80"},
        {{{2000, 80}, {1000, 90}}, 2500, "90"}, // the last qualifying tier in table order wins
        {{{1000, 90}, {2000, 80}}, 500, "100"},
    };
    addGoods(db(), {.barcode = QStringLiteral("6901"), .price = 10});
    for (const auto& c : cases) {
        till.form.reset();
        db().exec(QStringLiteral("delete from member"));
        addMember(db(), {.card = QStringLiteral("P1"), .discount = 95, .addup = c.points});
        test::setPointsTiers(db(), c.tiers);
        start("", "update setting set discount_policy=-1");
        enterCard(QStringLiteral("P1"));
        EXPECT_EQ(form().disRateEdit->text(), QString::fromUtf8(c.discount)) << c.points;
        scan(QStringLiteral("6901"));
        EXPECT_EQ(cell(0, Sub::Discount), QString::fromUtf8(c.discount)) << c.points;
    }
}

TEST_F(MemberWindow, BirthdayByTheEverydayOrTheLunarCalendar) {
    addMember(db(), {.card = QStringLiteral("L1"), .birthday = QStringLiteral("8月15日"), .lunar = -1});
    addMember(db(), {.card = QStringLiteral("S1"), .birthday = QStringLiteral("8月15日"), .lunar = 0});
    const struct {
        QDate today;
        const char* card;
        bool birthday;
    } cases[] = {
        {QDate(2024, 9, 17), "L1", true}, // the 15th of the 8th lunar month
        {QDate(2024, 8, 15), "L1", false},
        {QDate(2024, 8, 15), "S1", true},
        {QDate(2024, 9, 17), "S1", false},
    };
    start();
    for (const auto& c : cases) {
        Clock::setFixed(QDateTime(c.today, QTime(12, 0)).toUTC());
        enterCard(QString::fromUtf8(c.card));
        ASSERT_TRUE(form().ismember) << c.card;
        EXPECT_EQ(form().isbirthday, c.birthday) << c.card << " " << c.today.toString().toStdString();
        form().cardNoEdit->clear();
        EXPECT_FALSE(form().isbirthday);
    }
}

TEST_F(MemberWindow, CountedCardIsShownAsOne) {
    addMember(db(), {.card = QStringLiteral("C0001"), .name = QStringLiteral("吴婷"), .cardtype = -1});
    start();
    enterCard(QStringLiteral("C0001"));
    EXPECT_TRUE(form().ismember);
    EXPECT_EQ(form().cardtypeEdit->text(), QStringLiteral("次数卡"));
    EXPECT_FALSE(form().kafuEdit->isEnabled()); // no balance on it
}

TEST_F(MemberWindow, SalesPersonByCodeThenName) {
    db().exec(QStringLiteral("insert into sales(sales_No,sales_name,amount,remark) values('01','李娜',0,'')"));
    db().exec(QStringLiteral("insert into sales(sales_No,sales_name,amount,remark) values('02','01',0,'')"));
    const qint64 lina = db().scalar(QStringLiteral("select sales_id from sales where sales_No='01'")).toLongLong();
    start();
    const struct {
        const char* typed;
        qint64 salesId;
        const char* name;
        const char* message;
    } cases[] = {
        {"01", lina, "李娜", ""}, // a code before someone's name
        {"李娜", lina, "李娜", ""},
        {"王'芳", -1, "", "无此销售人员，请重新输入"},
    };
    for (const auto& c : cases) {
        till.seam.clear();
        form().salesEdit->setFocus();
        form().salesEdit->setText(QString::fromUtf8(c.typed));
        QTest::keyClick(form().salesEdit, Qt::Key_Return);
        const QString name = QString::fromUtf8(c.name);
        EXPECT_EQ(form().sales_id, c.salesId) << c.typed;
        EXPECT_EQ(form().sales_name, name);
        EXPECT_EQ(form().status3->text(), QStringLiteral("销售:") + name);
        EXPECT_EQ(form().salesLbl->text(), name.isEmpty() ? QStringLiteral("N/A") : name);
        const QString message = QString::fromUtf8(c.message);
        EXPECT_EQ(till.seam.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        EXPECT_EQ(focused(), message.isEmpty() ? form().receivemoneyEdit : form().salesEdit);
        if (!message.isEmpty()) {
            EXPECT_TRUE(form().salesEdit->text().isEmpty());
        }
    }
    // Enter on the empty field goes on to the cash.
    form().salesEdit->setFocus();
    QTest::keyClick(form().salesEdit, Qt::Key_Return);
    EXPECT_EQ(focused(), form().receivemoneyEdit);
}

} // namespace
