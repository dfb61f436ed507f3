// One step of the test window (the answer written, the next item shown and painted)
// against one plain row update on the same file with the same durability settings.
#include "benchsupport.h"
#include "fonts.h"
#include "frmtest.h"
#include "navigator.h"
#include "subjectdb.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTextStream>

using namespace hov;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    installFonts();
    const QString path = hovbench::copyAppFolder();
    if (path.isEmpty())
        return 1;
    const AppFolder folder(path);
    const QString code = QStringLiteral("bench");
    {
        Subject s;
        s.code = code;
        if (!SubjectDb(folder).registerSubject(s))
            return 1;
    }
    nav::setMainWindowFactory([]() -> QWidget* { return nullptr; });
    constexpr int kRepetitions = 400;

    // Baseline: a single-column update of the subject's Answer1 row, prepared once.
    double baselineMs = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(folder.subjectDatabase());
        if (!db.open())
            return 1;
        QSqlQuery pragma(db);
        pragma.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        pragma.exec(QStringLiteral("PRAGMA synchronous=FULL"));
        QSqlQuery update(db);
        update.prepare(QStringLiteral("UPDATE \"Answer1\" SET \"1\" = ? WHERE \"Code\" = ?"));
        int flip = 0;
        baselineMs = hovbench::medianMs(
            [&] {
                update.addBindValue((++flip & 1) ? QStringLiteral("1") : QStringLiteral("2"));
                update.addBindValue(code);
                update.exec();
            },
            kRepetitions);
        update = QSqlQuery();
        pragma = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));

    // A step as the subject makes it: an answer, then "بعدي" (or "قبلي", to stay in
    // one place), which writes the row and shows the item; paint included.
    auto* w = new FrmTest(folder);
    if (!w->attachSubject(code))
        return 1;
    w->showWaiting();
    w->Command1->click();
    QApplication::processEvents();
    int count = 0;
    const double stepMs = hovbench::medianMs(
        [&] {
            ++count;
            (count & 2 ? w->Option1 : w->Option2)->click();
            (count & 1 ? w->CmdNext : w->CmdBack)->click();
            w->repaint();
        },
        kRepetitions);
    delete w;

    const bool ok = hovbench::report(QStringLiteral("test window step"), stepMs,
                                     QStringLiteral("one SQLite row update"), baselineMs, 2.0);
    return ok ? 0 : 1;
}
