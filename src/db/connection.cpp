#include "db/connection.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTime>

#include <sqlite3.h>

namespace shop::db {

namespace {

QString engineMessage(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

[[noreturn]] void fail(sqlite3* db, int rc) {
    throw DbError(engineMessage(db), rc);
}

// Binds one value; yes/no values become -1 and 0 as the shop's tables store them, dates the
// text that SQLite's date functions read.
void bindValue(sqlite3* db, sqlite3_stmt* stmt, int index, const QVariant& value) {
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(stmt, index, value.toBool() ? -1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
            rc = sqlite3_bind_int64(stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(stmt, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDate:
            rc = sqlite3_bind_text(stmt, index, value.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8(),
                                   -1, SQLITE_TRANSIENT);
            break;
        case QMetaType::QDateTime:
            rc = sqlite3_bind_text(stmt, index,
                                   value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8(), -1,
                                   SQLITE_TRANSIENT);
            break;
        case QMetaType::QTime:
            rc = sqlite3_bind_text(stmt, index, value.toTime().toString(QStringLiteral("HH:mm:ss")).toUtf8(), -1,
                                   SQLITE_TRANSIENT);
            break;
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        fail(db, rc);
}

QVariant columnValue(sqlite3_stmt* stmt, int index) {
    switch (sqlite3_column_type(stmt, index)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt, index)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, index));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, index)),
                                          sqlite3_column_bytes(stmt, index)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, index)),
                                   sqlite3_column_bytes(stmt, index)));
    default:
        return QVariant();
    }
}

QString parameterName(const QString& name) {
    return name.startsWith(u':') ? name : QLatin1Char(':') + name;
}

} // namespace

DbError::DbError(const QString& message, int code)
    : std::runtime_error(message.toStdString()), message_(message), code_(code) {}

std::unique_ptr<Connection> Connection::open(const QString& path, const QByteArray& key, Mode mode) {
    if (mode == Mode::OpenExisting && !QFileInfo::exists(path))
        throw DbError(QStringLiteral("数据库文件不存在"), SQLITE_CANTOPEN);

    sqlite3* db = nullptr;
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX;
    if (mode == Mode::CreateIfMissing)
        flags |= SQLITE_OPEN_CREATE;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = db ? engineMessage(db) : QStringLiteral("out of memory");
        sqlite3_close(db);
        throw DbError(message, rc);
    }
    std::unique_ptr<Connection> connection(new Connection(db, path));
    rc = sqlite3_key(db, key.constData(), int(key.size()));
    if (rc != SQLITE_OK)
        fail(db, rc);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);

    // The key is only tried when the first page is read; read it now so that a wrong key or a
    // damaged file is reported here, in words, rather than by the first window that opens a table.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        if ((rc & 0xff) == SQLITE_NOTADB)
            throw DbError(QStringLiteral("无法打开数据库：密码不对，或文件不是本系统的数据库或已损坏（%1）")
                              .arg(engineMessage(db)),
                          rc);
        fail(db, rc);
    }
    return connection;
}

Connection::Connection(sqlite3* db, QString path) : db_(db), path_(std::move(path)) {}

Connection::~Connection() {
    // Statements still open would keep the file busy; sqlite3_close_v2 waits for them.
    sqlite3_close_v2(db_);
}

void Connection::exec(const QString& sql, const Params& params) {
    Query query(*this);
    query.setSql(sql);
    query.bindAll(params);
    query.exec();
}

void Connection::execScript(const QString& sql) {
    char* error = nullptr;
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : engineMessage(db_);
        sqlite3_free(error);
        throw DbError(message, rc);
    }
}

QVariant Connection::scalar(const QString& sql, const Params& params) {
    Query query(*this);
    query.setSql(sql);
    query.bindAll(params);
    query.open();
    return query.eof() ? QVariant() : query.value(0);
}

qint64 Connection::lastInsertRowId() const {
    return sqlite3_last_insert_rowid(db_);
}

int Connection::changes() const {
    return sqlite3_changes(db_);
}

bool Connection::inTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

QVariant Row::value(const QString& column) const {
    if (!names_)
        return {};
    const auto it = names_->constFind(column.toLower());
    return it == names_->constEnd() ? QVariant() : values_.value(*it);
}

Query::Query(Connection& connection) : connection_(connection) {}

Query::~Query() {
    sqlite3_finalize(stmt_);
}

void Query::setSql(const QString& sql) {
    close();
    pending_.clear();
    if (sql == sql_ && stmt_)
        return;
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    names_.reset();
    sql_ = sql;
}

