#include "db/sqlroutines.h"

namespace shop::db {

void OpenSql(Query& query, const QString& sql, const Params& params) {
    query.close();
    query.setSql(sql);
    query.bindAll(params);
    query.open();
}

void ExecSql(Query& query, const QString& sql, const Params& params) {
    query.close();
    query.setSql(sql);
    query.bindAll(params);
    query.exec();
}

QString containsPattern(const QString& text) {
    QString escaped;
    escaped.reserve(text.size() + 2);
    escaped.append(u'%');
    for (const QChar c : text) {
        if (c == u'%' || c == u'_' || c == u'\\')
            escaped.append(u'\\');
        escaped.append(c);
    }
    escaped.append(u'%');
    return escaped;
}

} // namespace shop::db
