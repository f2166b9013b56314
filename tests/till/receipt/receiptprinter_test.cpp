#include "till/receipt/receiptfile.h"
#include "till/receipt/receiptpage.h"
#include "till/receipt/receiptprinter.h"

#include "support/saledata.h"
#include "support/shopfixture.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::till;
using Result = PrintOutcome::Result;

namespace {

const QString kLongLine = QStringLiteral("本店会员凭卡消费可享受积分，积分满一千分可兑换精美礼品一份，"
                                         "详情请咨询收银台工作人员，谢谢您的光临与支持，欢迎下次再来！");

ReceiptValues sale() {
    ReceiptValues v = test::cashSaleReceipt();
    v.extraText = kLongLine + u'\n';
    return v;
}

// The text of a PDF. The CJK fonts give some characters the code of the look-alike Kangxi
// radical (⼩ for 小); compatibility normalisation reads them back as the characters printed.
QString normalised(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC);
}

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(60000));
    return normalised(QString::fromUtf8(p.readAllStandardOutput()));
}

int pdfImageCount(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    EXPECT_TRUE(p.waitForFinished(60000));
    // Two heading lines, then one line per image.
    return int(QString::fromUtf8(p.readAllStandardOutput()).trimmed().split(u'\n').size()) - 2;
}

QString picture(const QString& path, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    EXPECT_TRUE(image.save(path));
    return path;
}

class ReceiptPrinting : public ::testing::Test {
protected:
    void SetUp() override {
        receipt = receiptFilePath(shop.folder());
        ASSERT_TRUE(RenderReceipt(ReceiptTemplate(ReceiptTemplate::builtIn()), sale(), {false, 3}, receipt));
    }
    TillSettings settings(const QString& printer) const {
        TillSettings s;
        s.printer = printer;
        return s;
    }
    test::TempShop shop;
    QString receipt;
};

} // namespace

