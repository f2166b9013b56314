#include "till/settle/latestbackup.h"

#include "db/backupfiles.h"

#include <QFileInfo>
#include <QRandomGenerator>

namespace shop::till {

bool RefreshLatestBackup(db::Connection& connection, QString* error) {
    const QString target = db::latestBackupPath();
    if (!QFileInfo::exists(target))
        return false;
    return db::copyDatabase(connection, target, error);
}

AfterSaleBackup::AfterSaleBackup(db::Connection& connection, Draw draw)
    : connection_(connection), draw_(std::move(draw)) {
    if (!draw_)
        draw_ = [] { return int(QRandomGenerator::global()->bounded(4)); };
}

AfterSaleBackup::Outcome AfterSaleBackup::afterSale(QString* error) {
    if (draw_() != kDrawThatCopies)
        return Outcome::NotDrawn;
    if (!QFileInfo::exists(db::latestBackupPath()))
        return Outcome::NoLatestFile;
    return RefreshLatestBackup(connection_, error) ? Outcome::Copied : Outcome::Failed;
}

} // namespace shop::till
