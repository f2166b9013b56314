#include "till/receipt/receiptpage.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTextLayout>

#include <cmath>

namespace shop::till {

namespace {

const QChar kEsc(0x1B);
const QChar kFs(0x1C);

QString firstInstalled(const QStringList& families) {
    for (const QString& family : families)
        if (QFontDatabase::hasFamily(family))
            return family;
    return families.isEmpty() ? QString() : families.last();
}

// Lays `text` out within `width` in `font`, breaking at word boundaries (CJK text between any
// two characters) or, for a long run without one, anywhere. Returns its height.
qreal layoutWrapped(QTextLayout& layout, qreal width) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

qreal screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

} // namespace

QImage loadReceiptPicture(const QString& path) {
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {};
    const QString suffix = QFileInfo(path).suffix().toLower();
    const char* format = nullptr;
    if (suffix == QStringLiteral("jpg") || suffix == QStringLiteral("jpeg"))
        format = "JPEG";
    else if (suffix == QStringLiteral("png"))
        format = "PNG";
    else if (suffix == QStringLiteral("bmp"))
        format = "BMP";
    else
        return {};
    return QImage(path, format);
}

QFont receiptTitleFont() {
    QFont font(firstInstalled({QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei"),
                               QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")}));
    font.setPointSizeF(13);
    return font;
}

QFont receiptTextFont(qreal points) {
    // A font whose Latin characters are half as wide as its Chinese ones keeps the columns that
    // the template lines up with blanks.
    QFont font(firstInstalled({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                               QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("WenQuanYi Zen Hei Mono"),
                               QStringLiteral("Noto Serif CJK SC")}));
    font.setPointSizeF(points);
    return font;
}

qreal paperWidthMm(int paper) {
    switch (paper) {
    case 0:
        return 58;
    case 1:
        return 75;
    default:
        return 210;
    }
}

bool isRollPaper(int paper) {
    return paper == 0 || paper == 1;
}

ReceiptPageLayout layoutReceipt(const QStringList& lines, const ReceiptPictures& pictures, QPaintDevice& device,
                                qreal pageWidth, qreal pageHeight, int scale) {
    ReceiptPageLayout out;
    const QFontMetricsF standard(QFont(), &device);
    const qreal h = standard.height();
    const qreal c = standard.horizontalAdvance(u'X');
    int page = 0;
    qreal y = 0;

    // Pictures at their size on the screen, or six tenths of the page when that is too wide.
    auto placePicture = [&](const QImage& image, qreal top) {
        ReceiptPiece piece;
        piece.kind = ReceiptPiece::Kind::Picture;
        piece.image = image;
        const qreal wide = qreal(image.width()) * scale;
        qreal left = 0;
        qreal width = 0;
        if (wide < pageWidth) {
            width = wide;
            left = (pageWidth - wide) / 2;
        } else {
            const qreal tenth = std::floor(pageWidth / 10);
            left = tenth + 3 * c;
            width = tenth * 6;
        }
        const qreal height = image.width() > 0 ? width * image.height() / image.width() : 0;
        piece.rect = QRectF(left, top, width, height);
        return piece;
    };
    // Moves to a new page when a piece of `height` at `y` would pass the end of the page.
    auto fit = [&](qreal height) {
        if (pageHeight > 0 && y + height > pageHeight && y > 0) {
            ++page;
            y = 0;
        }
    };

    const QImage logo = loadReceiptPicture(pictures.logo);
    y = h;
    if (!logo.isNull()) {
        ReceiptPiece piece = placePicture(logo, h);
        piece.page = page;
        y = h + piece.rect.height();
        out.pieces.push_back(piece);
    }

    int at = 0;
    if (at < lines.size() && lines.at(at).contains(QString(kEsc) + u'p'))
        ++at; // the drawer line
    QString title;
    if (at < lines.size() && lines.at(at) == QString(kFs) + u'&') {
        title = lines.value(at + 2); // size line, title line, reset line
        at += 4;
    } else if (at < lines.size()) {
        title = lines.at(at);
        ++at;
    }
    qreal lastHeight = h;
    title = title.trimmed();
    if (!title.isEmpty()) {
        ReceiptPiece piece;
        piece.font = receiptTitleFont();
        const QFontMetricsF fm(piece.font, &device);
        piece.text = title;
        piece.alignment = Qt::AlignHCenter;
        piece.rect = QRectF(0, y - 8, pageWidth, fm.height());
        piece.page = page;
        out.pieces.push_back(piece);
        lastHeight = fm.height();
    }

    const QFont dashFont = receiptTextFont(8);
    const QFont textFont = receiptTextFont(9);
    const QFontMetricsF dashMetrics(dashFont, &device);
    const QFontMetricsF textMetrics(textFont, &device);
    for (; at < lines.size(); ++at) {
        const QString& line = lines.at(at);
        y += lastHeight;
        if (line.contains(QString(kEsc) + u'i'))
            continue;
        ReceiptPiece piece;
        if (line.contains(QStringLiteral("----------"))) {
            piece.font = dashFont;
            lastHeight = dashMetrics.height();
            fit(lastHeight);
            piece.rect = QRectF(0, y, pageWidth, lastHeight);
        } else {
            piece.font = textFont;
            lastHeight = textMetrics.height();
            if (textMetrics.horizontalAdvance(line) > pageWidth) {
                QTextLayout layout(line, textFont, &device);
                const qreal height = layoutWrapped(layout, pageWidth);
                fit(height);
                piece.kind = ReceiptPiece::Kind::WrappedText;
                piece.rect = QRectF(0, y, pageWidth, height);
                y += height - lastHeight;
            } else {
                fit(lastHeight);
                piece.rect = QRectF(0, y, pageWidth, lastHeight);
            }
        }
        piece.text = line;
        piece.page = page;
        out.pieces.push_back(piece);
    }
    const qreal textEnd = y + lastHeight;
    out.height = textEnd;

    const QImage qrcode = loadReceiptPicture(pictures.qrcode);
    if (!qrcode.isNull()) {
        y = textEnd - 40;
        ReceiptPiece piece = placePicture(qrcode, y);
        fit(piece.rect.height());
        piece.rect.moveTop(y);
        piece.page = page;
        out.pieces.push_back(piece);
        out.height = std::max(out.height, piece.rect.bottom());
    }
    out.pages = page + 1;
    return out;
}

bool paintReceipt(QPrinter& printer, const QStringList& lines, const ReceiptPictures& pictures, int paper) {
    // Narrow margins: the built-in template's item line is 35 columns, which just fits a 58 mm roll.
    const QMarginsF margins(1, 1, 1, 1);
    const qreal widthMm = paperWidthMm(paper);
    if (isRollPaper(paper))
        printer.setPageSize(QPageSize(QSizeF(widthMm, 297), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    else
        printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(margins, QPageLayout::Millimeter);

    const int dpi = printer.resolution();
    const int scale = std::max(1, int(dpi / screenDpi()));
    QRect paintRect = printer.pageLayout().paintRectPixels(dpi);
    ReceiptPageLayout layout;
    if (isRollPaper(paper)) {
        // The roll is cut after the receipt: one page exactly as long as the receipt.
        layout = layoutReceipt(lines, pictures, printer, paintRect.width(), 0, scale);
        const qreal heightMm = std::max(40.0, layout.height / dpi * 25.4 + margins.top() + margins.bottom() + 1);
        printer.setPageSize(
            QPageSize(QSizeF(widthMm, std::ceil(heightMm)), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
        printer.setPageMargins(margins, QPageLayout::Millimeter);
    } else {
        layout = layoutReceipt(lines, pictures, printer, paintRect.width(), paintRect.height(), scale);
    }

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    int page = 0;
    for (const ReceiptPiece& piece : layout.pieces) {
        while (page < piece.page) {
            printer.newPage();
            ++page;
        }
        switch (piece.kind) {
        case ReceiptPiece::Kind::Picture:
            painter.drawImage(piece.rect, piece.image);
            break;
        case ReceiptPiece::Kind::Text:
            painter.setFont(piece.font);
            painter.drawText(piece.rect, int(piece.alignment | Qt::AlignTop | Qt::TextDontClip), piece.text);
            break;
        case ReceiptPiece::Kind::WrappedText: {
            QTextLayout wrapped(piece.text, piece.font, &printer);
            layoutWrapped(wrapped, piece.rect.width());
            wrapped.draw(&painter, piece.rect.topLeft());
            break;
        }
        }
    }
    return painter.end();
}

} // namespace shop::till
