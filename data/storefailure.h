#pragma once

#include <QString>

class QSqlError;

namespace hov {

// Why a database file could not be read or written. The operator reads describe(failure),
// a Persian sentence that names the file; the driver's own (English) words stay in
// `detail`, for the details section of an error box (Dialogs::error).
struct StoreFailure {
    enum class Kind {
        None,         // no failure
        Missing,      // the file is not there, or cannot be opened at all
        NotADatabase, // garbage bytes, a damaged file
        MissingTable, // a database, but not one of ours: a table it must hold is not there
        ReadOnly,     // the file or its folder does not allow writing
        DiskFull,     // no room left on the disk
        Locked,       // another program holds the file past the busy time-out
        Other,        // anything else; `reason` may say more
    };
    Kind kind = Kind::None;
    QString path;   // the database file
    QString reason; // Persian: the store's own words for an Other failure, or the missing table
    QString detail; // the driver's text, shown only as a detail

    bool isFailure() const { return kind != Kind::None; }
};

// The Persian sentence for a failure, naming the file (isolated, so that its path reads
// left to right inside the sentence). Empty for Kind::None.
QString describe(const StoreFailure& failure);

// A failure of `path` from a driver error: the kind read from SQLite's result code and,
// failing that, from the driver's text; the text itself becomes the detail.
StoreFailure storeFailure(const QString& path, const QSqlError& error);

// The message for a database file that is missing or cannot be opened; the same sentence
// as describe() gives for Kind::Missing.
QString missingFileMessage(const QString& path);

} // namespace hov
