// The roster over 100,000 subjects: opening the window (until it has painted the rows it
// shows) and applying a group filter, each against the sqlite3 command-line tool listing the
// same rows (code, names, group) from the same file. The tool comes from Debian's sqlite3.
#include "benchsupport.h"
#include "data/appfolder.h"
#include "ui/kit/services.h"
#include "ui/roster/frmcode.h"
#include "ui/roster/rostermodel.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVariant>

namespace {

constexpr int kSubjects = 100000;
constexpr double kTargetRatio = 3.0;

// Fills IDE with subjects of many first and last names, in one transaction.
bool fill(const QString& file) {
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(file);
        if (db.open() && db.transaction()) {
            const QStringList firsts{"علي", "رضا", "مريم", "زهرا", "محمد", "سارا", "حسين", "فاطمه",
                                     "امير", "نرگس", "مهدي", "ليلا", "کاوه", "شيرين", "بهرام", "ژاله"};
            const QStringList groups{"A", "B", "C", "D", "E", "F", "G"};
            QSqlQuery q(db);
            q.prepare(QStringLiteral("INSERT INTO \"IDE\" (\"Code\", \"FName\", \"LName\", \"Group\", "
                                     "\"Jens\", \"Sen\") VALUES (?, ?, ?, ?, ?, ?)"));
            ok = true;
            for (int n = 1; ok && n <= kSubjects; ++n) {
                q.addBindValue(QString::number(n));
                q.addBindValue(firsts[n % firsts.size()] + QString::number(n % 97));
                q.addBindValue(QStringLiteral("خانواده %1").arg(n % 20011));
                q.addBindValue(groups[n % groups.size()]);
                q.addBindValue(n % 2 ? QStringLiteral("مرد") : QStringLiteral("زن"));
                q.addBindValue(QString::number(20 + n % 50));
                ok = q.exec();
                if (!ok)
                    QTextStream(stderr) << q.lastError().text() << Qt::endl;
            }
            ok = ok && db.commit();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    return ok;
}

double sqliteMs(const QString& sqlite3, const QString& file, const QString& sql) {
    return hovbench::medianMs(
        [&] {
            QProcess p;
            p.setStandardOutputFile(QProcess::nullDevice());
            p.start(sqlite3, {file, sql});
            p.waitForFinished(60000);
        },
        9);
}

} // namespace

int main(int argc, char** argv) {
    hovbench::prepareHeadless();
    QApplication app(argc, argv);
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    const QString path = hovbench::copyAppFolder();
    if (sqlite3.isEmpty() || path.isEmpty()) {
        QTextStream(stderr) << "bench_roster: needs sqlite3 and the application folder" << Qt::endl;
        return 1;
    }
    const hov::AppFolder folder(path);
    if (!fill(folder.subjectDatabase())) {
        QTextStream(stderr) << "bench_roster: could not fill the subject table" << Qt::endl;
        return 1;
    }

    const double openMs = hovbench::medianMs(
        [&] {
            hov::FrmCode window(folder);
            window.show();
            QApplication::processEvents();
            if (window.model()->rowCount() != kSubjects)
                QTextStream(stderr) << "bench_roster: rows missing" << Qt::endl;
        },
        9);
    const double openBaseMs = sqliteMs(
        sqlite3, folder.subjectDatabase(),
        QStringLiteral("SELECT \"Code\", \"FName\", \"LName\", \"Group\" FROM \"IDE\" ORDER BY \"ID\";"));

    hov::FrmCode window(folder);
    window.show();
    QApplication::processEvents();
    int group = 0;
    const double filterMs = hovbench::medianMs(
        [&] {
            // B and C in turn, so every run changes the rows shown.
            group = group == 1 ? 2 : 1;
            window.Combo3->setCurrentIndex(group);
            emit window.Combo3->activated(group);
            QApplication::processEvents();
        },
        21);
    const double filterBaseMs = sqliteMs(
        sqlite3, folder.subjectDatabase(),
        QStringLiteral("SELECT \"Code\", \"FName\", \"LName\", \"Group\" FROM \"IDE\" "
                       "WHERE \"Group\" = 'B' ORDER BY \"ID\";"));

    const bool openOk = hovbench::report(QStringLiteral("roster of 100,000: opening the window"),
                                         openMs, QStringLiteral("sqlite3 tool, same query"),
                                         openBaseMs, kTargetRatio);
    const bool filterOk = hovbench::report(QStringLiteral("roster of 100,000: group filter"),
                                           filterMs, QStringLiteral("sqlite3 tool, same query"),
                                           filterBaseMs, kTargetRatio);
    return openOk && filterOk ? 0 : 1;
}
