#include "db/backupfiles.h"

#include "db/textscramble.h"
#include "platform/shopfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdio>

namespace shop::db {

QString backupFolder() {
    return AppPath() + QStringLiteral("数据库备份/");
}

QString dailyBackupPath(const QDate& day) {
    return backupFolder() + day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".nBAK");
}

QString latestBackupPath() {
    return backupFolder() + QStringLiteral("最新备份.nBAK");
}

QString manualBackupPath(const QDate& day) {
    return backupFolder() + day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".sBAK");
}

bool copyDatabase(Connection& source, const QString& target, QString* error) {
    auto setError = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    if (!QFileInfo(QFileInfo(target).absolutePath()).isDir())
        return setError(QStringLiteral("备份文件夹不存在"));

    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    try {
        auto copy = Connection::open(partial, databasePassword(), Connection::Mode::CreateIfMissing);
        sqlite3_backup* backup = sqlite3_backup_init(copy->handle(), "main", source.handle(), "main");
        if (!backup)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(copy->handle())));
        int rc = SQLITE_OK;
        int waits = 0;
        do {
            // Whole file in one go unless the other program holds a lock; then wait and retry,
            // as long as an ordinary statement would wait.
            rc = sqlite3_backup_step(backup, -1);
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                if (++waits * 50 > Connection::kBusyTimeoutMs)
                    break;
                sqlite3_sleep(50);
            }
        } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
        sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE)
            throw DbError(QString::fromUtf8(sqlite3_errstr(rc)), rc);
    } catch (const DbError& e) {
        QFile::remove(partial);
        return setError(e.message());
    }
    // rename(2) replaces the old copy in one step.
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(partial);
        return setError(QStringLiteral("无法写入备份文件 %1").arg(target));
    }
    return true;
}

} // namespace shop::db
