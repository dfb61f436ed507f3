// The profile window's printed report and Word export: the capture states and their undoing,
// the report's preview (with and without the stored interpretation, saved as PDF) and the
// .docx in the documents folder, read back with pdftotext and python-docx; the failures.
#include "data/subjectdb.h"
#include "report/profilepainter.h"
#include "tests/support/documents.h"
#include "tests/support/testsupport.h"
#include "ui/kit/fonts.h"
#include "ui/profile/frmnemudar.h"
#include "ui/profile/profileoutput.h"
#include "ui/profile/reportpreview.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QJsonArray>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QAction>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

#include <csignal>
#include <sys/resource.h>

using namespace hov;
using hovtest::WindowFixture;

namespace {

const QString kDone = QStringLiteral(": فايل شما") + QStringLiteral("\r\n\r\n\r\n\r\n") +
                      QStringLiteral(". ساخته شد");

// A home of our own, so the documents folder is a temporary one.
QTemporaryDir& home() {
    static QTemporaryDir dir;
    return dir;
}
void prepareHome() {
    qputenv("HOME", home().path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home().path() + QStringLiteral("/.config")).toUtf8());
}
Q_CONSTRUCTOR_FUNCTION(prepareHome)

QString documents() {
    return home().path() + QStringLiteral("/Documents");
}

Subject sampleSubject() {
    Subject s;
    s.code = QStringLiteral("P-77");
    s.firstName = QStringLiteral("سارا");
    s.lastName = QStringLiteral("كريمي");
    s.age = QStringLiteral("29");
    s.sex = QStringLiteral("زن");
    s.marital = QStringLiteral("مجرد");
    s.group = QStringLiteral("D");
    s.education = QStringLiteral("ديپلم");
    s.date = QStringLiteral("1403/02/20");
    return s;
}

// The window showing one registered subject, with its stored interpretation if given.
struct ProfileFixture : WindowFixture {
    std::unique_ptr<FrmNemudar> window;

    explicit ProfileFixture(const QString& stored = QString()) {
        SubjectDb db(app.folder());
        if (!db.registerSubject(sampleSubject()))
            qFatal("cannot register the subject");
        if (!stored.isEmpty() && !db.storeInterpretation(sampleSubject().code, stored))
            qFatal("cannot store the interpretation");
        ProfileHandOver h;
        h.subject = sampleSubject();
        h.unanswered = 12;
        h.yes = 240;
        h.no = 228;
        h.rawScores.fill(QStringLiteral("15"));
        h.clinicName = QStringLiteral("مرکز مشاوره نمونه");
        h.clinicAddress = QStringLiteral("شيراز، خيابان زند");
        window = std::make_unique<FrmNemudar>(app.folder());
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->handOver(h);
        window->show();
        QEvent e(QEvent::WindowActivate);
        QApplication::sendEvent(window.get(), &e);
    }
    QString stored() {
        return SubjectDb(app.folder()).loadInterpretation(sampleSubject().code).text;
    }
};

QList<ReportPreview*> previews() {
    QList<ReportPreview*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<ReportPreview*>(w); p && p->isVisible())
            found << p;
    return found;
}

