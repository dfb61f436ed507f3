#pragma once

#include "data/appfolder.h"
#include "data/filecopy.h"

#include <QDateTime>
#include <QString>
#include <QTime>

namespace hov {

// Backup files are byte copies of HOVDB.mdb with this extension.
inline const QString kBackupExtension = QStringLiteral(".mdbB");
inline const QString kBackupFilter = QStringLiteral("Database Backup |*.mdbB");

// "HOV-Longformدر تاريخ1402.11.23 ساعت)14.35).mdbB": the Jalali date in its dotted form
// and the time as hours without a leading zero, a dot and two-digit minutes.
QString proposedBackupName(const QString& dottedJalaliDate, const QTime& time);

// Whether the file at path can serve as the subject database; if not, why: not an SQLite
// file, damaged (PRAGMA integrity_check), or a table or column the program uses missing.
CopyResult checkSubjectDatabase(const QString& path);

// Copies HOVDB.mdb to target; an earlier file there stays as it was unless the copy is
// complete.
CopyResult backupDatabase(const AppFolder& folder, const QString& target,
                          const CopyProgress& progress = {});

struct RestoreResult : CopyResult {
    // Where HOVDB.mdb as it was before the restore was kept.
    QString safetyCopy;
};

// The name of the copy of HOVDB.mdb kept when a restore replaces it: in Back/, with the
// date and time of the restore, and an .mdbB extension so it can be restored in turn.
QString safetyCopyPath(const AppFolder& folder, const QDateTime& now);

// Replaces HOVDB.mdb by the backup at source. The backup is copied beside HOVDB.mdb
// first and checked there; only a file that can serve as the subject database replaces
// it, after HOVDB.mdb as it was has been kept at safetyCopyPath(). Anything else leaves
// HOVDB.mdb untouched.
RestoreResult restoreDatabase(const AppFolder& folder, const QString& source, const QDateTime& now,
                              const CopyProgress& progress = {});

} // namespace hov
