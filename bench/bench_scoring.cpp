// Subject selection in the scoring window, from the code typed to the 18 raw scores stored,
// against one plain read of a subject's row from the same file.
#include "benchsupport.h"
#include "ui/scoring/frmklid.h"
#include "ui/kit/services.h"
#include "data/subjectdb.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVariant>

namespace {

// Answers the code box and swallows the warning, as an operator would, without waiting.
class BenchDialogs : public hov::Dialogs {
public:
    QString code;
    void notice(QWidget*, const QString&) override {}
    void message(QWidget*, const QString&, const QString&, Icon) override {}
    void error(QWidget*, const QString&, const QString&, const QString&, Icon) override {}
    bool askYesNo(QWidget*, const QString&, const QString&, Icon) override { return false; }
    QString input(QWidget*, const QString&, const QString&, const QString&) override {
        return code;
    }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
};

constexpr double kTargetMs = 5.0;

} // namespace

int main(int argc, char** argv) {
    hovbench::prepareHeadless();
    QApplication app(argc, argv);
    const QString path = hovbench::copyAppFolder();
    if (path.isEmpty()) {
        QTextStream(stderr) << "bench_scoring: no application folder" << Qt::endl;
        return 1;
    }
    const hov::AppFolder folder(path);

    // A few hundred subjects, so the look-ups do not run on a near-empty file; the one
    // chosen has every kind of answer, some unanswered (the warning path runs too).
    {
        hov::SubjectDb db(folder);
        for (int n = 1; n <= 300; ++n) {
            hov::Subject s;
            s.code = QStringLiteral("B%1").arg(n);
            s.firstName = QStringLiteral("علي");
            s.sex = QStringLiteral("زن");
            hov::AnswerSheet sheet;
            for (int item = 1; item <= hov::kItemCount; ++item)
                sheet.set(item, item % 17 == 0 ? QString() : QString::number(1 + (item + n) % 2));
            if (!db.registerSubject(s) || !db.writeAllAnswers(s.code, sheet)) {
                QTextStream(stderr) << "bench_scoring: " << db.lastError() << Qt::endl;
                return 1;
            }
        }
    }

    BenchDialogs dialogs;
    dialogs.code = QStringLiteral("B150");
    hov::ScopedServices services(&dialogs);
    hov::FrmkLID window(folder);
    window.show();
    const double selectMs = hovbench::medianMs([&] { window.Command1->click(); }, 200);
    if (!window.hasResult()) {
        QTextStream(stderr) << "bench_scoring: no result" << Qt::endl;
        return 1;
    }

    double rowMs = 0;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("baseline"));
        db.setDatabaseName(folder.subjectDatabase());
        db.open();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT * FROM \"IDE\" WHERE \"Code\" = ?"));
        rowMs = hovbench::medianMs(
            [&] {
                q.addBindValue(QStringLiteral("B150"));
                q.exec();
                q.next();
                (void)q.value(0);
                q.finish();
            },
            200);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("baseline"));

    // The target is absolute; the ratio says what it is in plain row reads on this machine.
    const bool ratioOk = hovbench::report(QStringLiteral("scoring selection to stored scores"),
                                          selectMs, QStringLiteral("one SQLite row read"), rowMs,
                                          rowMs > 0 ? kTargetMs / rowMs : 0);
    const bool absoluteOk = selectMs < kTargetMs;
    QTextStream(stdout) << "scoring selection to stored scores: "
                        << QString::number(selectMs, 'f', 3) << " ms, target < " << kTargetMs
                        << " ms " << (absoluteOk ? "OK" : "MISSED") << Qt::endl;
    return ratioOk && absoluteOk ? 0 : 1;
}