void closePreviews() {
    for (ReportPreview* p : previews())
        p->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// What the window shows and how: every child's visibility, the look and the pointer.
struct WindowState {
    QMap<QString, bool> visible;
    bool white, title, buttons, countsRow;
    Qt::CursorShape cursor;
    bool operator==(const WindowState&) const = default;
};

// The names where two states differ, for the failure message.
QString differences(const WindowState& a, const WindowState& b) {
    QStringList out;
    for (auto it = a.visible.cbegin(); it != a.visible.cend(); ++it)
        if (b.visible.value(it.key(), !it.value()) != it.value())
            out << it.key();
    if (a.white != b.white || a.title != b.title || a.buttons != b.buttons
        || a.countsRow != b.countsRow)
        out << QStringLiteral("look");
    if (a.cursor != b.cursor)
        out << QStringLiteral("pointer");
    return out.join(QLatin1Char(' '));
}

WindowState stateOf(FrmNemudar& w) {
    WindowState s;
    for (QWidget* child : w.findChildren<QWidget*>())
        if (!child->objectName().isEmpty())
            s.visible[child->objectName()] = child->isVisible();
    s.white = w.look().white;
    s.title = w.look().title;
    s.buttons = w.look().buttons;
    s.countsRow = w.look().countsRow;
    s.cursor = w.cursor().shape();
    return s;
}

QStringList paragraphTexts(const QJsonObject& doc) {
    QStringList texts;
    for (const QJsonValue& p : doc.value(QStringLiteral("paragraphs")).toArray())
        texts << (p.toObject().value(QStringLiteral("picture")).toBool()
                      ? QStringLiteral("<picture>")
                      : p.toObject().value(QStringLiteral("text")).toString());
    return texts;
}

} // namespace

