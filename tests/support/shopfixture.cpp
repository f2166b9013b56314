#include "support/shopfixture.h"

#include "db/shopsetup.h"
#include "platform/clock.h"
#include "platform/shopfolder.h"

#include <QProcess>

namespace shop::test {

TempShop::TempShop(bool demo) {
    const db::SetupResult result = db::initShopFolder(dir_.path(), demo);
    if (!result.ok)
        throw db::DbError(result.message);
    reopen();
}

TempShop::~TempShop() {
    connection_.reset();
    Clock::reset();
}

QString TempShop::folder() const {
    return dir_.path() + u'/';
}

QString TempShop::path(const QString& name) const {
    return folder() + name;
}

void TempShop::reopen() {
    connection_.reset();
    setAppPath(dir_.path());
    connection_ = db::openShopDatabase(datFilePath());
}

ProcessResult runProgram(const QString& program, const QStringList& arguments, int timeoutMs) {
    QProcess process;
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = QStringLiteral("timed out");
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

} // namespace shop::test
