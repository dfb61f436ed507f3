#include "data/databasefile.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

namespace hov {

namespace {
QAtomicInteger<quint64> connectionCounter;

// SQLite reads a double-quoted identifier that names no column as a text literal, so a
// file lacking a column would read the column's name as every value. Columns are always
// double-quoted here: make such a read fail instead.
void refuseQuotedLiterals(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return;
    if (sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData())) {
        sqlite3_db_config(connection, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        sqlite3_db_config(connection, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    }
}
} // namespace

DatabaseFile::DatabaseFile(const QString& path, const QStringList& requiredTables)
    : path_(path),
      connectionName_(QStringLiteral("hov-%1").arg(connectionCounter.fetchAndAddRelaxed(1))) {
    openFailure_.path = path_;
    openFailure_.kind = StoreFailure::Kind::Missing;
    // Opening a missing file with SQLite would create an empty one; refuse instead.
    if (!QFileInfo(path_).isFile()) {
        failure_ = openFailure_;
        return;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        openFailure_.detail = db.lastError().text();
        failure_ = openFailure_;
        return;
    }
    refuseQuotedLiterals(db);
    // One self-contained file after every commit, so a byte copy is a complete backup,
    // and every commit on disk before the call returns.
    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    pragma.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    // A file that is not a database, or not one of ours, shows up here, not at the first
    // real query.
    if (!pragma.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
        openFailure_ = storeFailure(path_, pragma.lastError());
        if (openFailure_.kind == StoreFailure::Kind::Other)
            openFailure_.kind = StoreFailure::Kind::NotADatabase;
    } else {
        QStringList present;
        while (pragma.next())
            present << pragma.value(0).toString();
        openFailure_ = StoreFailure();
        for (const QString& table : requiredTables)
            if (!present.contains(table, Qt::CaseInsensitive)) {
                openFailure_ = {StoreFailure::Kind::MissingTable, path_, table, QString()};
                break;
            }
    }
    if (openFailure_.isFailure()) {
        failure_ = openFailure_;
        pragma = QSqlQuery();
        db.close();
        return;
    }
    open_ = true;
}

DatabaseFile::~DatabaseFile() {
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        if (db.isValid())
            db.close();
    }
    if (QSqlDatabase::contains(connectionName_))
        QSqlDatabase::removeDatabase(connectionName_);
}

QSqlDatabase DatabaseFile::database() const {
    return QSqlDatabase::database(connectionName_, false);
}

bool DatabaseFile::begin() {
    failure_ = open_ ? StoreFailure() : openFailure_;
    return open_;
}

bool DatabaseFile::fail(const QSqlError& error) {
    failure_ = storeFailure(path_, error);
    // A failure without any text still is one.
    if (!failure_.isFailure())
        failure_.kind = StoreFailure::Kind::Other;
    return false;
}

bool DatabaseFile::fail(StoreFailure::Kind kind, const QString& reason) {
    failure_ = {kind, path_, reason, QString()};
    return false;
}

bool DatabaseFile::fail(const StoreFailure& failure) {
    failure_ = failure;
    return false;
}

bool DatabaseFile::exec(QSqlQuery& query, const QString& sql, const QVariantList& values) {
    if (!query.prepare(sql))
        return fail(query.lastError());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return fail(query.lastError());
    return true;
}

QString DatabaseFile::quoted(const QString& identifier, QSqlDriver::IdentifierType type) const {
    return database().driver()->escapeIdentifier(identifier, type);
}

} // namespace hov
