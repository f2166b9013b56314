// One till per desktop session: a lock file in the user's runtime folder. A lock left behind by
// a till that crashed does not block the next start.
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace shop::till {

class SingleInstance {
public:
    // `folder` empty: the user's runtime folder.
    explicit SingleInstance(const QString& folder = {});
    // True when this process now holds the lock; false when another till runs.
    bool acquire();
    QString lockPath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace shop::till
