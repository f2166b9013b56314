// The one connection to the shop's encrypted database file, prepared queries with named
// parameters, and the transaction guard. Everything that reaches SQLite goes through here.
#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace shop::db {

// The single error type of the storage layer. `message()` is the engine's own text (or ours
// where the engine gave none); windows show it as it stands.
class DbError : public std::runtime_error {
public:
    DbError(const QString& message, int code = 0);
    const QString& message() const { return message_; }
    int code() const { return code_; }

private:
    QString message_;
    int code_;
};

// Values bound to a statement's named parameters. Keys are the names without the leading ':'.
using Params = QVariantMap;

class Connection {
public:
    enum class Mode { OpenExisting, CreateIfMissing };

    // Opens `path` and sets `key` on it before anything else touches the file. Throws DbError
    // when the file is missing (OpenExisting), cannot be opened, or the key does not fit.
    static std::unique_ptr<Connection> open(const QString& path, const QByteArray& key,
                                            Mode mode = Mode::OpenExisting);
    ~Connection();

    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& path() const { return path_; }
    sqlite3* handle() const { return db_; }

    // Runs one statement that returns no rows.
    void exec(const QString& sql, const Params& params = {});
    // Runs several statements without parameters (schema scripts).
    void execScript(const QString& sql);
    // First column of the first row, or an invalid QVariant when there is no row.
    QVariant scalar(const QString& sql, const Params& params = {});

    qint64 lastInsertRowId() const;
    int changes() const;
    bool inTransaction() const;

    // How long a statement waits for the other program's lock before it gives up.
    static constexpr int kBusyTimeoutMs = 10000;

private:
    Connection(sqlite3* db, QString path);
    sqlite3* db_;
    QString path_;
};

class Query;

// One result row copied out of a statement, with access by column name.
class Row {
public:
    Row() = default;
    QVariant value(const QString& column) const;
    QVariant value(int index) const { return values_.value(index); }
    int size() const { return values_.size(); }

private:
    friend class Query;
    std::shared_ptr<const QHash<QString, int>> names_;
    QVariantList values_;
};

// A prepared statement with named parameters (":name") and a cursor over its rows.
// `open()` runs the statement and stands on the first row; `value()` reads the current row by
// column name (without regard to letter case, as the windows name their fields).
class Query {
public:
    explicit Query(Connection& connection);
    ~Query();

    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Connection& connection() const { return connection_; }

    // Replaces the statement text. The prepared statement is kept when the text is the same.
    void setSql(const QString& sql);
    const QString& sql() const { return sql_; }

    void bind(const QString& name, const QVariant& value);
    void bindAll(const Params& params);

    // Runs the statement and positions on the first row (eof() when there is none).
    void open();
    // Runs the statement to its end; for statements without rows.
    void exec();
    void close();

    bool isOpen() const { return open_; }
    bool eof() const { return eof_; }
    void next();

    int columnCount() const;
    QString columnName(int index) const;
    int columnIndex(const QString& name) const;
    QVariant value(const QString& column) const;
    QVariant value(int index) const;
    Row row() const;

    // Reads every remaining row.
    std::vector<Row> fetchAll();

private:
    void prepare();
    void step();
    void bindPending();

    Connection& connection_;
    QString sql_;
    sqlite3_stmt* stmt_ = nullptr;
    std::shared_ptr<QHash<QString, int>> names_;
    QHash<QString, QVariant> pending_;
    bool open_ = false;
    bool eof_ = true;
};

// An explicit transaction: rolled back unless commit() was called.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Connection& connection_;
    bool done_ = false;
};

// Several reads that see the file as of one moment and take its shared lock once, instead of
// once per statement: a deferred transaction, ended when the guard goes. Nothing is done when a
// transaction is open already. Never hold one while waiting for a person: it keeps the other
// program from writing.
class ReadTransaction {
public:
    explicit ReadTransaction(Connection& connection);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

private:
    Connection& connection_;
    bool began_;
};

} // namespace shop::db
