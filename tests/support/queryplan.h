// What SQLite means to do with a statement, for tests that check a lookup uses an index.
#pragma once

#include "db/connection.h"

#include <QString>
#include <QStringList>

#include <sqlite3.h>

namespace shop::test {

// The detail lines of EXPLAIN QUERY PLAN for `sql`, its parameters left unbound.
inline QStringList queryPlan(db::Connection& connection, const QString& sql) {
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = (QStringLiteral("EXPLAIN QUERY PLAN ") + sql).toUtf8();
    QStringList details;
    if (sqlite3_prepare_v2(connection.handle(), text.constData(), -1, &stmt, nullptr) != SQLITE_OK)
        return {QStringLiteral("cannot prepare: ") + QString::fromUtf8(sqlite3_errmsg(connection.handle()))};
    while (sqlite3_step(stmt) == SQLITE_ROW)
        details.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3))));
    sqlite3_finalize(stmt);
    return details;
}

// True when every step of the plan searches through an index or the row id, none scans a table.
inline bool searchesByIndex(const QStringList& plan) {
    if (plan.isEmpty())
        return false;
    for (const QString& step : plan)
        if (!step.startsWith(QStringLiteral("SEARCH")) ||
            !(step.contains(QStringLiteral("INDEX")) || step.contains(QStringLiteral("PRIMARY KEY"))))
            return false;
    return true;
}

} // namespace shop::test
