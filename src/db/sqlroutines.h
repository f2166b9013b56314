// Running statement text on a query, the way every window does: close the query, give it the
// new text and its bound values, then open it (rows) or execute it (no rows).
#pragma once

#include "db/connection.h"

namespace shop::db {

void OpenSql(Query& query, const QString& sql, const Params& params = {});
void ExecSql(Query& query, const QString& sql, const Params& params = {});

// The data module's names for the same two routines.
inline void OpenCds(Query& query, const QString& sql, const Params& params = {}) {
    OpenSql(query, sql, params);
}
inline void ExecCds(Query& query, const QString& sql, const Params& params = {}) {
    ExecSql(query, sql, params);
}

// A LIKE pattern that finds `text` anywhere, with "%", "_" and the escape character in it
// matching themselves. Use it with " like :p escape '\'".
QString containsPattern(const QString& text);

} // namespace shop::db
