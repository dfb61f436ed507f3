// One step of the test window (the answer written, the next item shown and painted)
// against one plain row update on the same file with the same durability settings.
#include "benchsupport.h"
#include "ui/kit/fonts.h"
#include "ui/test/frmtest.h"
#include "ui/kit/navigator.h"
#include "data/subjectdb.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <algorithm>
#include <vector>

using namespace hov;

namespace {
template <typename F> double timeMs(F&& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}
} // namespace

int main(int argc, char** argv) {
    hovbench::prepareHeadless();
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
    constexpr int kRepetitions = 300;

    // Baseline: a single-column update of the subject's Answer1 row, prepared once, on
    // a connection with the program's durability settings.
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
    auto baseline = [&] {
        update.addBindValue((++flip & 1) ? QStringLiteral("1") : QStringLiteral("2"));
        update.addBindValue(code);
        update.exec();
    };

    // A step as the subject makes it: an answer, then "بعدي" (or "قبلي", to stay in
    // one place), which writes the row and shows the item; then the event loop paints
    // what changed, as it does in the program.
    auto* w = new FrmTest(folder);
    if (!w->attachSubject(code))
        return 1;
    w->showWaiting();
    w->Command1->click();
    QApplication::processEvents();
    int count = 0;
    auto step = [&] {
        ++count;
        (count & 2 ? w->Option1 : w->Option2)->click();
        (count & 1 ? w->CmdNext : w->CmdBack)->click();
        QApplication::processEvents(); // the repaint of what changed
    };

    // The time of a write is the disk's, and the disk is shared: the two are measured
    // in turns so both see the same load.
    std::vector<double> baselineTimes, stepTimes;
    baseline();
    step();
    for (int i = 0; i < kRepetitions; ++i) {
        baselineTimes.push_back(timeMs(baseline));
        stepTimes.push_back(timeMs(step));
    }
    auto median = [](std::vector<double>& times) {
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };
    const double baselineMs = median(baselineTimes);
    const double stepMs = median(stepTimes);
    delete w;
    update = QSqlQuery();
    pragma = QSqlQuery();
    db.close();

    const bool ok = hovbench::report(QStringLiteral("test window step"), stepMs,
                                     QStringLiteral("one SQLite row update"), baselineMs, 2.0);
    return ok ? 0 : 1;
}
