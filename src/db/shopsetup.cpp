#include "db/shopsetup.h"

#include "db/backupfiles.h"
#include "db/demoshop.h"
#include "db/schema.h"
#include "db/textscramble.h"
#include "platform/clock.h"
#include "platform/shopfolder.h"
#include "platform/textcodec.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace shop::db {

namespace {

QString text(const char16_t* s) {
    return QString::fromUtf16(s);
}

// Files that ship with the programs (templates, pictures) are copied from the resources into a
// new shop folder; a file the shop already has is kept.
void copyShippedFiles(const QString& folder) {
    QDirIterator it(QStringLiteral(":/shipped"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = source.mid(QStringLiteral(":/shipped/").size());
        const QString target = QDir(folder).filePath(relative);
        if (QFileInfo::exists(target))
            continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile in(source);
        if (in.open(QIODevice::ReadOnly))
            writeFileAtomically(target, in.readAll());
    }
}

} // namespace

void insertDeliveredRows(Connection& c) {
    c.exec(QStringLiteral("insert into shop_info(shop_name,print_title,welcome_str,shopid,fendian) "
                          "values('','','','',0)"));
    const QDate today = Clock::today();
    c.exec(QStringLiteral("insert into setting(mindis,zeromsg,needpsw,viewpsw,add_rate,low_warning,autorun,"
                          "discount_policy,holidaydouble,holidayfrom,holidayto,birthdouble,backup_every,manjian,man,"
                          "jian,manjianex,alldiscount,allzhekou,alldiscountex,disdis,scurrency) values(70,-1,0,:viewpsw,"
                          "1,5,0,0,0,:from,:to,0,0,0,100,10,0,0,10,0,0,'￥')"),
           {{QStringLiteral("viewpsw"), ShowStr(QString())},
            {QStringLiteral("from"), QDate(today.year(), 10, 1)},
            {QStringLiteral("to"), QDate(today.year(), 10, 7)}});

    // Points tiers, in table order: the last tier a member reaches gives the discount.
    const int tiers[][2] = {{1000, 98}, {3000, 95}, {6000, 92}, {10000, 88}};
    for (const auto& tier : tiers)
        c.exec(QStringLiteral("insert into discount(jifen,discount_rate) values(:j,:r)"),
               {{QStringLiteral("j"), tier[0]}, {QStringLiteral("r"), tier[1]}});

    const std::pair<const char16_t*, int> levels[] = {
        {u"普通卡", 100}, {u"银卡", 95}, {u"金卡", 90}, {u"钻石卡", 85}};
    for (const auto& [name, rate] : levels)
        c.exec(QStringLiteral("insert into mtype(mtype,mrate) values(:m,:r)"),
               {{QStringLiteral("m"), text(name)}, {QStringLiteral("r"), rate}});

    c.exec(QStringLiteral("insert into seller(seller,pass,admin) values(:s,:p,2)"),
           {{QStringLiteral("s"), text(kInitialAdminName)},
            {QStringLiteral("p"), ShowStr(text(kInitialAdminPassword))}});
    c.exec(QStringLiteral("insert into seller(seller,pass,admin) values(:s,:p,0)"),
           {{QStringLiteral("s"), text(kInitialCashierName)},
            {QStringLiteral("p"), ShowStr(text(kInitialCashierPassword))}});
}

std::unique_ptr<Connection> openShopDatabase(const QString& datPath) {
    auto connection = Connection::open(datPath, databasePassword());
    upgradeSchema(*connection);
    return connection;
}

SetupResult initShopFolder(const QString& folder, bool demo) {
    SetupResult result;
    if (!QDir().mkpath(folder)) {
        result.message = QStringLiteral("无法创建店铺文件夹 %1").arg(folder);
        return result;
    }
    setAppPath(folder);
    const QString dat = datFilePath();
    if (QFileInfo::exists(dat)) {
        result.message = QStringLiteral("%1 已经存在，不会覆盖。").arg(dat);
        return result;
    }

    // The database is built under another name and renamed into place when it is complete, so a
    // failed set-up never leaves a half-made dat.db behind.
    const QString partial = dat + QStringLiteral(".new");
    QFile::remove(partial);
    try {
        auto connection = Connection::open(partial, databasePassword(), Connection::Mode::CreateIfMissing);
        createSchema(*connection);
        {
            Transaction transaction(*connection);
            insertDeliveredRows(*connection);
            transaction.commit();
        }
        if (demo)
            addDemoShop(*connection);
    } catch (const DbError& e) {
        QFile::remove(partial);
        result.message = e.message();
        return result;
    }
    if (!QFile::rename(partial, dat)) {
        QFile::remove(partial);
        result.message = QStringLiteral("无法写入 %1").arg(dat);
        return result;
    }

    QDir().mkpath(backupFolder());
    const QString hlist = AppPath() + QStringLiteral("hlist.xml");
    if (!QFileInfo::exists(hlist))
        writeFileAtomically(hlist, QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<hlist/>\n"));
    copyShippedFiles(AppPath());
    result.ok = true;
    return result;
}

} // namespace shop::db
