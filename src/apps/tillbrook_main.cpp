// Tillbrook, the cashier program.
//   tillbrook [--home DIR]
#include "db/messages.h"
#include "platform/shopfolder.h"
#include "till/mainform.h"
#include "till/singleinstance.h"
#include "till/tdm.h"
#include "till/tillsettings.h"
#include "till/tillstyle.h"

#include <QApplication>
#include <QLocale>

#include <malloc.h>

using namespace shop;
using namespace shop::till;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tillbrook"));
    QApplication::setApplicationDisplayName(QStringLiteral("收银台"));
    QApplication::setQuitOnLastWindowClosed(false);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    initAppPath(QApplication::arguments().mid(1));
    applyTillStyle(app, IniFile(TillSettings::filePath()).readInteger(QStringLiteral("cash"), QStringLiteral("color"), 0));

    SingleInstance instance;
    if (!instance.acquire()) {
        ShowNotice(QStringLiteral("已有前台在运行!"));
        return 0;
    }

    std::unique_ptr<TDM> dm = TDM::DataModuleCreate();
    if (!dm)
        return 1;

    TillSession session;
    TmainForm window(*dm, session);
    if (!window.FormCreate())
        return 0;
    window.show();
    // Give back what the start-up needed and no longer does.
    malloc_trim(0);
    return app.exec();
}
