#include "till/dailybackup.h"

#include "db/backupfiles.h"

#include <QFileInfo>

namespace shop::till {

bool backupDueOn(int backupEvery, const QDate& day) {
    switch (backupEvery) {
    case 0:
        return true;
    case 1:
        return day.dayOfWeek() == Qt::Monday;
    case 2:
        return day.day() == 1;
    default:
        return false;
    }
}

BackupOutcome DailyBackup(db::Connection& connection, int backupEvery, const QDate& today) {
    if (!backupDueOn(backupEvery, today))
        return BackupOutcome::NotDue;
    if (QFileInfo::exists(db::manualBackupPath(today)))
        return BackupOutcome::ManualCopyToday;
    return db::copyDatabase(connection, db::dailyBackupPath(today)) ? BackupOutcome::Copied : BackupOutcome::Failed;
}

QString backupStatusText(BackupOutcome outcome) {
    switch (outcome) {
    case BackupOutcome::Copied:
        return QStringLiteral("数据库备份成功");
    case BackupOutcome::Failed:
        return QStringLiteral("备份出错，请检查数据库！");
    default:
        return {};
    }
}

} // namespace shop::till
