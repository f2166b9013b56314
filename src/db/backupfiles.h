// The local backup copies of the shop database: the folder, the names, and the copy itself.
#pragma once

#include "db/connection.h"

#include <QDate>
#include <QString>

namespace shop::db {

// AppPath + "数据库备份/".
QString backupFolder();
// The start-up copy of a day: "2015-03-04.nBAK".
QString dailyBackupPath(const QDate& day);
// The copy refreshed after sales, kept only when the shop created it: "最新备份.nBAK".
QString latestBackupPath();
// A copy the owner made by hand on `day`: the day + ".sBAK".
QString manualBackupPath(const QDate& day);

// Copies the open database into `target` with SQLite's backup interface: the copy is written
// to a file beside the target and renamed into place only when it is complete, so a crash
// never leaves a half-written backup. The connection stays open. Returns false and sets
// `error` when the copy could not be made (the old target is then untouched).
bool copyDatabase(Connection& source, const QString& target, QString* error = nullptr);

} // namespace shop::db
