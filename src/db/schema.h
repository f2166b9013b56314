// The layout of the shop database: creating a new file, bringing an older one up to date, and
// the column top-up both programs run at start-up.
#pragma once

#include "db/connection.h"

#include <QString>
#include <QStringList>

namespace shop::db {

// The layout version this build writes into PRAGMA user_version.
inline constexpr int kSchemaVersion = 2;

// The console creates these two tables with exactly these statements when a file lacks them.
QString servicesCreateStatement();
QString goodsPriceCreateStatement();

// Creates every table, index and trigger of an empty file and sets the layout version.
void createSchema(Connection& connection);

// Brings a file of an older layout (user_version below kSchemaVersion) up to date without
// touching its data. Each step runs in its own transaction. Returns the steps taken.
int upgradeSchema(Connection& connection);

int schemaVersion(Connection& connection);
bool tableExists(Connection& connection, const QString& table);
QStringList columnNames(Connection& connection, const QString& table);

// Adds `column` to `table` when the table has no column of exactly that name (letter case
// counts): "ALTER TABLE t add c type[ DEFAULT d]". A column of the same name in another letter
// case makes the engine refuse the ALTER, and that error is thrown. Returns true when a column
// was added.
bool CheckField(Connection& connection, const QString& table, const QString& column, const QString& defaultText,
                const QString& type);

} // namespace shop::db
