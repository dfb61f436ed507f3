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
#include <QFile>
#include <QTextDocument>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
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

// The sample subject with the values the header lines below spell out.
Subject subjectWith(const QString& code, const QString& sex = QStringLiteral("مرد")) {
    Subject s = hovtest::sampleSubject(code, sex);
    s.firstName = QStringLiteral("علي");
    s.age = QStringLiteral("34");
    s.marital = QStringLiteral("متأهل");
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
void flattenNorms(hovtest::TestAppFolder& app, int t) {
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

QImage grabOf(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Under a real display (xvfb-run) the screen's own pixels of the window, frame included;
// offscreen the window's rendering.
void saveShot(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("HOV_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        w->grab().save(QDir(dir).filePath(name));
        return;
    }
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTest::qWait(300);
    const QRect frame = w->frameGeometry();
    w->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
        .save(QDir(dir).filePath(name));
}

QString normT(hovtest::TestAppFolder& app, const QString& column, const QString& score) {
    return app
        .value(kNorms, QStringLiteral("SELECT \"%1\" FROM tp WHERE Score = '%2'").arg(column, score))
        .toString();
}

QStringList labelTexts(const std::array<QLabel*, kScaleCount>& labels) {
    QStringList out;
    for (QLabel* l : labels)
        out << l->text();
    return out;
}

// The rows of one pixel column where picture a is dark and picture b is not.
QList<int> darkOnlyIn(const QImage& a, const QImage& b, int x, int yMax) {
    QList<int> rows;
    for (int y = 0; y < yMax; ++y)
        if (qGray(a.pixel(x, y)) < 40 && a.pixel(x, y) != b.pixel(x, y))
            rows << y;
    return rows;
}

// A registered subject whose 480 answers are all the given one.
void registerAnswered(SubjectDb& db, const Subject& s, const QString& answer) {
    QVERIFY(db.registerSubject(s));
    AnswerSheet sheet;
    for (int item = 1; item <= kItemCount; ++item)
        sheet.set(item, item <= 35 ? QString() : answer);
    QVERIFY(db.writeAllAnswers(s.code, sheet));
}

} // namespace

class TestFrmNemudar : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFonts(); }
    void cleanup() { nav::setMainWindowFactory({}); }

    void tScoresBySexOnActivation() {
        WindowFixture f;
        FrmNemudar w(f.app.folder());
        ProfileHandOver h = handOverFor(subjectWith(QStringLiteral("1"), kMale));
        h.rawScores[3] = QStringLiteral("0");
        h.rawScores[4] = QStringLiteral("99"); // no row: empty T
        w.handOver(h);
        QCOMPARE(w.Lblt[0]->text(), normT(f.app, QStringLiteral("Dom"), QStringLiteral("10")));
        QCOMPARE(w.Lblt[3]->text(), normT(f.app, QStringLiteral("Spm"), QStringLiteral("0")));
        QVERIFY(w.Lblt[4]->text().isEmpty());
        QCOMPARE(w.Lblkham[4]->text(), QStringLiteral("99"));
        const QStringList male = labelTexts(w.Lblt);

        // The same raw scores for a female subject read the f columns of the same rows.
        h.subject = subjectWith(QStringLiteral("2"), kFemale);
        w.handOver(h);
        QCOMPARE(w.Lblt[0]->text(), normT(f.app, QStringLiteral("Dof"), QStringLiteral("10")));
        QCOMPARE(w.Lblt[17]->text(), normT(f.app, QStringLiteral("Fef"), QStringLiteral("10")));
        QVERIFY(labelTexts(w.Lblt) != male);

        // Activation converts again, with the same result; a sex text the norms do not know
        // converts nothing and the T scores stay.
        const QStringList female = labelTexts(w.Lblt);
        activate(&w);
        QCOMPARE(labelTexts(w.Lblt), female);
        w.Lblj->setText(QString());
        activate(&w);
        QCOMPARE(labelTexts(w.Lblt), female);
        QCOMPARE(w.headerLine(),
                 QStringLiteral("كد  2  گروه: C  نام: علي  نام خانوادگي:  رضايي  جنس:  زن  سن:  34  "
                                "وضعيت تاهل:   متأهل  تحصيلات:  ليسانس  تاريخ:  1403/01/05"));
    }

    void countsAndNotice_data() {
        QTest::addColumn<int>("unanswered");
        QTest::addColumn<bool>("shown");
        QTest::newRow("30") << 30 << false;
        QTest::newRow("31") << 31 << true;
    }
    void countsAndNotice() {
        QFETCH(int, unanswered);
        QFETCH(bool, shown);
        WindowFixture f;
        FrmNemudar w(f.app.folder());
        w.handOver(handOverFor(subjectWith(QStringLiteral("1")), unanswered));
        w.show();
        QCOMPARE(w.Lbl30->isVisible(), shown);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label2(38)"))->text(), QString::number(unanswered));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label2(19)"))->text(), QStringLiteral("200"));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label2(39)"))->text(),
                 QString::number(280 - unanswered));
    }

    // The chart on a grab at 96 dpi: 15 twips to a pixel in the client area.
    void chartGeometry() {
        WindowFixture f;
        auto grabAt = [&](int t) {
            flattenNorms(f.app, t);
            auto* w = new FrmNemudar(f.app.folder());
            w->handOver(handOverFor(subjectWith(QStringLiteral("1"))));
            w->show();
            const QImage image = grabOf(w);
            delete w;
            return image;
        };
        const QImage at50 = grabAt(50);
        const QImage at60 = grabAt(60);
        const QImage at0 = grabAt(0);
        QCOMPARE(at50.size(), QSize(840, 670));

        // Plot fill inside Shape3 (450, 720, 10500 x 7050), window colour outside.
        const QRgb fill = report::profile::kPlotFill;
        const QRgb back = report::profile::kBackColour;
        for (QPoint inside : {QPoint(33, 51), QPoint(100, 100), QPoint(726, 505), QPoint(400, 470)})
            QCOMPARE(at50.pixel(inside), fill);
        for (QPoint outside : {QPoint(10, 300), QPoint(770, 300), QPoint(780, 640), QPoint(800, 20)})
            QCOMPARE(at50.pixel(outside), back);

        // T = 50 at y 282 (4230 twips), T = 0 at y 515 (7730), the same in every column.
        for (int x : {50, 378, 700}) {
            const QList<int> rows50 = darkOnlyIn(at50, at60, x, 520);
            QVERIFY2(!rows50.isEmpty(), qPrintable(QString::number(x)));
            for (int y : rows50)
                QVERIFY2(qAbs(y - 282) <= 1, qPrintable(QStringLiteral("x %1 y %2").arg(x).arg(y)));
            const QList<int> rows0 = darkOnlyIn(at0, at60, x, 520);
            QVERIFY(!rows0.isEmpty());
            for (int y : rows0)
                QVERIFY2(qAbs(y - 515) <= 1, qPrintable(QStringLiteral("x %1 y %2").arg(x).arg(y)));
        }

        // A flat profile runs from x 44 (660 twips) to x 712 (10685 twips).
        int first = -1, last = -1;
        for (int x = 0; x < at50.width(); ++x) {
            if (!darkOnlyIn(at50, at60, x, 520).isEmpty()) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        QVERIFY2(qAbs(first - 44) <= 1, qPrintable(QString::number(first)));
        QVERIFY2(qAbs(last - 712) <= 1, qPrintable(QString::number(last)));
    }

    // The painter gives the same picture at any resolution: at 192 dpi everything lies at
    // twice the pixel position.
    void pictureAtAnyResolution() {
        report::ProfileValues v;
        v.tScores.fill(QStringLiteral("50"));
        const QImage at96 = report::renderProfileWindow(v, report::ProfileLook::printCapture(), 96);
        const QImage at192 = report::renderProfileWindow(v, report::ProfileLook::printCapture(), 192);
        QCOMPARE(at96.size(), QSize(840, 670));
        QCOMPARE(at192.size(), QSize(1680, 1340));
        // Print capture: white back and plot; the profile is still black.
        QCOMPARE(at96.pixel(100, 100), qRgb(255, 255, 255));
        QCOMPARE(at96.pixel(10, 300), qRgb(255, 255, 255));
        QVERIFY(qGray(at192.pixel(756, 563)) < 40); // T = 50 at 2 x 282
        QVERIFY(qGray(at192.pixel(756, 550)) > 200);
    }

    void panelGeneratesLoadsAndStores() {
        WindowFixture f;
        SubjectDb db(f.app.folder());
        const Subject s = subjectWith(QStringLiteral("O'Neil"));
        QVERIFY(db.registerSubject(s));
        QVERIFY(db.registerSubject(subjectWith(QStringLiteral("other"))));
        auto* w = new FrmNemudar(f.app.folder());
        w->handOver(handOverFor(s));
        w->show();
        QVERIFY(w->FramTaf->isHidden());
        w->CmdTaf->click();
        QVERIFY(w->FramTaf->isVisible());

        w->CmdTafneu->click();
        QCOMPARE(w->LblTaf->text(), QStringLiteral("تفسير جديد"));
        NormsDb norms(f.app.folder());
        InterpretationInput in;
        in.header = w->headerLine();
        in.tScores = w->tScores();
        in.sex = kMale;
        const QString generated = interpret(in, *norms.paragraphRows());
        QCOMPARE(w->editorText(), generated);
        QVERIFY(generated.contains(QStringLiteral("\r\n")));

        // Hiding the panel keeps the editor's text.
        w->Command1->click();
        QVERIFY(w->FramTaf->isHidden());
        w->CmdTaf->click();
        QCOMPARE(w->editorText(), generated);

        // No stores nothing.
        f.dialogs.queueYesNo(false);
        w->Command3->click();
        QCOMPARE(f.dialogs.shown.last().kind, QStringLiteral("yesno"));
        QCOMPARE(f.dialogs.shown.last().caption, QStringLiteral("هشدار"));
        QCOMPARE(f.dialogs.shown.last().text, kAsk);
        QCOMPARE(db.loadInterpretation(s.code).status, SubjectDb::StoredInterpretation::Status::None);

        // Yes stores the editor's text, exactly, in this subject's row only.
        f.dialogs.queueYesNo(true);
        w->Command3->click();
        QCOMPARE(f.dialogs.notices(), QStringList{QStringLiteral("ذخيره شد")});
        QCOMPARE(db.loadInterpretation(s.code).text, generated);
        QCOMPARE(db.loadInterpretation(QStringLiteral("other")).status,
                 SubjectDb::StoredInterpretation::Status::None);

        // An edited text is stored with CR LF line ends; storing twice keeps the second.
        w->Txttaf1->setPlainText(QStringLiteral("سطر ي\nسطر ی\tك"));
        w->Txttaf1->document()->setModified(true);
        f.dialogs.queueYesNo(true);
        w->Command3->click();
        QCOMPARE(db.loadInterpretation(s.code).text, QStringLiteral("سطر ي\r\nسطر ی\tك"));
        delete w;

        // The stored text survives closing and opening the window again.
        FrmNemudar again(f.app.folder());
        again.handOver(handOverFor(s));
        QVERIFY(again.editorText().isEmpty());
        QVERIFY(again.LblTaf->text().isEmpty());
        again.CmdTaf->click();
        again.CmdTafalt->click();
        QCOMPARE(again.LblTaf->text(), QStringLiteral("تفسير ذخيره شده"));
        QCOMPARE(again.editorText(), QStringLiteral("سطر ي\r\nسطر ی\tك"));
        QVERIFY(f.dialogs.allAnswersUsed());
    }

    void storedTextComesBackExactly() {
        WindowFixture f;
        SubjectDb db(f.app.folder());
        const Subject s = subjectWith(QStringLiteral("5"));
        QVERIFY(db.registerSubject(s));
        // Lone line feeds (as in the paragraphs), a lone CR, bidi marks, 100000 characters.
        const QString text = QStringLiteral("a\nb\rc\r\n\u200fي\u202bی\u202c\t") + QString(100000, QChar(0x06A9));
        QVERIFY(db.storeInterpretation(s.code, text));
        FrmNemudar w(f.app.folder());
        w.handOver(handOverFor(s));
        w.CmdTafalt->click();
        QCOMPARE(w.editorText(), text);
        // Stored again unchanged, it stays exactly as it was.
        f.dialogs.queueYesNo(true);
        w.Command3->click();
        QCOMPARE(db.loadInterpretation(s.code).text, text);
    }

    void failedStoreIsReported() {
        WindowFixture f;
        SubjectDb db(f.app.folder());
        const Subject s = subjectWith(QStringLiteral("9"));
        QVERIFY(db.registerSubject(s));
        FrmNemudar w(f.app.folder());
        w.handOver(handOverFor(s));
        w.CmdTafneu->click();
        const QString text = w.editorText();
        // The subject's row is gone (deleted from the roster meanwhile).
        QVERIFY(f.app.exec(kIde, QStringLiteral("DELETE FROM IDE WHERE Code = '9'")));
        f.dialogs.queueYesNo(true);
        w.Command3->click();
        QVERIFY(f.dialogs.notices().isEmpty());
        QCOMPARE(f.dialogs.shown.last().kind, QStringLiteral("message"));
        QCOMPARE(f.dialogs.shown.last().caption, QStringLiteral("خطا"));
        QVERIFY(f.dialogs.shown.last().text.startsWith(QStringLiteral("تفسير ذخيره نشد")));
        QCOMPARE(w.editorText(), text);

        // A file whose stored text cannot be read: reported, the editor keeps its text.
        QVERIFY(f.app.exec(kIde, QStringLiteral("ALTER TABLE IDE DROP COLUMN Taf")));
        w.CmdTafalt->click();
        QCOMPARE(f.dialogs.shown.last().caption, QStringLiteral("خطا"));
        QVERIFY(f.dialogs.shown.last().text.startsWith(QStringLiteral("تفسير ذخيره شده خوانده نشد")));
        QCOMPARE(w.editorText(), text);
        QCOMPARE(w.LblTaf->text(), QStringLiteral("تفسير جديد"));
    }

    void unreadableNormsFile() {
        WindowFixture f;
        QVERIFY(QFile::remove(f.app.folder().normsDatabase()));
        FrmNemudar w(f.app.folder());
        w.handOver(handOverFor(subjectWith(QStringLiteral("1"))));
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown.first().caption, QStringLiteral("خطا"));
        QVERIFY(f.dialogs.shown.first().text.contains(QStringLiteral("dab.adz")));
        for (QLabel* t : w.Lblt)
            QVERIFY(t->text().isEmpty());
        // Activation does not ask again; generation still writes what it can.
        activate(&w);
        QCOMPARE(f.dialogs.shown.size(), 1);
        w.CmdTafneu->click();
        QVERIFY(w.editorText().startsWith(w.headerLine() + QStringLiteral("\r\n\r\n")));
    }

    // "رسم نمودار" opens the window with the last computation; closing brings the scoring
    // window back; a second hand-over while the window is open shows the new subject whole.
    void handOverFromScoring() {
        WindowFixture f;
        nav::setAppFolder(f.app.folder());
        nav::setMainWindowFactory([] { return static_cast<QWidget*>(nullptr); });
        SubjectDb db(f.app.folder());
        registerAnswered(db, subjectWith(QStringLiteral("A"), kMale), QStringLiteral("1"));
        registerAnswered(db, subjectWith(QStringLiteral("B"), kFemale), QStringLiteral("2"));
        QVERIFY(db.storeInterpretation(QStringLiteral("B"), QStringLiteral("stored for B")));
        // B answers 10 more items than A leaves open: 35 unanswered for A, 25 for B.
        QVERIFY(f.app.exec(kIde, QStringLiteral("UPDATE Answer1 SET \"1\" = '2', \"2\" = '2', "
                                                "\"3\" = '2', \"4\" = '2', \"5\" = '2', \"6\" = '2', "
                                                "\"7\" = '2', \"8\" = '2', \"9\" = '2', \"10\" = '2' "
                                                "WHERE Code = 'B'")));

        QPointer<FrmkLID> scoring = new FrmkLID(f.app.folder());
        connectProfileWindow(scoring, f.app.folder());
        scoring->show();
        auto choose = [&](const QString& code) {
            f.dialogs.queueInput(code);
            scoring->Command1->click();
        };
        choose(QStringLiteral("A"));
        scoring->Command3->click();
        QPointer<FrmNemudar> profile = openProfileWindow(scoring);
        QVERIFY(profile);
        QVERIFY(profile->isVisible());
        QStringList rawA;
        for (int i = 0; i < kScaleCount; ++i)
            rawA << scoring->result().rawScoreText(i);
        QCOMPARE(labelTexts(profile->Lblkham), rawA);
        QCOMPARE(profile->Label2_38->text(), QStringLiteral("35"));
        QVERIFY(profile->Lbl30->isVisible());
        QCOMPARE(profile->Lblj->text(), kMale);
        profile->CmdTaf->click();
        profile->CmdTafneu->click();
        QVERIFY(profile->editorText().contains(QStringLiteral("كد  A  ")));

        // Second hand-over, the profile window still open.
        choose(QStringLiteral("B"));
        scoring->Command3->click();
        QCOMPARE(scoring->findChildren<FrmNemudar*>().size(), 1);
        QCOMPARE(openProfileWindow(scoring), profile.data());
        QCOMPARE(profile->Lblj->text(), kFemale);
        QCOMPARE(profile->Label2_38->text(), QStringLiteral("25"));
        QVERIFY(profile->Lbl30->isHidden());
        QVERIFY(profile->headerLine().startsWith(QStringLiteral("كد  B  ")));
        QVERIFY(profile->editorText().isEmpty()); // nothing of A left to store into B
        QCOMPARE(profile->Lblt[0]->text(),
                 normT(f.app, QStringLiteral("Dof"), scoring->result().rawScoreText(0)));
        profile->CmdTaf->click();
        profile->CmdTafalt->click();
        QCOMPARE(profile->editorText(), QStringLiteral("stored for B"));
        profile->Txttaf1->setPlainText(QStringLiteral("new for B"));
        profile->Txttaf1->document()->setModified(true);
        f.dialogs.queueYesNo(true);
        profile->Command3->click();
        QCOMPARE(db.loadInterpretation(QStringLiteral("B")).text, QStringLiteral("new for B"));
        QCOMPARE(db.loadInterpretation(QStringLiteral("A")).status,
                 SubjectDb::StoredInterpretation::Status::None);

        // Esc closes the window; the scoring window is there, as it was.
        QSignalSpy closed(profile.data(), &FrmNemudar::closed);
        scoring->hide();
        QTest::keyClick(profile.data(), Qt::Key_Escape);
        QCOMPARE(closed.size(), 1);
        QTRY_VERIFY(!profile);
        QVERIFY(scoring->isVisible());
        QCOMPARE(scoring->result().subject.code, QStringLiteral("B"));

        // "خروج" closes it as well.
        scoring->Command3->click();
        profile = openProfileWindow(scoring);
        QVERIFY(profile);
        profile->Command2->click();
        QTRY_VERIFY(!profile);
        QVERIFY(scoring->isVisible());
        QVERIFY(f.dialogs.allAnswersUsed());
        delete scoring;
    }

    void screenshot() {
        const QString dir = qEnvironmentVariable("HOV_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("set HOV_SCREENSHOT_DIR to keep pictures of the window");
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
        report::renderProfileWindow(w.profileValues(), report::ProfileLook::wordCapture(), 192)
            .save(QDir(dir).filePath(QStringLiteral("profile-word-192dpi.png")));
    }
};

QTEST_MAIN(TestFrmNemudar)
#include "test_frmnemudar.moc"
