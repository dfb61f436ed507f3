#include "tests/support/testfolder.h"

#include <QAtomicInteger>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace hovtest {

namespace {

// Offscreen test programs: a private runtime folder keeps QStandardPaths quiet.
void prepareEnvironment() {
    static QTemporaryDir runtime;
    if (runtime.isValid()) {
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
Q_CONSTRUCTOR_FUNCTION(prepareEnvironment)

bool copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    bool ok = true;
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + it.fileName();
        if (it.fileInfo().isDir())
            ok = copyTree(source, target) && ok;
        else if (!it.fileInfo().isExecutable() || it.fileName().contains(QLatin1Char('.')))
            ok = QFile::copy(source, target) && ok;
    }
    return ok;
}

QAtomicInteger<int> fixtureConnections;

template <typename F> auto withDatabase(const QString& path, F f) {
    const QString name = QStringLiteral("hovtest-%1").arg(fixtureConnections.fetchAndAddRelaxed(1));
    decltype(f(std::declval<QSqlDatabase&>())) result{};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open())
            result = f(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

} // namespace

TestAppFolder::TestAppFolder() {
    if (!dir_.isValid())
        return;
    const QString source = QStringLiteral(HOV_APP_TEMPLATE_DIR);
    ok_ = true;
    for (const char* name : {"HOVDB.mdb", "Theme.adz", "dab.adz"})
        ok_ = QFile::copy(source + QLatin1Char('/') + QLatin1String(name),
                          dir_.path() + QLatin1Char('/') + QLatin1String(name)) &&
              ok_;
    ok_ = copyTree(source + QStringLiteral("/skin"), dir_.path() + QStringLiteral("/skin")) && ok_;
}

bool TestAppFolder::exec(const QString& fileName, const QString& sql) {
    return withDatabase(dir_.path() + QLatin1Char('/') + fileName, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        const bool ok = q.exec(sql);
        if (!ok)
            qWarning() << "fixture SQL failed:" << sql << q.lastError().text();
        return ok;
    });
}

QVariant TestAppFolder::value(const QString& fileName, const QString& sql) {
    return withDatabase(dir_.path() + QLatin1Char('/') + fileName, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        if (!q.exec(sql)) {
            qWarning() << "fixture SQL failed:" << sql << q.lastError().text();
            return QVariant();
        }
        return q.next() ? q.value(0) : QVariant();
    });
}

namespace {

const char* const kWrites[] = {"INSERT", "UPDATE", "DELETE"};

QString triggerName(const QString& table, int write) {
    return QStringLiteral("\"hovtest_refuse_%1_%2\"").arg(table, QLatin1String(kWrites[write]));
}

} // namespace

bool TestAppFolder::refuseWrites(const QString& fileName, const QString& table, int writes,
                                 const QString& reason) {
    QString message = reason;
    message.replace(QLatin1Char('\''), QStringLiteral("''"));
    bool ok = true;
    for (int w = 0; w < 3; ++w)
        if (writes & (1 << w))
            ok = exec(fileName, QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON \"%3\" "
                                               "BEGIN SELECT RAISE(ABORT, '%4'); END")
                                    .arg(triggerName(table, w), QLatin1String(kWrites[w]), table,
                                         message)) &&
                 ok;
    return ok;
}

bool TestAppFolder::allowWrites(const QString& fileName, const QString& table) {
    bool ok = true;
    for (int w = 0; w < 3; ++w)
        ok = exec(fileName, QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(triggerName(table, w))) && ok;
    return ok;
}

hov::Subject sampleSubject(const QString& code, const QString& sex) {
    hov::Subject s;
    s.code = code;
    s.firstName = QStringLiteral("مريم");
    s.lastName = QStringLiteral("رضايي");
    s.age = QStringLiteral("29");
    s.sex = sex;
    s.marital = QStringLiteral("مجرد");
    s.group = QStringLiteral("C");
    s.education = QStringLiteral("ليسانس");
    s.date = QStringLiteral("1403/01/05");
    s.time = QStringLiteral("09:05:07");
    return s;
}

} // namespace hovtest
