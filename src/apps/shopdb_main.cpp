// shopdb: creates and inspects a shop folder.
//   shopdb --home DIR init [--demo]
//   shopdb --home DIR sql "STATEMENT"
//   shopdb --home DIR gen --goods N --members N --orders N [--seed S]
#include "db/generator.h"
#include "db/shopsetup.h"
#include "platform/shopfolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdio>

using namespace shop;

namespace {

void printLine(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
}

int usage() {
    printLine(stderr, QStringLiteral("用法:\n"
                                     "  shopdb --home DIR init [--demo]\n"
                                     "  shopdb --home DIR sql \"STATEMENT\"\n"
                                     "  shopdb --home DIR gen --goods N --members N --orders N [--seed S]"));
    return 2;
}

// A value as the sqlite3 tool prints it; NULL is empty.
QString cellText(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return {};
    if (value.typeId() == QMetaType::Double) {
        char* text = sqlite3_mprintf("%!.15g", value.toDouble());
        QString out = QString::fromLatin1(text);
        sqlite3_free(text);
        return out;
    }
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

int runInit(const QStringList& args) {
    const bool demo = args.contains(QStringLiteral("--demo"));
    const db::SetupResult result = db::initShopFolder(AppPath(), demo);
    if (!result.ok) {
        printLine(stderr, result.message);
        return 1;
    }
    printLine(stdout, QStringLiteral("已创建店铺 %1%2").arg(AppPath(), demo ? QStringLiteral("（含演示数据）") : QString()));
    return 0;
}

int runSql(const QStringList& args) {
    if (args.size() != 1)
        return usage();
    try {
        auto connection = db::openShopDatabase(datFilePath());
        db::Query query(*connection);
        query.setSql(args.first());
        query.open();
        for (; !query.eof(); query.next()) {
            QStringList cells;
            for (int i = 0; i < query.columnCount(); ++i)
                cells.append(cellText(query.value(i)));
            printLine(stdout, cells.join(u'\t'));
        }
    } catch (const db::DbError& e) {
        printLine(stderr, e.message());
        return 1;
    }
    return 0;
}

int runGen(const QStringList& args) {
    db::GenOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& name = args.at(i);
        if (i + 1 >= args.size())
            return usage();
        bool ok = false;
        const qint64 value = args.at(++i).toLongLong(&ok);
        if (!ok || value < 0) {
            printLine(stderr, QStringLiteral("%1 需要一个非负整数，而不是 \"%2\"").arg(name, args.at(i)));
            return 2;
        }
        if (name == QLatin1String("--goods"))
            options.goods = value;
        else if (name == QLatin1String("--members"))
            options.members = value;
        else if (name == QLatin1String("--orders"))
            options.orders = value;
        else if (name == QLatin1String("--seed"))
            options.seed = quint64(value);
        else
            return usage();
    }
    QElapsedTimer timer;
    timer.start();
    try {
        auto connection = db::openShopDatabase(datFilePath());
        const db::GenResult result = db::generateShopData(*connection, options, [&](const QString& step) {
            printLine(stderr, QStringLiteral("%1 (%2 s)").arg(step).arg(double(timer.elapsed()) / 1000.0, 0, 'f', 1));
        });
        printLine(stdout, QStringLiteral("已生成 %1 件商品、%2 位会员、%3 张小票，用时 %4 秒")
                              .arg(result.goods)
                              .arg(result.members)
                              .arg(result.orders)
                              .arg(double(timer.elapsed()) / 1000.0, 0, 'f', 1));
    } catch (const db::DbError& e) {
        printLine(stderr, e.message());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = initAppPath(QCoreApplication::arguments().mid(1));
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("init"))
        return runInit(args);
    if (command == QLatin1String("sql"))
        return runSql(args);
    if (command == QLatin1String("gen"))
        return runGen(args);
    return usage();
}
