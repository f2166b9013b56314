#include "till/tillstyle.h"

#include <QApplication>
#include <QColor>

namespace shop::till {

QFont tillFont(int pixelSize) {
    QFont font;
    // AR PL UMing is a Song (Ming) face with plain TrueType outlines: it looks like 宋体 and
    // costs far less memory to keep open than the large OpenType collections.
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
    font.setPixelSize(pixelSize);
    return font;
}

QString tillStyleSheet(int hue) {
    // The base colour is a calm blue; the hue setting turns it around the colour wheel.
    const QColor base = QColor::fromHsv((210 + hue) % 360, 90, 235);
    const QColor accent = QColor::fromHsv((210 + hue) % 360, 160, 170);
    const QColor light = QColor::fromHsv((210 + hue) % 360, 25, 250);
    return QStringLiteral(
               "QMainWindow, QDialog { background: %1; }"
               "QFrame#memberPanel, QFrame#totalsPanel { background: %2; border: 1px solid %3; border-radius: 4px; }"
               "QLineEdit { padding: 2px 4px; border: 1px solid #9aa7b5; border-radius: 2px; background: white; }"
               "QLineEdit:read-only { background: #f3f5f7; }"
               "QLabel[field=\"true\"] { padding: 2px 4px; border: 1px solid #9aa7b5; border-radius: 2px; "
               "background: #f3f5f7; }"
               "QLineEdit:focus { border: 2px solid %3; }"
               "QLineEdit:disabled { background: #e6e8ea; color: #8a9096; }"
               "QLabel#totalMoneyLbl { color: #c0392b; font-size: 30px; }"
               "QLabel#goodscountLbl, QLabel#salesLbl { color: #1f4e79; }"
               "QLabel#yuanSign { color: #6b7784; }"
               "QLineEdit#realmoneyEdit { color: #c0392b; font-size: 20px; }"
               "QLineEdit#changeMoneyEdit { color: #1e7e34; font-size: 20px; }"
               "QPushButton { padding: 4px 12px; }"
               "QPushButton#printBtn { font-size: 18px; }"
               "QTableView { background: white; gridline-color: #d5dbe1; "
               "selection-background-color: #03A8F8; selection-color: white; }"
               "QHeaderView::section { background: %2; padding: 3px; border: 0; border-right: 1px solid #c8d0d8; "
               "border-bottom: 1px solid #c8d0d8; }"
               "QStatusBar QLabel { padding: 0 6px; }")
        .arg(base.name(), light.name(), accent.name());
}

void applyTillStyle(QApplication& app, int hue) {
    app.setFont(tillFont());
    app.setStyleSheet(tillStyleSheet(hue));
}

} // namespace shop::till
