#include "data/backup.h"

#include "data/bidi.h"
#include "data/jalali.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace hov {

namespace {

QStringList numbered(int first, int last) {
    QStringList names;
    for (int n = first; n <= last; ++n)
        names << QString::number(n);
    return names;
}

// The tables of HOVDB.mdb and the columns the program reads and writes in them.
struct TableColumns {
    QString table;
    QStringList columns;
};

const QList<TableColumns>& subjectDatabaseTables() {
    static const QList<TableColumns> tables = [] {
        const QStringList key{QStringLiteral("ID"), QStringLiteral("Code")};
        return QList<TableColumns>{
            {QStringLiteral("IDE"),
             key + QStringList{"FName", "LName", "Sen", "Jens", "Taahol", "Group", "Tahsil",
                               "Date",  "Time",  "Taf", "Do",   "Cs",     "Sy",    "Sp",
                               "Sa",    "Wb",    "Re",  "So",   "Sc",     "To",    "Gi",
                               "Cm",    "Ac",    "Ai",  "Le",   "Py",     "Fx",    "Fe"}},
            {QStringLiteral("Answer1"), key + numbered(1, 160)},
            {QStringLiteral("Answer2"), key + numbered(161, 320)},
            {QStringLiteral("Answer3"), key + numbered(321, 480)},
            {QStringLiteral("QUS"), {QStringLiteral("Code"), QStringLiteral("QU")}},
            {QStringLiteral("Theme"),
             {"Name", "Adress", "T1", "T2", "T3", "T4", "T5", "T6", "T11", "TH", "logo", "Check1"}},
        };
    }();
    return tables;
}

QString quotedName(const QString& identifier) {
    return QLatin1Char('"') +
           QString(identifier).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QAtomicInteger<quint64> checkConnections;

CopyResult checkIn(QSqlDatabase& db) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA integrity_check")))
        return CopyResult::failure(
            QStringLiteral("فايل انتخاب شده پايگاه داده اين برنامه نيست يا آسيب ديده است"),
            q.lastError().text());
    QStringList findings;
    while (q.next())
        findings << q.value(0).toString();
    if (findings != QStringList{QStringLiteral("ok")})
        return CopyResult::failure(QStringLiteral("فايل انتخاب شده آسيب ديده است"),
                                   findings.mid(0, 5).join(QLatin1Char('\n')));

    for (const TableColumns& t : subjectDatabaseTables()) {
        QSqlQuery kind(db);
        kind.prepare(QStringLiteral("SELECT type FROM sqlite_master WHERE name = ?"));
        kind.addBindValue(t.table);
        if (!kind.exec())
            return CopyResult::failure(QStringLiteral("فايل انتخاب شده خوانده نشد"),
                                       kind.lastError().text());
        if (!kind.next() || kind.value(0).toString() != QLatin1String("table"))
            return CopyResult::failure(
                QStringLiteral("جدول %1 در فايل انتخاب شده نيست").arg(t.table));
        QSqlQuery info(db);
        if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quotedName(t.table))))
            return CopyResult::failure(
                QStringLiteral("جدول %1 در فايل انتخاب شده خوانده نشد").arg(t.table),
                info.lastError().text());
        QStringList present;
        while (info.next())
            present << info.value(1).toString();
        for (const QString& column : t.columns) {
            if (!present.contains(column))
                return CopyResult::failure(
                    QStringLiteral("ستون %1 در جدول %2 فايل انتخاب شده نيست").arg(column, t.table));
        }
    }
    return CopyResult::success();
}

} // namespace

QString proposedBackupName(const QString& dottedJalaliDate, const QTime& time) {
    return QStringLiteral("HOV-Longform") + QStringLiteral("در تاريخ") + dottedJalaliDate +
           QStringLiteral(" ساعت)") + time.toString(QStringLiteral("h.mm")) + QStringLiteral(")") +
           kBackupExtension;
}

CopyResult checkSubjectDatabase(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CopyResult::failure(QStringLiteral("فايل %1 خوانده نشد").arg(isolatedPath(path)),
                                   file.errorString());
    if (file.size() == 0)
        return CopyResult::failure(QStringLiteral("فايل انتخاب شده خالي است"));
    // Every SQLite file starts so; anything else need not be opened at all.
    static const QByteArray magic("SQLite format 3\0", 16);
    if (file.read(magic.size()) != magic)
        return CopyResult::failure(QStringLiteral("فايل انتخاب شده پايگاه داده اين برنامه نيست"));
    file.close();

    const QString name = QStringLiteral("hov-check-%1").arg(checkConnections.fetchAndAddRelaxed(1));
    CopyResult result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            result = CopyResult::failure(QStringLiteral("فايل انتخاب شده باز نشد"),
                                         db.lastError().text());
        else
            result = checkIn(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

CopyResult backupDatabase(const AppFolder& folder, const QString& target,
                          const CopyProgress& progress) {
    return copyFileSafely(folder.subjectDatabase(), target, progress);
}

QString safetyCopyPath(const AppFolder& folder, const QDateTime& now) {
    const QString stem = QStringLiteral("HOVDB پيش از بازيابي ") + jalali::dateText(now.date(), 4) +
                         QStringLiteral(" ساعت ") + now.time().toString(QStringLiteral("h.mm.ss"));
    QString path = folder.backupFolder() + QLatin1Char('/') + stem + kBackupExtension;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.backupFolder() + QLatin1Char('/') + stem + QStringLiteral(" (%1)").arg(n) +
               kBackupExtension;
    return path;
}

RestoreResult restoreDatabase(const AppFolder& folder, const QString& source, const QDateTime& now,
                              const CopyProgress& progress) {
    RestoreResult result;
    const QString database = folder.subjectDatabase();
    const auto checkAndKeep = [&](const QString& copied) -> CopyResult {
        // A large file takes a while to check: the window's events run meanwhile.
        const CopyResult checked =
            runWhileWaiting([copied] { return checkSubjectDatabase(copied); }, progress);
        if (!checked.ok || !QFileInfo::exists(database))
            return checked;
        if (!QDir().mkpath(folder.backupFolder()))
            return CopyResult::failure(
                QStringLiteral("پوشه %1 ساخته نشد").arg(isolatedPath(folder.backupFolder())));
        const QString keep = safetyCopyPath(folder, now);
        const CopyResult kept = copyFileSafely(database, keep, progress);
        if (!kept.ok)
            return CopyResult::failure(QStringLiteral("نسخه فعلي اطلاعات نگه داشته نشد") +
                                           QLatin1Char('\n') + kept.error,
                                       kept.detail);
        result.safetyCopy = keep;
        return kept;
    };
    static_cast<CopyResult&>(result) = copyFileSafely(source, database, progress, checkAndKeep);
    if (!result.ok) {
        // The safety copy made for a replace that then failed stays: it is HOVDB.mdb as it
        // still is, harmless, and the operator was told nothing changed.
        result.error += QLatin1Char('\n') + QStringLiteral("اطلاعات فعلي برنامه تغيير نکرد");
    }
    return result;
}

} // namespace hov
