// The till's own settings, per machine: the file named after the program with ".ini" in the
// shop folder, section "cash". Missing keys take their defaults; key names ignore letter case.
#pragma once

#include "platform/inifile.h"

#include <QRect>
#include <QString>

namespace shop::till {

struct TillSettings {
    // Shortcut keys: Windows key codes as decimal text (255 when the text is not a number), and
    // their labels shown in hints.
    QString dazhe = QStringLiteral("-");
    int dazheK = 109;
    QString jifen = QStringLiteral("+");
    int jifenK = 107;
    QString shuliang = QStringLiteral("*");
    int shuliangK = 106;
    bool onlyhotkey = false;

    // Printing.
    bool dayin = false; // printing switched off
    QString printer;    // empty: the system's default printer
    bool printC = false;
    int print = 0;
    int paper = 0;
    int bianju = 3;
    bool bigtitle = false;
    QString logo;
    QString qrcode;

    // Pole display.
    bool guxian = false;
    int com = 0;

    // Sale rules of this till.
    bool yinlian = false;
    bool mohu = false;
    bool opt1 = false;
    bool opt2 = false;
    bool opt3 = false;

    // SMS notices.
    bool dx = false;
    int morethan = 100;
    QString mobile;
    bool payRemind = false;

    // The window.
    bool showIco = true;
    bool maxform = false;
    bool beijing = false;
    QString pic; // empty: "bg.bmp" in the shop folder
    int color = 0;
    bool maximized = false;
    int width = 990;
    int height = 700;
    int top1 = -1; // -1: centred on the screen
    int left1 = -1;
    int iconTop = 50;
    int iconLeft = -1; // -1: screen width - 50

    // The file beside the programs: the shop folder + "tillbrook.ini".
    static QString filePath();
    static constexpr const char16_t* kSection = u"cash";

    static TillSettings load(const IniFile& ini);
    // Window placement, written when the main window closes.
    static bool savePlacement(IniFile& ini, bool maximized, const QRect& normalGeometry);
};

// A Windows key code from its decimal text; 255 when the text is not a number.
int keyCodeFromText(const QString& text);

} // namespace shop::till
