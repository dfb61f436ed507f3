#include "data/databasefile.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace hov {

namespace {
QAtomicInteger<quint64> connectionCounter;
}

DatabaseFile::DatabaseFile(const QString& path)
    : path_(path),
      connectionName_(QStringLiteral("hov-%1").arg(connectionCounter.fetchAndAddRelaxed(1))) {
    // Opening a missing file with SQLite would create an empty one; refuse instead.
    if (!QFileInfo(path_).isFile()) {
        error_ = missingFileMessage(path_);
        return;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        error_ = missingFileMessage(path_) + QLatin1Char('\n') + db.lastError().text();
        return;
    }
    // One self-contained file after every commit, so a byte copy is a complete backup,
    // and every commit on disk before the call returns.
    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    pragma.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    // A file that is not a database shows up here, not at the first real query.
    if (!pragma.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        error_ = missingFileMessage(path_) + QLatin1Char('\n') + pragma.lastError().text();
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

QString DatabaseFile::missingFileMessage(const QString& path) {
    const QFileInfo info(path);
    return QStringLiteral("فايل اطلاعاتي %1 در پوشه %2 پيدا نشد يا قابل خواندن نيست")
        .arg(info.fileName(), QDir::toNativeSeparators(info.absolutePath()));
}

QString quoted(const QString& identifier) {
    QString inner = identifier;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

} // namespace hov