TEST_F(ReceiptPrinting, PdfHoldsTheLinesTheChineseTextAndThePictures) {
    const QString pdf = shop.path(QStringLiteral("receipt.pdf"));
    const ReceiptPictures pictures{picture(shop.path(QStringLiteral("logo.png")), 120, 40),
                                   picture(shop.path(QStringLiteral("qr.BMP")), 60, 60)};
    const PrintOutcome r = printReceiptToPdf(receipt, pdf, pictures, 0);
    ASSERT_EQ(r.result, Result::Printed) << r.message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf + QStringLiteral(".part")));
    const QString text = pdfText(pdf);
    for (const QString& expected :
         {QStringLiteral("小王子便利店"), QStringLiteral("收银员:张三"), QStringLiteral("单号:50304180509"),
          QStringLiteral("毛巾"), QStringLiteral("12.50"), QStringLiteral("25.00"), QStringLiteral("找零:5.00"),
          QStringLiteral("欢迎惠顾"), QStringLiteral("--------------------------------")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
    // The control lines are not printed.
    EXPECT_FALSE(text.contains(QChar(0x1B)));
    EXPECT_EQ(pdfImageCount(pdf), 2);
}

TEST_F(ReceiptPrinting, LongLineWrapsInsteadOfBeingCut) {
    const QString pdf = shop.path(QStringLiteral("receipt.pdf"));
    ASSERT_EQ(printReceiptToPdf(receipt, pdf, {}, 0).result, Result::Printed);
    const QString text = pdfText(pdf);
    // Every character of the long line is on the page, spread over several lines.
    QString printed = text;
    printed.remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_TRUE(printed.contains(normalised(kLongLine))) << text.toStdString();
    int linesWithPart = 0;
    for (const QString& line : text.split(u'\n'))
        linesWithPart += line.contains(QStringLiteral("积分")) || line.contains(QStringLiteral("光临"));
    EXPECT_GE(linesWithPart, 2) << text.toStdString();

    // The layout keeps the wrapped line within the page and moves the next line below it.
    QPdfWriter writer(shop.path(QStringLiteral("measure.pdf")));
    writer.setResolution(1200);
    QStringList lines;
    ASSERT_TRUE(readReceiptLines(receipt, lines));
    const qreal width = 2600; // 55 mm at 1200 dpi
    const ReceiptPageLayout layout = layoutReceipt(lines, {}, writer, width, 0, 12);
    const auto wrapped = std::find_if(layout.pieces.begin(), layout.pieces.end(),
                                      [](const ReceiptPiece& p) { return p.text == kLongLine; });
    ASSERT_NE(wrapped, layout.pieces.end());
    EXPECT_EQ(wrapped->kind, ReceiptPiece::Kind::WrappedText);
    EXPECT_LE(wrapped->rect.width(), width);
    const qreal oneLine = QFontMetricsF(receiptTextFont(9), &writer).height();
    EXPECT_GE(wrapped->rect.height(), 2 * oneLine);
    ASSERT_NE(wrapped + 1, layout.pieces.end());
    EXPECT_GE((wrapped + 1)->rect.top(), wrapped->rect.bottom() - 1);
}

TEST_F(ReceiptPrinting, LayoutFollowsTheReceiptLines) {
    QPdfWriter writer(shop.path(QStringLiteral("measure.pdf")));
    writer.setResolution(1200);
    QStringList lines;
    ASSERT_TRUE(RenderReceipt(ReceiptTemplate(ReceiptTemplate::builtIn()), sale(), {true, 3}, receipt));
    ASSERT_TRUE(readReceiptLines(receipt, lines));
    const ReceiptPageLayout layout = layoutReceipt(lines, {}, writer, 2600, 0, 12);
    ASSERT_FALSE(layout.pieces.empty());
    // The big title block gives the title, centred in the title font.
    EXPECT_EQ(layout.pieces.front().text, QStringLiteral("小王子便利店"));
    EXPECT_EQ(layout.pieces.front().font.pointSizeF(), 13);
    EXPECT_EQ(layout.pieces.front().alignment, Qt::AlignHCenter);
    int dashes = 0;
    qreal lastTop = -1;
    for (const ReceiptPiece& p : layout.pieces) {
        EXPECT_FALSE(p.text.contains(QChar(0x1B)) || p.text.contains(QChar(0x1C))) << p.text.toStdString();
        if (p.text.startsWith(QStringLiteral("----------"))) {
            ++dashes;
            EXPECT_EQ(p.font.pointSizeF(), 8);
        } else if (&p != &layout.pieces.front()) {
            EXPECT_EQ(p.font.pointSizeF(), 9);
        }
        EXPECT_GT(p.rect.top(), lastTop);
        lastTop = p.rect.top();
    }
    EXPECT_EQ(dashes, 3);

    // On a short page the receipt goes on over more pages.
    const ReceiptPageLayout paged = layoutReceipt(lines, {}, writer, 2600, 2000, 12);
    EXPECT_GT(paged.pages, 1);
    for (const ReceiptPiece& p : paged.pieces)
        EXPECT_LE(p.rect.bottom(), 2000 + 1);
}

TEST_F(ReceiptPrinting, PicturesScaleToTheScreenSizeOrSixTenthsOfThePage) {
    QPdfWriter writer(shop.path(QStringLiteral("measure.pdf")));
    writer.setResolution(1200);
    QStringList lines;
    ASSERT_TRUE(readReceiptLines(receipt, lines));
    const ReceiptPictures small{picture(shop.path(QStringLiteral("logo.png")), 100, 50), QString()};
    const ReceiptPageLayout a = layoutReceipt(lines, small, writer, 2600, 0, 12);
    ASSERT_EQ(a.pieces.front().kind, ReceiptPiece::Kind::Picture);
    EXPECT_EQ(a.pieces.front().rect.width(), 1200);
    EXPECT_EQ(a.pieces.front().rect.height(), 600);
    EXPECT_EQ(a.pieces.front().rect.left(), 700);

    const ReceiptPictures wide{picture(shop.path(QStringLiteral("wide.jpeg")), 400, 100), QString()};
    const ReceiptPageLayout b = layoutReceipt(lines, wide, writer, 2600, 0, 12);
    EXPECT_EQ(b.pieces.front().rect.width(), 1560);
    EXPECT_EQ(b.pieces.front().rect.height(), 390);

    EXPECT_TRUE(loadReceiptPicture(shop.path(QStringLiteral("missing.png"))).isNull());
    // A picture file of another kind is left out, whatever its contents.
    ASSERT_TRUE(QFile::copy(shop.path(QStringLiteral("logo.png")), shop.path(QStringLiteral("x.gif"))));
    EXPECT_TRUE(loadReceiptPicture(shop.path(QStringLiteral("x.gif"))).isNull());
}

TEST_F(ReceiptPrinting, PrinterNotInstalledPrintsNothing) {
    EXPECT_FALSE(isPrinterInstalled(QStringLiteral("收银小票打印机")));
    EXPECT_EQ(PrintReceiptFile(QStringLiteral("收银小票打印机"), receipt, {}, 0).result, Result::NoPrinter);
    ReceiptPrinter printer(settings(QStringLiteral("收银小票打印机")), shop.folder());
    const PrintOutcome r = printer.printSale();
    EXPECT_EQ(r.result, Result::NoPrinter);
    EXPECT_TRUE(r.message.isEmpty());
}

TEST_F(ReceiptPrinting, DirectPrintingPrintsNoReceipt) {
    EXPECT_EQ(parallelPortDevice(0), QStringLiteral("/dev/lp0"));
    EXPECT_EQ(parallelPortDevice(2), QStringLiteral("/dev/lp2"));
    ReceiptPrinter printer(settings(directPrinterName()), shop.folder());
    const PrintOutcome r = printer.printSale();
    EXPECT_EQ(r.result, Result::NoPrinter);
    EXPECT_TRUE(r.message.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(printer.pdfFile()));
}

TEST_F(ReceiptPrinting, PrintingOffPrintsNothingButReprintStillAnswers) {
    TillSettings s = settings(pdfPrinterName());
    s.dayin = true;
    ReceiptPrinter printer(s, shop.folder());
    EXPECT_EQ(printer.printSale().result, Result::PrintingOff);
    QString notice;
    EXPECT_EQ(printer.printLast(&notice).result, Result::PrintingOff);
    EXPECT_EQ(notice, QStringLiteral("已打印上一单小票"));
    EXPECT_FALSE(QFileInfo::exists(printer.pdfFile()));
}

TEST_F(ReceiptPrinting, LastReceiptPrintsAgainAfterARestart) {
    {
        ReceiptPrinter first(settings(pdfPrinterName()), shop.folder());
        ASSERT_EQ(first.printSale().result, Result::Printed);
        QFile::remove(first.pdfFile());
    }
    // A new run of the till: only output.txt is left of the last sale.
    ReceiptPrinter again(settings(pdfPrinterName()), shop.folder());
    QString notice;
    ASSERT_EQ(again.printLast(&notice).result, Result::Printed);
    EXPECT_EQ(notice, QStringLiteral("已打印上一单小票"));
    EXPECT_TRUE(pdfText(again.pdfFile()).contains(QStringLiteral("单号:50304180509")));

    QFile::remove(receipt);
    EXPECT_EQ(again.printLast(&notice).result, Result::NoReceipt);
    EXPECT_EQ(notice, QStringLiteral("还没有上一单小票"));
}
