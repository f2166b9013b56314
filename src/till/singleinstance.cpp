#include "till/singleinstance.h"

#include <QDir>
#include <QStandardPaths>

namespace shop::till {

SingleInstance::SingleInstance(const QString& folder) {
    QString dir = folder;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    path_ = QDir(dir).filePath(QStringLiteral("OnlyOneTB.lock"));
    lock_ = std::make_unique<QLockFile>(path_);
    // A lock is stale only when its process is gone (checked by process id), never by age.
    lock_->setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    return lock_->tryLock(0);
}

} // namespace shop::till