class TestProfileOutput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        installFonts();
        QVERIFY(home().isValid());
    }
    void cleanup() { closePreviews(); }

    // With HOV_SCREENSHOT_DIR set: the preview, its PDF and both documents, to look at.
    void screenshots() {
        const QString dir = qEnvironmentVariable("HOV_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("HOV_SCREENSHOT_DIR not set");
        QStringList lines;
        for (int i = 1; i <= 24; ++i)
            lines << QStringLiteral("بند %1: آزمودني در اين مقياس نمره اي بالاتر از ميانگين دارد؛ "
                                    "اين الگو با سازگاري اجتماعي و مسئوليت پذيري همراه است (T = 62).")
                         .arg(i);
        ProfileFixture f(lines.join(QStringLiteral("\r\n")));
        FrmNemudar& w = *f.window;
        w.Cmdprint->click();
        ReportPreview* preview = previews().value(0);
        QVERIFY(preview);
        preview->resize(900, 1000);
        QTest::qWait(200);
        preview->grab().save(QDir(dir).filePath(QStringLiteral("report-preview.png")));
        QVERIFY(preview->savePdf(QDir(dir).filePath(QStringLiteral("report.pdf"))));
        w.Cmdword->click();
        QFile::remove(QDir(dir).filePath(QStringLiteral("ss11-profile.docx")));
        QFile::copy(profileoutput::wordDocumentPath(), QDir(dir).filePath(QStringLiteral("ss11-profile.docx")));
        w.Cmdword2->click();
        QFile::remove(QDir(dir).filePath(QStringLiteral("ss11-text.docx")));
        QFile::copy(profileoutput::wordDocumentPath(), QDir(dir).filePath(QStringLiteral("ss11-text.docx")));
    }

    void documentGoesToTheDocumentsFolder() {
        QCOMPARE(profileoutput::wordDocumentPath(), documents() + QStringLiteral("/ss11.docx"));
    }

    void captureStateIsUndoneExactly_data() {
        QTest::addColumn<bool>("print");
        QTest::newRow("print") << true;
        QTest::newRow("word") << false;
    }
    void captureStateIsUndoneExactly() {
        QFETCH(bool, print);
        ProfileFixture f;
        FrmNemudar& w = *f.window;
        w.CmdTaf->click(); // the panel is open before the capture
        QVERIFY(w.FramTaf->isVisible());
        WindowState before = stateOf(w);
        {
            CaptureState capture(w, print ? report::ProfileLook::printCapture()
                                          : report::ProfileLook::wordCapture());
            QVERIFY(w.look().white);
            QVERIFY(!w.Label6->isVisible());
            for (QPushButton* b : {w.Command2, w.Cmdprint2, w.Cmdprint, w.CmdTaf, w.Cmdword, w.Cmdword2})
                QVERIFY(!b->isVisible());
            QCOMPARE(w.Label2_38->isVisible(), !print);
            QCOMPARE(w.Label2_19->isVisible(), !print);
            QCOMPARE(w.Label2_39->isVisible(), !print);
            QVERIFY(!w.FramTaf->isVisible());
            QCOMPARE(w.cursor().shape(), Qt::WaitCursor);
        }
        // At rest again, exactly as before, except that the panel stays hidden.
        before.visible[QStringLiteral("FramTaf")] = false;
        for (QWidget* child : w.FramTaf->findChildren<QWidget*>())
            if (!child->objectName().isEmpty())
                before.visible[child->objectName()] = false;
        QVERIFY2(stateOf(w) == before, qPrintable(differences(stateOf(w), before)));

        // A pointer of the window's own comes back as it was.
        w.setCursor(Qt::CrossCursor);
        { CaptureState capture(w, report::ProfileLook::wordCapture()); }
        QCOMPARE(w.cursor().shape(), Qt::CrossCursor);
    }

    void printWithAndWithoutInterpretation() {
        const QString stored = QStringLiteral("متن ذخيره شده اول\r\nسطر دوم تفسير");
        ProfileFixture f(stored);
        FrmNemudar& w = *f.window;
        QApplication::clipboard()->setText(QStringLiteral("clipboard of the operator"));
        // An edit in the editor that was never stored does not print.
        w.CmdTaf->click();
        w.setEditorText(QStringLiteral("ويرايش ذخيره نشده"));
        w.Command1->click();
        const WindowState rest = stateOf(w);

        w.Cmdprint->click();
        QList<ReportPreview*> shown = previews();
        QCOMPARE(shown.size(), 1);
        ReportPreview* first = shown.first();
        QVERIFY(!first->isModal());
        QCOMPARE(first->values().interpretation, stored);
        QVERIFY2(stateOf(w) == rest, qPrintable(differences(stateOf(w), rest)));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("with.pdf"));
        QString error;
        QVERIFY2(first->savePdf(pdf, &error), qPrintable(error));
        const QString text = hovtest::pdfText(pdf);
        for (const QString& expected :
             {QStringLiteral("P-77"), QStringLiteral("سارا"), QStringLiteral("كريمي"),
              QStringLiteral("ديپلم"), QStringLiteral("1403/02/20"), QStringLiteral("240"),
              QStringLiteral("228"), QStringLiteral("مرکز مشاوره نمونه"),
              QStringLiteral("شيراز، خيابان زند"), QStringLiteral("متن ذخيره شده اول"),
              QStringLiteral("سطر دوم تفسير")})
            QVERIFY2(text.contains(hovtest::normalised(expected)), qPrintable(expected));
        QVERIFY(!text.contains(hovtest::normalised(QStringLiteral("ويرايش ذخيره نشده"))));

        // Without interpretation, after one with it: a new report without the text.
        w.Cmdprint2->click();
        shown = previews();
        QCOMPARE(shown.size(), 2);
        ReportPreview* second = shown.first() == first ? shown.last() : shown.first();
        QVERIFY(second->values().interpretation.isEmpty());
        const QString pdf2 = dir.filePath(QStringLiteral("without.pdf"));
        QVERIFY(second->savePdf(pdf2));
        const QString text2 = hovtest::pdfText(pdf2);
        QVERIFY(text2.contains(hovtest::normalised(QStringLiteral("كريمي"))));
        QVERIFY(!text2.contains(hovtest::normalised(QStringLiteral("متن ذخيره شده اول"))));

        // The preview outlives the window.
        f.window.reset();
        QVERIFY(first->savePdf(pdf));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("clipboard of the operator"));
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    // Without norms and paragraphs no new interpretation is made and stored for the
    // document: it would stand as the subject's interpretation.
    void wordExportRefusesWithoutNorms() {
        ProfileFixture f;
        FrmNemudar& w = *f.window;
        QVERIFY(f.app.exec(QStringLiteral("dab.adz"), QStringLiteral("ALTER TABLE \"Taf\" RENAME TO \"Other\"")));
        w.handOver(w.handedOver());
        QVERIFY(!w.interpretationSourcesRead());
        QFile::remove(profileoutput::wordDocumentPath());
        f.dialogs.clear();
        w.Cmdword->click();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown[0].kind, QStringLiteral("message"));
        QVERIFY(f.dialogs.shown[0].text.contains(QStringLiteral("تفسير جديد ساخته نشد")));
        QVERIFY(f.stored().isEmpty());
        QVERIFY(!QFile::exists(profileoutput::wordDocumentPath()));
        QVERIFY(f.shell.urls.isEmpty());
    }

    // A PDF that cannot be written is reported in Persian; the system's words are details.
    void pdfFailureIsReportedInPersian() {
        ProfileFixture f;
        FrmNemudar& w = *f.window;
        w.Cmdprint2->click();
        ReportPreview* preview = previews().value(0);
        QVERIFY(preview);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("no/such/folder/r.pdf"));
        f.dialogs.queueFile(path);
        auto* save = preview->findChild<QAction*>(QStringLiteral("SavePdf"));
        QVERIFY(save);
        save->trigger();
        QVERIFY(!f.dialogs.shown.isEmpty());
        const hovtest::Shown& shown = f.dialogs.shown.last();
        QCOMPARE(shown.kind, QStringLiteral("message"));
        QVERIFY(shown.text.startsWith(QStringLiteral("فايل PDF ساخته نشد:")));
        QVERIFY(!shown.details.isEmpty());
        QString withoutPath = shown.text;
        withoutPath.remove(QDir::toNativeSeparators(path));
        static const QRegularExpression english(QStringLiteral("[A-Za-z]{4,}"));
        QVERIFY2(!withoutPath.contains(english), qPrintable(shown.text));
        QVERIFY(!QFile::exists(path));
    }

    void wordExportGeneratesAndStoresWhenNoneStored() {
        ProfileFixture f;
        FrmNemudar& w = *f.window;
        QFile::remove(profileoutput::wordDocumentPath());
        QApplication::clipboard()->setText(QStringLiteral("kept"));
        const QString expected = w.newInterpretation();
        QVERIFY(!expected.isEmpty());
        const WindowState rest = stateOf(w);
        // The window is at rest again when the message shows.
        bool restAtMessage = false;
        f.dialogs.onShow = [&](const hovtest::Shown&) { restAtMessage = stateOf(w) == rest; };

        w.Cmdword->click();

        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown[0].kind, QStringLiteral("message"));
        QCOMPARE(f.dialogs.shown[0].caption, QStringLiteral("پيام"));
        QCOMPARE(f.dialogs.shown[0].text, kDone);
        QCOMPARE(f.dialogs.lastIcon, Dialogs::Icon::Information);
        QVERIFY(restAtMessage);
        QCOMPARE(f.stored(), expected);
        QCOMPARE(w.LblTaf->text(), QStringLiteral("تفسير جديد"));
        const QString path = profileoutput::wordDocumentPath();
        QCOMPARE(f.shell.urls, QStringList{QUrl::fromLocalFile(path).toString()});
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));

        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("picture.png"));
        const QJsonObject doc = hovtest::inspectDocx(path, png);
        QStringList body{QString(), QStringLiteral("<picture>"), QString(), QString(), QString()};
        body += expected.split(QStringLiteral("\r\n"));
        QCOMPARE(paragraphTexts(doc), body);
        // The whole window in the Word capture state (counts row shown), 840 x 670 at 96 dpi.
        const QImage picture = QImage(png).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(picture.size(), QSize(840, 670));
        const QImage painted = report::renderProfileWindow(
            w.profileValues(), report::ProfileLook::wordCapture(), 96.0)
                                   .convertToFormat(QImage::Format_RGB32);
        QVERIFY(picture == painted);
        // The picture goes into the document only: no bitmap file beside the program.
        QVERIFY(QDir(f.app.path()).entryList({QStringLiteral("*.bmp")}, QDir::Files).isEmpty());
    }

    void wordExportUsesTheStoredTextOnly() {
        const QString stored = QStringLiteral("تفسير ذخيره شده\r\n<b> & \"نقل\" ]]>");
        ProfileFixture f(stored);
        FrmNemudar& w = *f.window;
        w.CmdTaf->click();
        w.setEditorText(QStringLiteral("ويرايش ذخيره نشده"));
        w.Cmdword2->click();
        QVERIFY(!w.FramTaf->isVisible());
        QCOMPARE(f.dialogs.texts(), QStringList{kDone});
        QCOMPARE(f.stored(), stored);
        const QJsonObject doc = hovtest::inspectDocx(profileoutput::wordDocumentPath());
        QCOMPARE(paragraphTexts(doc), stored.split(QStringLiteral("\r\n")));
        QVERIFY(doc.value(QStringLiteral("pictures")).toArray().isEmpty());
    }

    void wordExportWithoutAViewerNamesThePlace() {
        // No program opens the document: after the usual message the operator is told where
        // the document is.
        ProfileFixture f(QStringLiteral("تفسير ذخيره شده"));
        f.shell.opens = false;
        f.window->Cmdword2->click();
        const QString path = profileoutput::wordDocumentPath();
        QVERIFY(QFile::exists(path));
        QCOMPARE(f.dialogs.shown.size(), 2);
        QCOMPARE(f.dialogs.shown[0].text, kDone);
        QCOMPARE(f.dialogs.shown[1].caption, QStringLiteral("پيام"));
        QVERIFY(f.dialogs.shown[1].text.startsWith(QStringLiteral("برنامه اي براي باز کردن فايل Word پيدا نشد")));
        QVERIFY(f.dialogs.shown[1].text.contains(QDir::toNativeSeparators(path)));
    }

    void wordExportFailuresAreReported_data() {
        QTest::addColumn<QString>("failure");
        QTest::newRow("documents folder is a file") << QStringLiteral("folder");
        QTest::newRow("disk full") << QStringLiteral("disk");
        QTest::newRow("stored text unreadable") << QStringLiteral("read");
    }
    void wordExportFailuresAreReported() {
        QFETCH(QString, failure);
        ProfileFixture f(QStringLiteral("تفسير"));
        const QString path = profileoutput::wordDocumentPath();
        QDir(documents()).removeRecursively();
        QFile::remove(documents());
        if (failure == QLatin1String("folder")) {
            QFile file(documents());
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkpath(documents()));
            QFile earlier(path);
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("earlier export");
        }
        if (failure == QLatin1String("read"))
            QVERIFY(f.app.exec(QStringLiteral("HOVDB.mdb"),
                               QStringLiteral("ALTER TABLE IDE RENAME TO IDE_gone")));

        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        if (failure == QLatin1String("disk")) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = old;
            small.rlim_cur = 2048;
            QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        }
        f.window->Cmdword->click();
        setrlimit(RLIMIT_FSIZE, &old);

        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown[0].caption, QStringLiteral("خطا"));
        QVERIFY(f.dialogs.shown[0].text != kDone);
        QVERIFY(f.shell.urls.isEmpty());
        if (failure == QLatin1String("folder")) {
            QVERIFY(f.dialogs.shown[0].text.startsWith(QStringLiteral("فايل Word ساخته نشد:")));
            QVERIFY(QFileInfo(documents()).isFile());
        } else {
            QFile earlier(path);
            QVERIFY(earlier.open(QIODevice::ReadOnly));
            QCOMPARE(earlier.readAll(), QByteArray("earlier export"));
            QCOMPARE(QDir(documents()).entryList(QDir::Files), QStringList{QStringLiteral("ss11.docx")});
        }
        if (failure == QLatin1String("read"))
            QVERIFY(f.dialogs.shown[0].text.startsWith(QStringLiteral("تفسير ذخيره شده خوانده نشد")));
        QDir(documents()).removeRecursively();
        QFile::remove(documents());
    }
};

QTEST_MAIN(TestProfileOutput)
#include "test_profileoutput.moc"
