// Temporary shop folders on real encrypted files, for tests.
#pragma once

#include "db/connection.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace shop::test {

// A new shop folder (with or without the demo shop) in a temporary directory, set as the
// programs' shop folder, with an open connection. The clock is put back when it ends.
class TempShop {
public:
    explicit TempShop(bool demo = false);
    ~TempShop();

    QString folder() const;      // ends in '/'
    QString path(const QString& name) const;
    db::Connection& db() { return *connection_; }
    void reopen();

private:
    QTemporaryDir dir_;
    std::unique_ptr<db::Connection> connection_;
};

// Runs a program and returns its exit code, standard output and standard error.
struct ProcessResult {
    int exitCode = -1;
    QString out;
    QString err;
};
ProcessResult runProgram(const QString& program, const QStringList& arguments, int timeoutMs = 120000);

} // namespace shop::test
