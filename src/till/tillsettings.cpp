#include "till/tillsettings.h"

#include "platform/shopfolder.h"

namespace shop::till {

namespace {
const QString section() {
    return QString::fromUtf16(TillSettings::kSection);
}
} // namespace

QString TillSettings::filePath() {
    return AppPath() + QStringLiteral("tillbrook.ini");
}

int keyCodeFromText(const QString& text) {
    bool ok = false;
    const int code = text.trimmed().toInt(&ok);
    return ok ? code : 255;
}

TillSettings TillSettings::load(const IniFile& ini) {
    const QString s = section();
    TillSettings t;
    auto str = [&](const char* key, const QString& fallback) {
        return ini.readString(s, QString::fromLatin1(key), fallback);
    };
    auto num = [&](const char* key, int fallback) { return ini.readInteger(s, QString::fromLatin1(key), fallback); };
    auto flag = [&](const char* key, bool fallback) { return ini.readBool(s, QString::fromLatin1(key), fallback); };

    t.dazhe = str("dazhe", t.dazhe);
    t.dazheK = keyCodeFromText(str("dazheK", QStringLiteral("109")));
    t.jifen = str("jifen", t.jifen);
    t.jifenK = keyCodeFromText(str("jifenK", QStringLiteral("107")));
    t.shuliang = str("shuliang", t.shuliang);
    t.shuliangK = keyCodeFromText(str("shuliangK", QStringLiteral("106")));
    t.onlyhotkey = flag("onlyhotkey", false);

    t.dayin = flag("dayin", false);
    t.printer = str("printer", QString());
    t.printC = flag("printC", false);
    t.print = num("print", 0);
    t.paper = num("paper", 0);
    t.bianju = num("bianju", 3);
    t.bigtitle = flag("bigtitle", false);
    t.logo = str("logo", QString());
    t.qrcode = str("QRcode", QString());

    t.guxian = flag("guxian", false);
    t.com = num("com", 0);

    t.yinlian = flag("yinlian", false);
    t.mohu = flag("mohu", false);
    t.opt1 = flag("opt1", false);
    t.opt2 = flag("opt2", false);
    t.opt3 = flag("opt3", false);

    t.dx = flag("dx", false);
    t.morethan = num("morethan", 100);
    t.mobile = str("mobile", QString());
    t.payRemind = flag("payRemind", false);

    t.showIco = flag("showIco", true);
    t.maxform = flag("maxform", false);
    t.beijing = flag("beijing", false);
    t.pic = str("pic", QString());
    t.color = num("color", 0);
    t.maximized = flag("maximized", false);
    t.width = num("width", 990);
    t.height = num("Height", 700);
    t.top1 = num("top1", -1);
    t.left1 = num("left1", -1);
    t.iconTop = num("top", 50);
    t.iconLeft = num("left", -1);
    return t;
}

bool TillSettings::savePlacement(IniFile& ini, bool maximized, const QRect& normalGeometry) {
    const QString s = section();
    bool ok = ini.writeBool(s, QStringLiteral("maximized"), maximized);
    ok = ini.writeInteger(s, QStringLiteral("Height"), normalGeometry.height()) && ok;
    ok = ini.writeInteger(s, QStringLiteral("Width"), normalGeometry.width()) && ok;
    ok = ini.writeInteger(s, QStringLiteral("Top1"), normalGeometry.top()) && ok;
    ok = ini.writeInteger(s, QStringLiteral("Left1"), normalGeometry.left()) && ok;
    return ok;
}

} // namespace shop::till
