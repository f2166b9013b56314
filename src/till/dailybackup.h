// The start-up copy of the shop database into the backup folder.
#pragma once

#include "db/connection.h"

#include <QDate>
#include <QString>

namespace shop::till {

// Whether the start-up copy is due on `day`: 0 every start, 1 on Mondays, 2 on the first of the
// month, anything else never.
bool backupDueOn(int backupEvery, const QDate& day);

enum class BackupOutcome { NotDue, ManualCopyToday, Copied, Failed };

// Makes the day's copy (day + ".nBAK") when it is due and the owner has not already made a copy
// by hand today (day + ".sBAK"). The copy goes through SQLite's backup interface into a file
// that is renamed into place, so the connection stays open and no half-written copy is left.
BackupOutcome DailyBackup(db::Connection& connection, int backupEvery, const QDate& today);

// The status line's text for an outcome: "数据库备份成功", "备份出错，请检查数据库！", or empty.
QString backupStatusText(BackupOutcome outcome);

} // namespace shop::till
