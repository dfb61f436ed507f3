#pragma once

#include <QLockFile>
#include <QString>

namespace hov {

// Keeps a second copy of the program from running. A lock left behind by a copy that
// crashed does not count: the lock is stale as soon as its owner process is gone.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath);
    // True when no other running copy holds the lock; this copy then holds it.
    bool acquire();

    // The lock of the user running the program, in the user's runtime folder.
    static QString defaultLockPath();

private:
    QLockFile lock_;
};

inline const QString kAlreadyRunningText = QStringLiteral("برنامه در حال اجراست");
inline const QString kAlreadyRunningCaption = QStringLiteral("Warnnig");

} // namespace hov
