// Laying a receipt file out on a printer's page and painting it: the logo on top, the title in a
// large CJK font, the lines below it (dash lines smaller, long lines word-wrapped), the QR code
// picture at the end.
#pragma once

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

class QPaintDevice;
class QPrinter;

namespace shop::till {

// The pictures printed with a receipt; an empty path or a file that is missing is left out.
struct ReceiptPictures {
    QString logo;
    QString qrcode;
};

// A picture file by its extension (.jpg/.jpeg, .png, .bmp in any letter case); a null image for
// any other file or one that cannot be read.
QImage loadReceiptPicture(const QString& path);

// Fonts with the receipt's look on this machine: the title font and the text font, falling
// back to an installed CJK font of the same kind.
QFont receiptTitleFont();            // 13 points
QFont receiptTextFont(qreal points); // 9 points for text, 8 for dash lines

// One thing to paint, in device pixels of the page it is on.
struct ReceiptPiece {
    enum class Kind { Text, WrappedText, Picture };
    Kind kind = Kind::Text;
    int page = 0;
    QRectF rect;
    QString text;
    QFont font;
    QImage image;
    Qt::Alignment alignment = Qt::AlignLeft;
};

struct ReceiptPageLayout {
    std::vector<ReceiptPiece> pieces;
    qreal height = 0; // from the top of the first page to the end of the text or QR picture
    int pages = 1;
};

// Lays out the lines of a receipt file for a page `pageWidth` pixels wide (and `pageHeight`
// high; 0: one page as long as it needs) of `device`. `scale` is the printer's pixels per
// inch ÷ the screen's, a whole number: pictures are printed at their size on the screen.
ReceiptPageLayout layoutReceipt(const QStringList& lines, const ReceiptPictures& pictures, QPaintDevice& device,
                                qreal pageWidth, qreal pageHeight, int scale);

// The paper of the till's `paper` setting: 0 the 58 mm roll, 1 the 75 mm roll, else A4.
qreal paperWidthMm(int paper);
bool isRollPaper(int paper);

// Sets the page of `printer` for `paper`, lays the receipt out and prints it as one job. A roll
// gets a page as long as the receipt. False when the job could not be started.
bool paintReceipt(QPrinter& printer, const QStringList& lines, const ReceiptPictures& pictures, int paper);

} // namespace shop::till
