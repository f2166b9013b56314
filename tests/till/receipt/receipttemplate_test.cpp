#include "till/receipt/receiptfile.h"
#include "till/receipt/receipttemplate.h"

#include "platform/textcodec.h"
#include "support/saledata.h"
#include "support/shopfixture.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::till;

namespace {

BasketLine item(const QString& name, double price, double quantity, double amount) {
    return test::saleLine({QStringLiteral("69"), name, price, quantity, amount});
}

ReceiptValues cashSale() {
    return test::cashSaleReceipt();
}

QString blanks(int n) {
    return QString(n, u' ');
}

} // namespace

TEST(ReceiptTemplate, BuiltInTemplateFilledForACashSale) {
    const QString dashes(32, u'-');
    const QStringList expected = {
        blanks(13) + QStringLiteral("小王子便利店"),
        dashes,
        QStringLiteral("收银员:张三    单号:50304180509"),
        QStringLiteral("日期:2015-03-04时间:18:05:09"),
        dashes,
        QStringLiteral("商品名称     数量   单价    金额"),
        QStringLiteral("毛巾") + blanks(26),
        blanks(2),
        blanks(13) + QStringLiteral("  2     12.50    25.00"),
        QStringLiteral("洗发水") + blanks(26),
        blanks(2),
        blanks(13) + QStringLiteral("  1     30.00       *赠"),
        dashes,
        QStringLiteral("应收:27.50      实收:25.00     "),
        QStringLiteral("卡付:0.00      "),
        QStringLiteral("现金:30.00     "),
        QStringLiteral("找零:5.00      "),
        QStringLiteral("销售:") + blanks(10),
        QStringLiteral("会员:") + blanks(8) + QStringLiteral("会员类型:") + blanks(8),
        QStringLiteral("本次积分:0    可兑积分:0      "),
        blanks(1),
        blanks(24) + QStringLiteral("欢迎惠顾"),
    };
    const QString text = ReceiptTemplate(ReceiptTemplate::builtIn()).render(cashSale(), {false, 3});
    // The empty extra text leaves the last template line empty; then three blank lines.
    EXPECT_EQ(text, expected.join(u'\n') + QStringLiteral("\n") + QStringLiteral("\n\n\n"));
}

TEST(ReceiptTemplate, MemberValuesAndEveryPlaceholder) {
    ReceiptValues v = cashSale();
    v.cardText = QStringLiteral("M100");
    v.memberType = QStringLiteral("金卡");
    v.points = 2.5;
    v.memberPoints = 100;
    v.balance = 100;
    v.card = 20;
    v.other = 5;
    v.cashGiven = 0;
    v.change = 0;
    v.salesName = QStringLiteral("小李");
    v.extraText = QStringLiteral("凭小票退换\n");
    const ReceiptTemplate t(QStringLiteral("[dl]|[sj]|[ysje]|[ssje]|[kzf]|[yl]|[xj]|[zl]|[xsy]|[hykh]|[lx]|[bcjf]|"
                                           "[kdjf]|[kye]|[附加文本]"));
    EXPECT_EQ(t.render(v, {false, 0}),
              QStringLiteral("50304180509|18:05:09|27.50     |25.00     |20.00     |5.00      |0.00      |"
                             "0.00      |小李        |M100    |金卡      |2    |102    |80.00|凭小票退换\n"));
}

TEST(ReceiptTemplate, CashierAndDateTakeTheBlanksAndBreaksAfterThem) {
    const ReceiptTemplate t(QStringLiteral("A[syy]  \n  B[rq] \nC[dl] [dl]"));
    EXPECT_EQ(t.render(cashSale(), {false, 0}), QStringLiteral("A张三    B2015-03-04C50304180509 50304180509"));
}

TEST(ReceiptTemplate, ItemBlockOnOneLinePadsTheNameToTheQuantity) {
    const QString block = QStringLiteral("[spmc] [spsl] [spdj] [spje]\n");
    const std::vector<BasketLine> lines = {
        item(QStringLiteral("可乐"), 3.5, 2, 7), item(QStringLiteral("赠品"), 5, 1, 0),
        item(QStringLiteral("特大号保温杯不锈钢"), 59, 1, 59), item(QStringLiteral("Tea"), 2, 10, 20)};
    EXPECT_EQ(ReceiptTemplate::RenderItemLines(block, lines), QStringLiteral("可乐       2    3.50    7.00\n"
                                                                             "赠品       1    5.00      *赠\n"
                                                                             "特大号保温杯不锈钢  1   59.00   59.00\n"
                                                                             "Tea     10    2.00   20.00"));
    // The same block inside a template, with wider spacing after the name.
    const ReceiptTemplate t(QStringLiteral("头\n[spmc]    [spsl]|[spje]\n尾"));
    ReceiptValues v = cashSale();
    v.lines = {item(QStringLiteral("可乐"), 3.5, 2, 7)};
    EXPECT_EQ(t.render(v, {false, 0}), QStringLiteral("头\n可乐") + blanks(10) + QStringLiteral("2|   7.00\n尾"));
}

