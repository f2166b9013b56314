#include "platform/shopfolder.h"

#include <QCoreApplication>
#include <QDir>

namespace shop {

namespace {
QString& appPathStorage() {
    static QString path;
    return path;
}
} // namespace

QStringList initAppPath(const QStringList& arguments) {
    QStringList rest;
    QString home;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--home") && i + 1 < arguments.size()) {
            home = arguments.at(++i);
        } else if (arg.startsWith(QLatin1String("--home="))) {
            home = arg.mid(7);
        } else {
            rest.append(arg);
        }
    }
    setAppPath(home.isEmpty() ? QCoreApplication::applicationDirPath() : home);
    return rest;
}

void setAppPath(const QString& folder) {
    QString path = QDir(folder).absolutePath();
    if (!path.endsWith(u'/'))
        path.append(u'/');
    appPathStorage() = path;
}

const QString& AppPath() {
    return appPathStorage();
}

QString datFilePath() {
    return AppPath() + QStringLiteral("dat.db");
}

} // namespace shop
