#include "ui/main/singleinstance.h"

#include <QDir>
#include <QStandardPaths>

namespace hov {

SingleInstance::SingleInstance(const QString& lockPath) : lock_(lockPath) {
    lock_.setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    return lock_.tryLock(0);
}

QString SingleInstance::defaultLockPath() {
    // One lock per user, in the user's own runtime folder: a lock another user's copy left
    // behind (its file not ours to remove) must not keep this user's copy from starting.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return folder + QStringLiteral("/HOV-480.lock");
}

} // namespace hov
