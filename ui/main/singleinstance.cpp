#include "ui/main/singleinstance.h"

#include <QDir>

namespace hov {

SingleInstance::SingleInstance(const QString& lockPath) : lock_(lockPath) {
    lock_.setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    return lock_.tryLock(0);
}

QString SingleInstance::defaultLockPath() {
    return QDir::tempPath() + QStringLiteral("/HOV-480.lock");
}

} // namespace hov