void Query::bind(const QString& name, const QVariant& value) {
    pending_.insert(parameterName(name), value);
}

void Query::bindAll(const Params& params) {
    for (auto it = params.constBegin(); it != params.constEnd(); ++it)
        bind(it.key(), it.value());
}

void Query::prepare() {
    if (stmt_)
        return;
    const QByteArray text = sql_.toUtf8();
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(connection_.handle(), text.constData(), int(text.size()), &stmt_, &tail);
    if (rc != SQLITE_OK) {
        stmt_ = nullptr;
        fail(connection_.handle(), rc);
    }
    if (!stmt_)
        throw DbError(QStringLiteral("SQL 语句为空"), SQLITE_MISUSE);
    auto names = std::make_shared<QHash<QString, int>>();
    const int count = sqlite3_column_count(stmt_);
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(sqlite3_column_name(stmt_, i)).toLower();
        if (!names->contains(name)) // the first of two equal names wins, as a dataset's field lookup does
            names->insert(name, i);
    }
    names_ = std::move(names);
}

void Query::bindPending() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    for (auto it = pending_.constBegin(); it != pending_.constEnd(); ++it) {
        const int index = sqlite3_bind_parameter_index(stmt_, it.key().toUtf8().constData());
        if (index == 0)
            throw DbError(QStringLiteral("语句中没有参数 %1").arg(it.key()), SQLITE_RANGE);
        bindValue(connection_.handle(), stmt_, index, it.value());
    }
    const int count = sqlite3_bind_parameter_count(stmt_);
    for (int i = 1; i <= count; ++i) {
        const char* name = sqlite3_bind_parameter_name(stmt_, i);
        if (!name || !pending_.contains(QString::fromUtf8(name)))
            throw DbError(QStringLiteral("参数 %1 没有值").arg(name ? QString::fromUtf8(name) : QString::number(i)),
                          SQLITE_RANGE);
    }
}

void Query::open() {
    close();
    prepare();
    bindPending();
    open_ = true;
    eof_ = false;
    step();
}

void Query::exec() {
    open();
    while (!eof_)
        step();
    close();
}

void Query::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return;
    eof_ = true;
    if (rc != SQLITE_DONE) {
        const QString message = engineMessage(connection_.handle());
        sqlite3_reset(stmt_);
        open_ = false;
        throw DbError(message, rc);
    }
}

void Query::close() {
    if (stmt_)
        sqlite3_reset(stmt_);
    open_ = false;
    eof_ = true;
}

void Query::next() {
    if (!eof_)
        step();
}

int Query::columnCount() const {
    return stmt_ ? sqlite3_column_count(stmt_) : 0;
}

QString Query::columnName(int index) const {
    return stmt_ ? QString::fromUtf8(sqlite3_column_name(stmt_, index)) : QString();
}

int Query::columnIndex(const QString& name) const {
    return names_ ? names_->value(name.toLower(), -1) : -1;
}

QVariant Query::value(const QString& column) const {
    const int index = columnIndex(column);
    if (index < 0)
        throw DbError(QStringLiteral("字段 %1 不存在").arg(column));
    return value(index);
}

QVariant Query::value(int index) const {
    if (!open_ || eof_)
        return {};
    return columnValue(stmt_, index);
}

Row Query::row() const {
    Row row;
    row.names_ = names_;
    const int count = columnCount();
    row.values_.reserve(count);
    for (int i = 0; i < count; ++i)
        row.values_.append(value(i));
    return row;
}

std::vector<Row> Query::fetchAll() {
    std::vector<Row> rows;
    while (!eof_) {
        rows.push_back(row());
        step();
    }
    return rows;
}

Transaction::Transaction(Connection& connection) : connection_(connection) {
    connection_.execScript(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction() {
    if (!done_ && connection_.inTransaction())
        sqlite3_exec(connection_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    connection_.execScript(QStringLiteral("COMMIT"));
    done_ = true;
}

ReadTransaction::ReadTransaction(Connection& connection)
    : connection_(connection), began_(!connection.inTransaction()) {
    if (began_)
        connection_.execScript(QStringLiteral("BEGIN"));
}

ReadTransaction::~ReadTransaction() {
    // Nothing was written: ending it only gives the shared lock back.
    if (began_ && connection_.inTransaction())
        sqlite3_exec(connection_.handle(), "COMMIT", nullptr, nullptr, nullptr);
}

} // namespace shop::db
