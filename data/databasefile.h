#pragma once

#include "data/storefailure.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>
#include <QString>
#include <QStringList>

namespace hov {

// One open connection to one of the program's database files. The program never
// creates a database file: opening a file that is not there fails, and so does a file
// that is not a database or lacks one of the tables its store needs.
//
// The stores call begin() at the start of every operation: it clears the last failure
// (or, for a file that never opened, restores the opening's), so lastFailure() always
// speaks of the last call.
class DatabaseFile {
public:
    DatabaseFile(const QString& path, const QStringList& requiredTables);
    ~DatabaseFile();
    DatabaseFile(const DatabaseFile&) = delete;
    DatabaseFile& operator=(const DatabaseFile&) = delete;

    bool isOpen() const { return open_; }
    const QString& path() const { return path_; }
    QSqlDatabase database() const;

    // False (with the opening's failure) for a file that did not open.
    bool begin();
    const StoreFailure& lastFailure() const { return failure_; }
    // Records a driver error of this file; returns false, for `return file_.fail(q.lastError())`.
    bool fail(const QSqlError& error);
    // Records a failure the store found itself (Persian reason).
    bool fail(StoreFailure::Kind kind, const QString& reason);
    bool fail(const StoreFailure& failure);

    // Prepares `sql` on `query`, binds `values` in order and runs it. A failure (also one
    // in preparing: a missing table or column) is recorded; returns false then.
    bool exec(QSqlQuery& query, const QString& sql, const QVariantList& values = {});

    // A table or column name quoted by the driver ("Group", "160").
    QString quoted(const QString& identifier, QSqlDriver::IdentifierType type) const;
    QString table(const QString& name) const { return quoted(name, QSqlDriver::TableName); }
    QString column(const QString& name) const { return quoted(name, QSqlDriver::FieldName); }

    // Runs `work` in one transaction: committed when it returns true, rolled back otherwise.
    template <typename Work>
    bool inTransaction(Work work) {
        QSqlDatabase db = database();
        if (!db.transaction())
            return fail(db.lastError());
        if (!work()) {
            db.rollback();
            return false;
        }
        if (!db.commit()) {
            fail(db.lastError());
            db.rollback();
            return false;
        }
        return true;
    }

private:
    QString path_;
    QString connectionName_;
    StoreFailure openFailure_;
    StoreFailure failure_;
    bool open_ = false;
};

} // namespace hov