TEST(ReceiptTemplate, NamesAndCashiersAreNeverReadAsPlaceholders) {
    ReceiptValues v = cashSale();
    v.cashier = QStringLiteral("[dl]");
    v.lines = {item(QStringLiteral("[spsl]\\1$0"), 1, 1, 1)};
    const ReceiptTemplate t(QStringLiteral("[syy]|[spmc] [spsl] [spje]|[小票标题]"));
    EXPECT_EQ(t.render(v, {false, 0}),
              QStringLiteral("[dl]  |[spsl]\\1$0  1    1.00|") + blanks(13) + QStringLiteral("小王子便利店"));
}

TEST(ReceiptTemplate, TitleIsCentredOrBig) {
    ReceiptValues v = cashSale();
    v.title = QStringLiteral("一二三四五六七八九十");
    const ReceiptTemplate t(QStringLiteral("  [小票标题]\n---"));
    EXPECT_EQ(t.render(v, {false, 0}), blanks(11) + v.title + QStringLiteral("\n---"));
    const QChar fs(0x1C);
    EXPECT_EQ(t.render(v, {true, 0}), QString(fs) + QStringLiteral("&\n") + fs + u'!' + QChar(12) + u'\n' + blanks(3) +
                                          v.title + u'\n' + fs + u'!' + QChar(0) + QStringLiteral("\n---"));
    v.title = QString(40, u'长');
    EXPECT_EQ(t.render(v, {false, 0}), v.title + QStringLiteral("\n---"));
}

TEST(ReceiptFile, DrawerLineFirstCutLineLastInGb18030) {
    test::TempShop shop;
    const QString path = receiptFilePath(shop.folder());
    ASSERT_TRUE(RenderReceipt(ReceiptTemplate(ReceiptTemplate::builtIn()), cashSale(), {false, 3}, path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith(QByteArray("\x1Bp\x00<\xFF\n", 6)));
    EXPECT_TRUE(bytes.contains(toGb18030(QStringLiteral("欢迎惠顾"))));
    EXPECT_FALSE(bytes.contains(QStringLiteral("欢迎惠顾").toUtf8()));
    // Three empty lines between the last text line and the cut.
    EXPECT_TRUE(bytes.endsWith(toGb18030(QStringLiteral("欢迎惠顾")) + QByteArray("\n\n\n\n\x1Bi\n")));
    EXPECT_EQ(QDir(shop.folder()).entryList({QStringLiteral("output.txt*")}, QDir::Files | QDir::Hidden).size(), 1);

    QStringList lines;
    ASSERT_TRUE(readReceiptLines(path, lines));
    EXPECT_EQ(lines.at(1), blanks(13) + QStringLiteral("小王子便利店"));
    EXPECT_EQ(lines.last(), QStringLiteral("\x1Bi"));
    EXPECT_EQ(lines.mid(lines.size() - 4, 3), QStringList({QString(), QString(), QString()}));
}

TEST(ReceiptFile, NoBlankLinesWithBianjuZero) {
    EXPECT_TRUE(
        receiptFileBytes(ReceiptTemplate(QStringLiteral("收银员:[syy]\n[附加文本]")).render(cashSale(), {false, 0}))
            .endsWith(toGb18030(QStringLiteral("收银员:张三    ")) + QByteArray("\n\x1Bi\n")));
}

TEST(ReceiptTemplate, NewShopGetsTheTemplateFileAndReadsIt) {
    test::TempShop shop;
    ASSERT_TRUE(QFile::exists(shop.path(ReceiptTemplate::fileName())));
    EXPECT_EQ(ReceiptTemplate::load(shop.folder()).text(), ReceiptTemplate::builtIn());

    // The shop's own template, as an older editor saved it (GB18030, CRLF).
    QFile own(shop.path(ReceiptTemplate::fileName()));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly | QIODevice::Truncate));
    own.write(toGb18030(QStringLiteral("[小票标题]\r\n收银员:[syy]\r\n")));
    own.close();
    EXPECT_EQ(ReceiptTemplate::load(shop.folder()).text(), QStringLiteral("[小票标题]\n收银员:[syy]"));

    QFile::remove(shop.path(ReceiptTemplate::fileName()));
    EXPECT_EQ(ReceiptTemplate::load(shop.folder()).text(), ReceiptTemplate::builtIn());
}

TEST(ReceiptTemplate, ExtraTextEachLineWithABreak) {
    test::TempShop shop;
    EXPECT_EQ(loadExtraText(shop.folder()), QString());
    QFile extra(shop.path(QStringLiteral("小票自定义.txt")));
    ASSERT_TRUE(extra.open(QIODevice::WriteOnly));
    extra.write(QStringLiteral("凭小票退换\r\n电话:123\r\n").toUtf8());
    extra.close();
    EXPECT_EQ(loadExtraText(shop.folder()), QStringLiteral("凭小票退换\n电话:123\n"));
}
