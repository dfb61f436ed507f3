// The on-screen test window: starting a test from the main window, showing and
// answering items, the write points, closing, and what a bad value or key does.
#include "ui/kit/fonts.h"
#include "ui/main/frm1.h"
#include "ui/test/frmtest.h"
#include "ui/kit/navigator.h"
#include "ui/main/registrationpanel.h"
#include "data/settingsdb.h"
#include "data/subjectdb.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace hov;

namespace {

const QString kEnd = QStringLiteral("پايان");
const QString kStart = QStringLiteral("شروع");
const QString kDigitsOnly = QStringLiteral("شما بايد عدد وارد كنيد");
const QString kNotFound = QStringLiteral("فردي با اين مشخصات وجود ندارد");


QString sqlText(QString text) {
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

QString tableOf(int item) { return answerTableName(answerTableOf(item)); }

// Fixture SQL on the subject's answer rows and IDE row.
QVariant stored(hovtest::TestAppFolder& app, const QString& code, int item) {
    return app.value(QStringLiteral("HOVDB.mdb"),
                     QStringLiteral("SELECT \"%1\" FROM \"%2\" WHERE \"Code\" = %3")
                         .arg(item)
                         .arg(tableOf(item), sqlText(code)));
}
bool store(hovtest::TestAppFolder& app, const QString& code, int item, const QString& sqlValue) {
    return app.exec(QStringLiteral("HOVDB.mdb"),
                    QStringLiteral("UPDATE \"%1\" SET \"%2\" = %3 WHERE \"Code\" = %4")
                        .arg(tableOf(item))
                        .arg(item)
                        .arg(sqlValue, sqlText(code)));
}
QVariant storedColumn(hovtest::TestAppFolder& app, const QString& code, const QString& column) {
    return app.value(QStringLiteral("HOVDB.mdb"),
                     QStringLiteral("SELECT \"%1\" FROM \"IDE\" WHERE \"Code\" = %2")
                         .arg(column, sqlText(code)));
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

FrmTest* openTestWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* test = qobject_cast<FrmTest*>(w); test && test->isVisible())
            return test;
    return nullptr;
}

// A click on an option the way a mouse gives one, and a double click as the press,
// release, double-click, release it is.
void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
void doubleClick(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton);
    QTest::mouseDClick(w, Qt::LeftButton);
    QTest::mouseRelease(w, Qt::LeftButton);
}

void typeNumber(FrmTest* w, const QString& digits) {
    w->Text6->selectAll();
    QTest::keyClicks(w->Text6, digits);
}

void holdKey(QWidget* w, Qt::Key key, const QString& text, int repeats) {
    for (int i = 0; i < repeats; ++i) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text, i > 0);
        QApplication::sendEvent(w, &press);
    }
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

// Which option shows: "1" yes, "2" no, "" neither.
QString optionsShown(const FrmTest* w) {
    if (w->Option1->isChecked() && !w->Option2->isChecked())
        return QStringLiteral("1");
    if (w->Option2->isChecked() && !w->Option1->isChecked())
        return QStringLiteral("2");
    if (!w->Option1->isChecked() && !w->Option2->isChecked())
        return QString(QLatin1String(""));
    return QStringLiteral("both");
}

} // namespace

class TestFrmTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void endToEnd();
    void startTest_data();
    void startTest();
    void missingAnswerRowsAreAdded_data();
    void missingAnswerRowsAreAdded();
    void startRefusedWhenRowsCannotBeMade_data();
    void startRefusedWhenRowsCannotBeMade();
    void waitingAndAnsweringStates();
    void typingJumps_data();
    void typingJumps();
    void stepping_data();
    void stepping();
    void storedAnswerShownAndKept_data();
    void storedAnswerShownAndKept();
    void clickAnswersDoubleClickClears();
    void writePoints();
    void closingWritesPending_data();
    void closingWritesPending();
    void failedWriteIsReported();
    void failedWriteOnClose_data();
    void failedWriteOnClose();
    void programEndWritesAndBringsNoMainWindow();
    void identityPanelKeepsWhatItCannotShow();
    void numericFieldsRefuseOtherKeys_data();
    void numericFieldsRefuseOtherKeys();
    void enterPressesNext_data();
    void enterPressesNext();
    void heldKeysLoseNothing();
    void wordingShownWhole_data();
    void wordingShownWhole();
    void unreadableWordingIsReported();

private:
    // A registered subject in the fixture's folder and a test window on it, started.
    FrmTest* openStarted(hovtest::WindowFixture& f, const QString& code = QStringLiteral("12"));
    FrmTest* openWaiting(hovtest::WindowFixture& f, const QString& code = QStringLiteral("12"));
    // Checks that item n is on screen: box, caption and text.
    void verifyShown(FrmTest* w, hovtest::WindowFixture& f, int item);

    int mainWindowsShown_ = 0;
};

void TestFrmTest::initTestCase() {
    installFonts();
    Frm1::installAsMainWindow();
}

void TestFrmTest::init() {
    mainWindowsShown_ = 0;
    nav::setMainWindowFactory([this]() -> QWidget* {
        ++mainWindowsShown_;
        return nullptr;
    });
}

void TestFrmTest::cleanup() {
    // Deleted, not closed: closing would write and hand over again. A window takes its
    // lists' popups, which are top-level widgets too, with it.
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<FrmTest*>(w) || qobject_cast<Frm1*>(w))
            windows << w;
    for (const QPointer<QWidget>& w : windows)
        delete w.data();
    flushDeletes();
    nav::setMainWindowFactory({});
}

FrmTest* TestFrmTest::openWaiting(hovtest::WindowFixture& f, const QString& code) {
    if (!f.app.isValid())
        return nullptr;
    SubjectDb db(f.app.folder());
    if (db.codeExists(code) != Lookup::Found && !db.registerSubject(hovtest::sampleSubject(code)))
        return nullptr;
    auto* w = new FrmTest(f.app.folder());
    w->showPreparing();
    if (!w->attachSubject(code)) {
        delete w;
        return nullptr;
    }
    w->showWaiting();
    return w;
}

FrmTest* TestFrmTest::openStarted(hovtest::WindowFixture& f, const QString& code) {
    FrmTest* w = openWaiting(f, code);
    if (w)
        click(w->Command1);
    return w;
}

void TestFrmTest::verifyShown(FrmTest* w, hovtest::WindowFixture& f, int item) {
    SubjectDb db(f.app.folder());
    QCOMPARE(w->Frame2->title(), QString::number(item));
    QCOMPARE(w->SkinLbl5->text(), db.readItemText(item).value_or(QStringLiteral("<unreadable>")));
    QVERIFY(!w->SkinLbl5->text().isEmpty());
}

// Register in the main window's panel, start the test with Command2, answer items of
// all three tables, jump, step over both table borders, clear one answer by a double
// click, close with the close box: the answers are in the subject's three rows and a
// fresh main window is back.
void TestFrmTest::endToEnd() {
    hovtest::WindowFixture f;
    QVERIFY(f.app.isValid());
    nav::setAppFolder(f.app.folder());
    nav::setMainWindowFactory({}); // the real one: a freshly loaded Frm1

    QPointer<Frm1> main = new Frm1(f.app.folder());
    main->show();
    QTest::mouseClick(main->Command1, Qt::LeftButton);
    RegistrationPanel* panel = main->Frame10;
    QVERIFY(panel->isVisible());
    const QString code = QStringLiteral("E2E'01");
    panel->Text11->setText(code);
    QTest::keyClicks(panel->Text6, QStringLiteral("Maryam"));
    QTest::keyClicks(panel->Text4, QStringLiteral("Karimi"));
    QTest::keyClicks(panel->Text5, QStringLiteral("31"));
    QTest::keyClicks(panel->Text7, QStringLiteral("BA"));
    for (QComboBox* list : {panel->Combo1, panel->Combo2, panel->Combo3}) {
        list->setCurrentIndex(1);
        emit list->textActivated(list->currentText());
    }
    QTest::mouseClick(panel->Command8, Qt::LeftButton);
    QCOMPARE(f.dialogs.notices(), QStringList{QStringLiteral("ذخيره شد")});
    QCOMPARE(storedColumn(f.app, code, QStringLiteral("FName")).toString(), QStringLiteral("Maryam"));

    f.dialogs.clear();
    f.dialogs.queueInput(code);
    QTest::mouseClick(main->Command2, Qt::LeftButton);
    flushDeletes();
    QVERIFY(!main); // closed behind the test window, quietly
    FrmTest* w = openTestWindow();
    QVERIFY(w);
    QCOMPARE(w->subjectCode(), code);
    QCOMPARE(w->TxtFName->text(), QStringLiteral("Maryam"));

    click(w->Command1);
    verifyShown(w, f, 1);
    click(w->Option1);                           // 1: yes
    QTest::keyClick(w->TxtFName, Qt::Key_Return);
    click(w->Option2);                           // 2: no
    QTest::keyClick(w->TxtFName, Qt::Key_Return);
    click(w->Option1);                           // 3: yes, then cleared
    doubleClick(w->Option1);
    QTest::keyClick(w->TxtFName, Qt::Key_Return);
    typeNumber(w, QStringLiteral("159"));
    verifyShown(w, f, 159);
    click(w->Option1);
    QTest::keyClick(w->Text6, Qt::Key_Return);   // 159 -> 160 writes Answer1
    click(w->Option2);
    QTest::mouseClick(w->CmdNext, Qt::LeftButton); // 160 -> 161 writes Answer1 again
    verifyShown(w, f, 161);
    QCOMPARE(stored(f.app, code, 1).toString(), QStringLiteral("1"));
    QCOMPARE(stored(f.app, code, 2).toString(), QStringLiteral("2"));
    QVERIFY(!stored(f.app, code, 3).isNull());
    QCOMPARE(stored(f.app, code, 3).toString(), QString());
    QCOMPARE(stored(f.app, code, 159).toString(), QStringLiteral("1"));
    QCOMPARE(stored(f.app, code, 160).toString(), QStringLiteral("2"));
    click(w->Option1);                           // 161: yes, pending in Answer2
    typeNumber(w, QStringLiteral("320"));
    click(w->Option2);
    QTest::keyClick(w->Text6, Qt::Key_Return);   // 320 -> 321 writes Answer2
    verifyShown(w, f, 321);
    QCOMPARE(stored(f.app, code, 161).toString(), QStringLiteral("1"));
    QCOMPARE(stored(f.app, code, 320).toString(), QStringLiteral("2"));
    click(w->Option2);                           // 321: no
    QTest::mouseClick(w->CmdBack, Qt::LeftButton); // 321 -> 320 writes Answer3
    QCOMPARE(stored(f.app, code, 321).toString(), QStringLiteral("2"));
    typeNumber(w, QStringLiteral("480"));
    click(w->Option1);                           // 480: yes, pending until closing
    w->TxtLName->setText(QStringLiteral("Karimi-Nejad"));
    QVERIFY(stored(f.app, code, 480).isNull());

    QVERIFY(f.dialogs.notices().isEmpty());
    QVERIFY(w->close());
    flushDeletes();
    QVERIFY(!openTestWindow());
    QCOMPARE(stored(f.app, code, 480).toString(), QStringLiteral("1"));
    QCOMPARE(storedColumn(f.app, code, QStringLiteral("LName")).toString(),
             QStringLiteral("Karimi-Nejad"));
    QVERIFY(stored(f.app, code, 4).isNull()); // never answered, never touched

    Frm1* fresh = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<Frm1*>(top); m && m->isVisible())
            fresh = m;
    QVERIFY(fresh);
    QCOMPARE(fresh->Text3->text(), QStringLiteral("2"));
    QVERIFY(f.dialogs.allAnswersUsed());
}

void TestFrmTest::startTest_data() {
    QTest::addColumn<QString>("registered");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("notice"); // empty: the test window opens

    const QString empty = QStringLiteral("شما بايد ") + QStringLiteral("کد آزمودني") +
                          QStringLiteral("  مورد نظر را وارد كنيد ");
    QTest::newRow("exact") << "7" << "7" << "";
    QTest::newRow("apostrophe") << "O'Neil" << "O'Neil" << "";
    QTest::newRow("apostrophe doubled") << "O'Neil" << "O''Neil" << kNotFound;
    QTest::newRow("sql in code") << "x' OR '1'='1" << "x' OR '1'='1" << "";
    QTest::newRow("sql does not widen") << "7" << "x' OR '1'='1" << kNotFound;
    QTest::newRow("leading zero typed") << "7" << "07" << kNotFound;
    QTest::newRow("leading zero registered") << "07" << "07" << "";
    QTest::newRow("leading zero dropped") << "07" << "7" << kNotFound;
    QTest::newRow("leading blank") << "7" << " 7" << kNotFound;
    QTest::newRow("trailing blank") << "7" << "7 " << kNotFound;
    QTest::newRow("blank registered") << " 7" << " 7" << "";
    QTest::newRow("empty or cancelled") << "7" << "" << empty;
}

// Command2: the code box, its two notices, and a code found exactly as typed or not
// at all; a code not found gets no answer rows.
void TestFrmTest::startTest() {
    QFETCH(QString, registered);
    QFETCH(QString, typed);
    QFETCH(QString, notice);
    hovtest::WindowFixture f;
    QVERIFY(f.app.isValid());
    SubjectDb db(f.app.folder());
    QVERIFY(db.registerSubject(hovtest::sampleSubject(registered)));
    const QString term = SettingsDb(f.app.folder()).load().subjectTerm;
    QCOMPARE(term, QStringLiteral("کد آزمودني"));

    QPointer<Frm1> main = new Frm1(f.app.folder());
    main->show();
    f.dialogs.queueInput(typed);
    QTest::mouseClick(main->Command2, Qt::LeftButton);
    flushDeletes();

    QVERIFY(!f.dialogs.shown.isEmpty());
    const hovtest::Shown& box = f.dialogs.shown.first();
    QCOMPARE(box.kind, QStringLiteral("input"));
    QCOMPARE(box.caption, term + QStringLiteral("  ") + QStringLiteral("را وارد کنيد"));
    QCOMPARE(box.text, QStringLiteral(" Enter Code "));

    FrmTest* w = openTestWindow();
    if (notice.isEmpty()) {
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY(w);
        QCOMPARE(w->subjectCode(), registered);
        QVERIFY(!main);
        QCOMPARE(mainWindowsShown_, 0);
    } else {
        QCOMPARE(f.dialogs.notices(), QStringList{notice});
        QVERIFY(!w);
        QVERIFY(main && main->isVisible());
        QVERIFY(!main->Frame10 || !main->Frame10->isVisible());
        if (!typed.isEmpty())
            for (int table = 0; table < kAnswerTableCount; ++table)
                QCOMPARE(db.hasAnswerRow(typed, table), Lookup::NotFound);
    }
}

void TestFrmTest::missingAnswerRowsAreAdded_data() {
    QTest::addColumn<QList<int>>("missing");
    QTest::newRow("none") << QList<int>{};
    QTest::newRow("Answer2") << QList<int>{1};
    QTest::newRow("Answer1 and Answer3") << QList<int>{0, 2};
    QTest::newRow("all three") << QList<int>{0, 1, 2};
}

// A subject whose answer rows are partly missing gets exactly the missing ones, with
// only Code set; the rows that exist keep their answers and the test shows them.
void TestFrmTest::missingAnswerRowsAreAdded() {
    QFETCH(QList<int>, missing);
    hovtest::WindowFixture f;
    QVERIFY(f.app.isValid());
    const QString code = QStringLiteral("31");
    QVERIFY(SubjectDb(f.app.folder()).registerSubject(hovtest::sampleSubject(code)));
    const int answered[] = {5, 200, 400}; // one item per table
    for (int item : answered)
        QVERIFY(store(f.app, code, item, QStringLiteral("'2'")));
    for (int table : missing)
        QVERIFY(f.app.exec(QStringLiteral("HOVDB.mdb"),
                           QStringLiteral("DELETE FROM \"%1\" WHERE \"Code\" = '31'")
                               .arg(answerTableName(table))));

    QPointer<Frm1> main = new Frm1(f.app.folder());
    main->show();
    f.dialogs.queueInput(code);
    QTest::mouseClick(main->Command2, Qt::LeftButton);
    FrmTest* w = openTestWindow();
    QVERIFY(w);

    click(w->Command1);
    for (int table = 0; table < kAnswerTableCount; ++table) {
        const QString name = answerTableName(table);
        QCOMPARE(f.app.value(QStringLiteral("HOVDB.mdb"),
                             QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE \"Code\" = '31'").arg(name))
                     .toInt(),
                 1);
        const int item = answered[table];
        typeNumber(w, QString::number(item));
        if (missing.contains(table)) {
            QVERIFY(stored(f.app, code, item).isNull());
            QCOMPARE(optionsShown(w), QString());
        } else {
            QCOMPARE(stored(f.app, code, item).toString(), QStringLiteral("2"));
            QCOMPARE(optionsShown(w), QStringLiteral("2"));
        }
    }
}

void TestFrmTest::startRefusedWhenRowsCannotBeMade_data() {
    QTest::addColumn<QString>("blocked");
    QTest::newRow("row cannot be added") << "INSERT";
    QTest::newRow("row cannot be read") << "SELECT";
}

// A test whose answers could not be stored or would start from blanks is not started:
// the operator is told, the main window stays.
void TestFrmTest::startRefusedWhenRowsCannotBeMade() {
    QFETCH(QString, blocked);
    hovtest::WindowFixture f;
    QVERIFY(f.app.isValid());
    const QString code = QStringLiteral("44");
    QVERIFY(SubjectDb(f.app.folder()).registerSubject(hovtest::sampleSubject(code)));
    QVERIFY(f.app.exec(QStringLiteral("HOVDB.mdb"), QStringLiteral("DELETE FROM \"Answer2\" WHERE \"Code\" = '44'")));
    if (blocked == QLatin1String("INSERT"))
        QVERIFY(f.app.refuseWrites(QStringLiteral("HOVDB.mdb"), QStringLiteral("Answer2"),
                                   hovtest::TestAppFolder::Insert));

    if (blocked == QLatin1String("INSERT")) {
        QPointer<Frm1> main = new Frm1(f.app.folder());
        main->show();
        f.dialogs.queueInput(code);
        QTest::mouseClick(main->Command2, Qt::LeftButton);
        QVERIFY(!openTestWindow());
        QVERIFY(main && main->isVisible());
        QCOMPARE(f.dialogs.shown.size(), 2);
        QCOMPARE(f.dialogs.shown[1].kind, QStringLiteral("message"));
        QCOMPARE(f.dialogs.shown[1].caption, QStringLiteral("خطا"));
        QVERIFY(f.dialogs.shown[1].details.contains(QStringLiteral("disk full")));
    } else {
        // The main window adds the row first; the window itself refuses a subject
        // whose rows are not all there.
        FrmTest w(f.app.folder());
        QVERIFY(!w.attachSubject(code));
        QVERIFY(w.lastError().contains(QStringLiteral("Answer2")));
    }
}

// Preparing, Waiting and Answering show what each state shows; the instruction text is
// the supplied asset.
void TestFrmTest::waitingAndAnsweringStates() {
    hovtest::WindowFixture f;
    SubjectDb(f.app.folder()).registerSubject(hovtest::sampleSubject(QStringLiteral("12")));
    auto* w = new FrmTest(f.app.folder());
    w->showPreparing();
    QVERIFY(w->SkinLabel3->isVisibleTo(w));
    QVERIFY(!w->Frame1->isVisibleTo(w));
    QVERIFY(w->attachSubject(QStringLiteral("12")));
    w->showWaiting();

    QCOMPARE(w->windowTitle(), QStringLiteral("صفحه اجراي تست"));
    QFile asset(QStringLiteral(":/texts/instructions.txt"));
    QVERIFY(asset.open(QIODevice::ReadOnly));
    QCOMPARE(w->SkinLabel4->text(), QString::fromUtf8(asset.readAll()).trimmed());
    QVERIFY(!w->SkinLabel4->text().isEmpty());
    for (QWidget* shown : {static_cast<QWidget*>(w->Frame1), static_cast<QWidget*>(w->SkinLabel4),
                           static_cast<QWidget*>(w->Command1)})
        QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
    for (QWidget* hidden : {static_cast<QWidget*>(w->SkinLabel3), static_cast<QWidget*>(w->CmdBack),
                            static_cast<QWidget*>(w->CmdNext), static_cast<QWidget*>(w->Frame2),
                            static_cast<QWidget*>(w->Command5), static_cast<QWidget*>(w->Text6)})
        QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
    QCOMPARE(w->Text6->text(), QStringLiteral("0"));
    QCOMPARE(w->TxtCode->text(), QStringLiteral("12"));
    QVERIFY(w->TxtCode->isReadOnly());
    QCOMPARE(w->CmbJens->currentText(), QStringLiteral("زن"));
    QCOMPARE(w->CmbTaahol->currentText(), QStringLiteral("مجرد"));
    QCOMPARE(w->CmbGroup->currentText(), QStringLiteral("C"));
    QCOMPARE(w->Text5->text(), QStringLiteral("29"));

    // Enter does nothing while "بعدي" is hidden, but starts with "شروع" in focus.
    QTest::keyClick(w->TxtFName, Qt::Key_Return);
    QCOMPARE(w->Text6->text(), QStringLiteral("0"));
    QVERIFY(w->SkinLabel4->isVisible());

    w->activateWindow();
    w->Command1->setFocus();
    QTest::keyClick(w->Command1, Qt::Key_Return);
    for (QWidget* hidden : {static_cast<QWidget*>(w->SkinLabel4), static_cast<QWidget*>(w->Command1)})
        QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
    for (QWidget* shown : {static_cast<QWidget*>(w->SkinLbl5), static_cast<QWidget*>(w->Text6),
                           static_cast<QWidget*>(w->Frame2), static_cast<QWidget*>(w->CmdBack),
                           static_cast<QWidget*>(w->CmdNext), static_cast<QWidget*>(w->Command5),
                           static_cast<QWidget*>(w->Frame1)})
        QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
    QCOMPARE(w->Text6->text(), QStringLiteral("1"));
    verifyShown(w, f, 1);
    QCOMPARE(w->focusWidget(), w->TxtFName);
    QVERIFY(f.dialogs.shown.isEmpty());
}

void TestFrmTest::typingJumps_data() {
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("keys"); // '\b' is Backspace
    QTest::addColumn<QList<int>>("shown"); // the item on screen after each key
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("notices");

    QTest::newRow("cleared box is 1 again") << false << "\b" << QList<int>{1} << "1" << QStringList{};
    QTest::newRow("0 then 0 after the 1") << false << "00" << QList<int>{10, 100} << "100" << QStringList{};
    QTest::newRow("each number on the way") << true << "237" << QList<int>{2, 23, 237} << "237" << QStringList{};
    QTest::newRow("above 480") << true << "481" << QList<int>{4, 48, 480} << "480" << QStringList{kEnd};
    QList<int> far{9, 99};
    far << QList<int>(18, 480);
    QTest::newRow("far above 480") << true << "99999999999999999999" << far << "480" << QStringList(18, kEnd);
    QTest::newRow("0 keeps the display") << true << "0" << QList<int>{1} << "0" << QStringList{};
    QTest::newRow("leading zeros") << true << "007" << QList<int>{1, 1, 7} << "007" << QStringList{};
    QTest::newRow("backspace to 1") << true << "45\b\b" << QList<int>{4, 45, 4, 1} << "1" << QStringList{};
}

// Every change of the item box shows the number it now holds; empty comes back as 1,
// above 480 as 480 with "پايان", 0 changes nothing on screen.
void TestFrmTest::typingJumps() {
    QFETCH(bool, selectAll);
    QFETCH(QString, keys);
    QFETCH(QList<int>, shown);
    QFETCH(QString, box);
    QFETCH(QStringList, notices);
    hovtest::WindowFixture f;
    FrmTest* w = openStarted(f);
    QVERIFY(w);
    w->Text6->setFocus();
    w->Text6->end(false);
    if (selectAll)
        w->Text6->selectAll();
    QCOMPARE(keys.size(), shown.size());
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys[i] == QLatin1Char('\b'))
            QTest::keyClick(w->Text6, Qt::Key_Backspace);
        else
            QTest::keyClicks(w->Text6, QString(keys[i]));
        verifyShown(w, f, shown[i]);
    }
    QCOMPARE(w->Text6->text(), box);
    QCOMPARE(f.dialogs.notices(), notices);
    QCOMPARE(f.shell.beeps, 0);
}

void TestFrmTest::stepping_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("presses"); // '>' "بعدي", '<' "قبلي"
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("shownAnswer"); // the options on screen afterwards
    QTest::addColumn<QStringList>("notices");

    // Items 161 and 321 hold "2" and "1" in the file; the item stepped from is answered
    // "1" first.
    QTest::newRow("back from 1 to 0") << 1 << "<" << "0" << 1 << "1" << QStringList{};
    QTest::newRow("back from 0") << 1 << "<<" << "1" << 1 << "1" << QStringList{kStart};
    QTest::newRow("next on 480") << 480 << ">" << "480" << 480 << "1" << QStringList{kEnd};
    QTest::newRow("160 to 161") << 160 << ">" << "161" << 161 << "2" << QStringList{};
    QTest::newRow("161 back to 160") << 161 << "<" << "160" << 160 << "" << QStringList{};
    QTest::newRow("320 to 321") << 320 << ">" << "321" << 321 << "1" << QStringList{};
    QTest::newRow("0 forward writes nothing") << 1 << "<>" << "1" << 1 << "1" << QStringList{};
}

// "بعدي"/"قبلي" write the row of the item they leave and show the next one; a step
// over a table border attaches the answer to the other table's row.
void TestFrmTest::stepping() {
    QFETCH(int, from);
    QFETCH(QString, presses);
    QFETCH(QString, box);
    QFETCH(int, shown);
    QFETCH(QString, shownAnswer);
    QFETCH(QStringList, notices);
    hovtest::WindowFixture f;
    QVERIFY(f.app.isValid());
    const QString code = QStringLiteral("12");
    QVERIFY(SubjectDb(f.app.folder()).registerSubject(hovtest::sampleSubject(code)));
    QVERIFY(store(f.app, code, 161, QStringLiteral("'2'")));
    QVERIFY(store(f.app, code, 321, QStringLiteral("'1'")));
    FrmTest* w = openStarted(f, code);
    QVERIFY(w);
    typeNumber(w, QString::number(from));
    click(w->Option1);
    QVERIFY(stored(f.app, code, from).toString() != QStringLiteral("1"));

    for (const QChar p : presses)
        QTest::mouseClick(p == QLatin1Char('>') ? w->CmdNext : w->CmdBack, Qt::LeftButton);
    QCOMPARE(w->Text6->text(), box);
    verifyShown(w, f, shown);
    QCOMPARE(optionsShown(w), shownAnswer);
    QCOMPARE(f.dialogs.notices(), notices);
    // The first press left the answered item: its row is in the file.
    QCOMPARE(stored(f.app, code, from).toString(), QStringLiteral("1"));
    // Nothing else was written into the other tables' rows.
    for (int other : {161, 321})
        if (other != from)
            QCOMPARE(stored(f.app, code, other).toString(),
                     other == 161 ? QStringLiteral("2") : QStringLiteral("1"));
}

void TestFrmTest::storedAnswerShownAndKept_data() {
    QTest::addColumn<QString>("sqlValue");
    QTest::addColumn<QString>("shownAnswer");
    QTest::newRow("yes") << "'1'" << "1";
    QTest::newRow("no") << "'2'" << "2";
    QTest::newRow("empty") << "''" << "";
    QTest::newRow("null") << "NULL" << "";
    QTest::newRow("other digit") << "'3'" << "";
    QTest::newRow("blank before") << "' 1'" << "";
    QTest::newRow("blank after") << "'2 '" << "";
    QTest::newRow("persian digit") << "'۱'" << "";
}

// A stored answer is shown as it is; a value the window never writes selects neither
// option and stays in the file through later writes of its row until the subject
// answers the item.
void TestFrmTest::storedAnswerShownAndKept() {
    QFETCH(QString, sqlValue);
    QFETCH(QString, shownAnswer);
    hovtest::WindowFixture f;
    QVERIFY(f.app.isValid());
    const QString code = QStringLiteral("12");
    QVERIFY(SubjectDb(f.app.folder()).registerSubject(hovtest::sampleSubject(code)));
    QVERIFY(store(f.app, code, 7, sqlValue));
    QVERIFY(store(f.app, code, 6, QStringLiteral("'1'")));
    const QVariant before = stored(f.app, code, 7);
    FrmTest* w = openStarted(f, code);
    QVERIFY(w);

    // Arriving from an item with "yes" shown: the stored value alone decides.
    typeNumber(w, QStringLiteral("6"));
    QCOMPARE(optionsShown(w), QStringLiteral("1"));
    QTest::mouseClick(w->CmdNext, Qt::LeftButton);
    QCOMPARE(optionsShown(w), shownAnswer);
    QCOMPARE(w->Text6->text(), QStringLiteral("7"));

    // Answer item 8 and step, so the Answer1 row is written with item 7 untouched.
    QTest::mouseClick(w->CmdNext, Qt::LeftButton);
    click(w->Option2);
    QTest::mouseClick(w->CmdNext, Qt::LeftButton);
    QCOMPARE(stored(f.app, code, 8).toString(), QStringLiteral("2"));
    const QVariant after = stored(f.app, code, 7);
    QCOMPARE(after.isNull(), before.isNull());
    QCOMPARE(after.toString(), before.toString());

    // Answered, it is what the subject chose.
    typeNumber(w, QStringLiteral("7"));
    QCOMPARE(optionsShown(w), shownAnswer);
    click(w->Option2);
    QTest::mouseClick(w->CmdNext, Qt::LeftButton);
    QCOMPARE(stored(f.app, code, 7).toString(), QStringLiteral("2"));
}

// A click chooses, never moves on; a double click on either option leaves the item
// unanswered (an empty value, not the old one, in the file).
void TestFrmTest::clickAnswersDoubleClickClears() {
    hovtest::WindowFixture f;
    QVERIFY(f.app.isValid());
    const QString code = QStringLiteral("12");
    QVERIFY(SubjectDb(f.app.folder()).registerSubject(hovtest::sampleSubject(code)));
    QVERIFY(store(f.app, code, 21, QStringLiteral("'1'")));
    FrmTest* w = openStarted(f, code);
    QVERIFY(w);
    typeNumber(w, QStringLiteral("20"));

    click(w->Option1);
    QCOMPARE(optionsShown(w), QStringLiteral("1"));
    QCOMPARE(w->Text12->text(), QStringLiteral("1"));
    click(w->Option1); // a second click on the selected option keeps it
    QCOMPARE(optionsShown(w), QStringLiteral("1"));
    click(w->Option2);
    QCOMPARE(optionsShown(w), QStringLiteral("2"));
    QCOMPARE(w->answers().at(20), QStringLiteral("2"));
    QCOMPARE(w->Text6->text(), QStringLiteral("20"));
    doubleClick(w->Option2);
    QCOMPARE(optionsShown(w), QString());
    QCOMPARE(w->Text12->text(), QString());

    QTest::mouseClick(w->CmdNext, Qt::LeftButton); // to 21, stored yes
    QCOMPARE(optionsShown(w), QStringLiteral("1"));
    doubleClick(w->Option2); // the click sets no, the double click clears
    QCOMPARE(optionsShown(w), QString());
    QTest::mouseClick(w->CmdNext, Qt::LeftButton);

    for (int item : {20, 21}) {
        const QVariant value = stored(f.app, code, item);
        QVERIFY(!value.isNull());
        QCOMPARE(value.toString(), QString());
    }
}

// Jumping by typing writes nothing; a step writes only the table of the item left;
// what is pending in another table waits for its next write or the closing.
void TestFrmTest::writePoints() {
    hovtest::WindowFixture f;
    QVERIFY(f.app.isValid());
    const QString code = QStringLiteral("12");
    FrmTest* w = openStarted(f, code);
    QVERIFY(w);
    QPointer<FrmTest> alive(w);

    typeNumber(w, QStringLiteral("5"));
    click(w->Option1);
    typeNumber(w, QStringLiteral("200"));
    QVERIFY(stored(f.app, code, 5).isNull());
    click(w->Option2);
    QTest::mouseClick(w->CmdNext, Qt::LeftButton);
    QCOMPARE(stored(f.app, code, 200).toString(), QStringLiteral("2"));
    QVERIFY(stored(f.app, code, 5).isNull());

    typeNumber(w, QStringLiteral("10"));
    QTest::mouseClick(w->CmdBack, Qt::LeftButton);
    QCOMPARE(stored(f.app, code, 5).toString(), QStringLiteral("1"));

    typeNumber(w, QStringLiteral("201"));
    click(w->Option1);
    typeNumber(w, QStringLiteral("450"));
    click(w->Option2);
    typeNumber(w, QStringLiteral("3"));
    QTest::mouseClick(w->CmdNext, Qt::LeftButton);
    QVERIFY(stored(f.app, code, 201).isNull());
    QVERIFY(stored(f.app, code, 450).isNull());

    QTest::mouseClick(w->Command5, Qt::LeftButton); // "ذخيره و خروج"
    flushDeletes();
    QVERIFY(!alive);
    QCOMPARE(stored(f.app, code, 201).toString(), QStringLiteral("1"));
    QCOMPARE(stored(f.app, code, 450).toString(), QStringLiteral("2"));
    QCOMPARE(mainWindowsShown_, 1);
    QVERIFY(f.dialogs.shown.isEmpty());
}

void TestFrmTest::closingWritesPending_data() {
    QTest::addColumn<bool>("started");
    QTest::addColumn<bool>("byButton"); // "ذخيره و خروج", else the close box
    QTest::newRow("save and exit") << true << true;
    QTest::newRow("close box while answering") << true << false;
    QTest::newRow("close box while waiting") << false << false;
}

// Closing by any means writes what is pending, the identity panel's edits included,
// and brings the main window back once.
void TestFrmTest::closingWritesPending() {
    QFETCH(bool, started);
    QFETCH(bool, byButton);
    hovtest::WindowFixture f;
    QVERIFY(f.app.isValid());
    const QString code = QStringLiteral("12");
    FrmTest* w = started ? openStarted(f, code) : openWaiting(f, code);
    QVERIFY(w);
    QPointer<FrmTest> alive(w);
    if (started)
        for (int item : {1, 170, 400}) {
            typeNumber(w, QString::number(item));
            click(w->Option2);
        }
    w->TxtFName->setText(QStringLiteral("Sara"));
    w->Text5->setText(QStringLiteral("41"));
    w->CmbJens->setCurrentIndex(0);
    w->CmbGroup->setCurrentIndex(6);
    w->TxtTahsil->clear();

    if (byButton)
        QTest::mouseClick(w->Command5, Qt::LeftButton);
    else
        QVERIFY(w->close());
    flushDeletes();
    QVERIFY(!alive);
    QCOMPARE(mainWindowsShown_, 1);
    QVERIFY(f.dialogs.shown.isEmpty());
    for (int item : {1, 170, 400})
        QCOMPARE(stored(f.app, code, item).toString(), started ? QStringLiteral("2") : QString());
    QCOMPARE(storedColumn(f.app, code, QStringLiteral("FName")).toString(), QStringLiteral("Sara"));
    QCOMPARE(storedColumn(f.app, code, QStringLiteral("Sen")).toString(), QStringLiteral("41"));
    QCOMPARE(storedColumn(f.app, code, QStringLiteral("Jens")).toString(), QStringLiteral("مرد"));
    QCOMPARE(storedColumn(f.app, code, QStringLiteral("Group")).toString(), QStringLiteral("G"));
    QCOMPARE(storedColumn(f.app, code, QStringLiteral("Tahsil")).toString(), QString());
    QCOMPARE(storedColumn(f.app, code, QStringLiteral("LName")).toString(), QStringLiteral("رضايي"));
}

// A step whose write fails tells the operator, goes on, and keeps the answer pending:
// the next write of that row stores it.
void TestFrmTest::failedWriteIsReported() {
    hovtest::WindowFixture f;
    QVERIFY(f.app.isValid());
    const QString code = QStringLiteral("12");
    FrmTest* w = openStarted(f, code);
    QVERIFY(w);
    QVERIFY(f.app.refuseWrites(QStringLiteral("HOVDB.mdb"), QStringLiteral("Answer1"),
                               hovtest::TestAppFolder::Update));
    click(w->Option1);
    QTest::mouseClick(w->CmdNext, Qt::LeftButton);
    QCOMPARE(f.dialogs.shown.size(), 1);
    const hovtest::Shown message = f.dialogs.shown.first();
    QCOMPARE(message.kind, QStringLiteral("message"));
    QCOMPARE(message.caption, QStringLiteral("خطا"));
    QVERIFY(message.text.startsWith(QStringLiteral("پاسخ سؤالهاي 1 تا 160 در فايل اطلاعاتي ذخيره نشد")));
    QVERIFY(message.details.contains(QStringLiteral("disk full")));
    QCOMPARE(w->Text6->text(), QStringLiteral("2"));
    QVERIFY(stored(f.app, code, 1).isNull());

    QVERIFY(f.app.allowWrites(QStringLiteral("HOVDB.mdb"), QStringLiteral("Answer1")));
    QTest::mouseClick(w->CmdNext, Qt::LeftButton);
    QCOMPARE(stored(f.app, code, 1).toString(), QStringLiteral("1"));
    QCOMPARE(f.dialogs.shown.size(), 1);
}

void TestFrmTest::failedWriteOnClose_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("closeAnyway");
    QTest::newRow("answers, stay open") << "Answer3" << "پاسخ سؤالهاي 321 تا 480 در فايل اطلاعاتي ذخيره نشد" << false;
    QTest::newRow("answers, close anyway") << "Answer3" << "پاسخ سؤالهاي 321 تا 480 در فايل اطلاعاتي ذخيره نشد" << true;
    QTest::newRow("identity, stay open") << "IDE" << "مشخصات آزمودني در فايل اطلاعاتي ذخيره نشد" << false;
}

// Closing when a write fails asks the operator: staying keeps everything in the
// window for another try, closing anyway is the operator's decision.
void TestFrmTest::failedWriteOnClose() {
    QFETCH(QString, table);
    QFETCH(QString, failure);
    QFETCH(bool, closeAnyway);
    hovtest::WindowFixture f;
    QVERIFY(f.app.isValid());
    const QString code = QStringLiteral("12");
    FrmTest* w = openStarted(f, code);
    QVERIFY(w);
    QPointer<FrmTest> alive(w);
    typeNumber(w, QStringLiteral("400"));
    click(w->Option1);
    typeNumber(w, QStringLiteral("2"));
    click(w->Option1);
    w->TxtFName->setText(QStringLiteral("Sara"));
    QVERIFY(f.app.refuseWrites(QStringLiteral("HOVDB.mdb"), table, hovtest::TestAppFolder::Update));

    f.dialogs.queueYesNo(closeAnyway);
    QCOMPARE(w->close(), closeAnyway);
    flushDeletes();
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QStringLiteral("yesno"));
    QVERIFY(f.dialogs.shown[0].text.startsWith(failure));
    // The writes that could be made were made.
    QCOMPARE(stored(f.app, code, 2).toString(), QStringLiteral("1"));
    if (closeAnyway) {
        QVERIFY(!alive);
        QCOMPARE(mainWindowsShown_, 1);
        return;
    }
    QVERIFY(alive && alive->isVisible());
    QCOMPARE(mainWindowsShown_, 0);
    QVERIFY(f.app.allowWrites(QStringLiteral("HOVDB.mdb"), table));
    QVERIFY(w->close());
    flushDeletes();
    QVERIFY(!alive);
    QCOMPARE(mainWindowsShown_, 1);
    QCOMPARE(stored(f.app, code, 400).toString(), QStringLiteral("1"));
    QCOMPARE(storedColumn(f.app, code, QStringLiteral("FName")).toString(), QStringLiteral("Sara"));
}

// The program ending (the update window, say) closes every window: the test window
// still writes what is pending, but brings no main window back.
void TestFrmTest::programEndWritesAndBringsNoMainWindow() {
    hovtest::WindowFixture f;
    QVERIFY(f.app.isValid());
    const QString code = QStringLiteral("12");
    FrmTest* w = openStarted(f, code);
    QVERIFY(w);
    QPointer<FrmTest> alive(w);
    click(w->Option1);
    nav::setEndProgramHandler([] { QApplication::closeAllWindows(); });
    nav::endProgram();
    nav::setEndProgramHandler({});
    flushDeletes();
    QVERIFY(!alive);
    QCOMPARE(mainWindowsShown_, 0);
    QCOMPARE(stored(f.app, code, 1).toString(), QStringLiteral("1"));
    QVERIFY(f.dialogs.shown.isEmpty());
}

// Values the identity panel cannot show as they are (a sex outside the list, an age
// longer than the field, a null column) reach the file unchanged when the operator
// edits something else.
void TestFrmTest::identityPanelKeepsWhatItCannotShow() {
    hovtest::WindowFixture f;
    QVERIFY(f.app.isValid());
    const QString code = QStringLiteral("12");
    QVERIFY(SubjectDb(f.app.folder()).registerSubject(hovtest::sampleSubject(code)));
    QVERIFY(f.app.exec(QStringLiteral("HOVDB.mdb"),
                       QStringLiteral("UPDATE \"IDE\" SET \"Jens\" = 'M', \"Sen\" = '1040', "
                                      "\"Tahsil\" = NULL, \"Group\" = '' WHERE \"Code\" = '12'")));
    FrmTest* w = openWaiting(f, code);
    QVERIFY(w);
    QCOMPARE(w->CmbJens->currentIndex(), -1);
    QCOMPARE(w->CmbJens->placeholderText(), QStringLiteral("M"));
    QCOMPARE(w->Text5->text(), QStringLiteral("1040"));
    QCOMPARE(w->CmbGroup->currentIndex(), -1);
    w->TxtLName->setText(QStringLiteral("Rahimi"));
    QVERIFY(w->close());

    QCOMPARE(storedColumn(f.app, code, QStringLiteral("LName")).toString(), QStringLiteral("Rahimi"));
    QCOMPARE(storedColumn(f.app, code, QStringLiteral("Jens")).toString(), QStringLiteral("M"));
    QCOMPARE(storedColumn(f.app, code, QStringLiteral("Sen")).toString(), QStringLiteral("1040"));
    QVERIFY(storedColumn(f.app, code, QStringLiteral("Tahsil")).isNull());
    QCOMPARE(storedColumn(f.app, code, QStringLiteral("Group")).toString(), QString());
    QVERIFY(!storedColumn(f.app, code, QStringLiteral("Group")).isNull());
}

void TestFrmTest::numericFieldsRefuseOtherKeys_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("refused");
    QTest::newRow("item: letter") << "Text6" << "4a" << "14" << 1;
    QTest::newRow("item: persian digit") << "Text6" << "۵" << "1" << 1;
    QTest::newRow("item: minus") << "Text6" << "-" << "1" << 1;
    QTest::newRow("age: letters and digits") << "Text5" << "x3 " << "293" << 2;
    QTest::newRow("age: at most 3") << "Text5" << "77" << "297" << 0;
}

// The item box and the age field take digits only; a refused key changes nothing and
// moves to no other item.
void TestFrmTest::numericFieldsRefuseOtherKeys() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(int, refused);
    hovtest::WindowFixture f;
    FrmTest* w = openStarted(f);
    QVERIFY(w);
    auto* edit = w->findChild<QLineEdit*>(field);
    QVERIFY(edit);
    edit->setFocus();
    edit->end(false);
    for (const QChar c : typed)
        QTest::sendKeyEvent(QTest::Click, edit, c.isDigit() && c.unicode() < 128
                                                     ? Qt::Key(Qt::Key_0 + (c.unicode() - '0'))
                                                     : Qt::Key_unknown,
                            QString(c), Qt::NoModifier);
    QCOMPARE(edit->text(), expected);
    QCOMPARE(f.shell.beeps, refused);
    QCOMPARE(f.dialogs.notices(), QStringList(refused, kDigitsOnly));
    if (field == QLatin1String("Text6"))
        verifyShown(w, f, expected.toInt());
}

void TestFrmTest::enterPressesNext_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QStringList>("boxAfter"); // after Return, then Enter; empty: closed
    const QStringList next{QStringLiteral("6"), QStringLiteral("7")};
    QTest::newRow("item box") << "Text6" << next;
    QTest::newRow("first name") << "TxtFName" << next;
    QTest::newRow("age") << "Text5" << next;
    QTest::newRow("list") << "CmbTaahol" << next;
    QTest::newRow("option") << "Option2" << next;
    QTest::newRow("next button") << "CmdNext" << next;
    QTest::newRow("back button") << "CmdBack" << QStringList{"4", "3"};
    QTest::newRow("save and exit button") << "Command5" << QStringList{};
}

// Enter is "بعدي" wherever the focus is, and writes like it; a button with the focus
// takes Enter itself, as on a dialog.
void TestFrmTest::enterPressesNext() {
    QFETCH(QString, focus);
    QFETCH(QStringList, boxAfter);
    hovtest::WindowFixture f;
    FrmTest* w = openStarted(f);
    QVERIFY(w);
    QPointer<FrmTest> alive(w);
    const QString code = w->subjectCode();
    typeNumber(w, QStringLiteral("5"));
    click(w->Option1);
    auto* target = w->findChild<QWidget*>(focus);
    QVERIFY(target);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return);
    if (boxAfter.isEmpty()) {
        flushDeletes();
        QVERIFY(!alive);
        QCOMPARE(mainWindowsShown_, 1);
    } else {
        QCOMPARE(w->Text6->text(), boxAfter[0]);
        QTest::keyClick(target, Qt::Key_Enter);
        QCOMPARE(w->Text6->text(), boxAfter[1]);
    }
    QCOMPARE(stored(f.app, code, 5).toString(), QStringLiteral("1"));
}

void TestFrmTest::wordingShownWhole_data() {
    QTest::addColumn<QString>("wording");
    QTest::addColumn<bool>("smaller"); // shown in a smaller font than a short one
    const QString sentence = QStringLiteral("جمله اي طولاني که آزمودني بايد همه آن را بخواند ");
    QTest::newRow("short") << QStringLiteral("نمونه کوتاه") << false;
    QTest::newRow("long") << sentence.repeated(12) << true;
    QTest::newRow("many lines") << QStringList(6, QStringLiteral("سطر")).join(QLatin1Char('\n')) << true;
    QTest::newRow("looks like markup") << QStringLiteral("<b>a</b> < b") << false;
}

// An item text of any length is read whole: too long for the label, it is shown in a
// smaller font instead of being cut off; the next short item has the full size again.
// Markup in a wording is text.
void TestFrmTest::wordingShownWhole() {
    QFETCH(QString, wording);
    QFETCH(bool, smaller);
    hovtest::WindowFixture f;
    QVERIFY(f.app.isValid());
    QVERIFY(f.app.exec(QStringLiteral("HOVDB.mdb"),
                       QStringLiteral("UPDATE \"QUS\" SET \"QU\" = %1 WHERE \"Code\" = '3'")
                           .arg(sqlText(wording))));
    FrmTest* w = openStarted(f);
    QVERIFY(w);
    const int fullSize = w->SkinLbl5->font().pointSize();
    typeNumber(w, QStringLiteral("3"));
    QCOMPARE(w->SkinLbl5->text(), wording);
    QCOMPARE(w->SkinLbl5->textFormat(), Qt::PlainText);
    const int needed = w->SkinLbl5->heightForWidth(w->SkinLbl5->width());
    QVERIFY2(needed <= w->SkinLbl5->height(),
             qPrintable(QStringLiteral("%1 > %2").arg(needed).arg(w->SkinLbl5->height())));
    QCOMPARE(w->SkinLbl5->font().pointSize() < fullSize, smaller);
    typeNumber(w, QStringLiteral("4"));
    QCOMPARE(w->SkinLbl5->font().pointSize(), fullSize);
}

// A wording that cannot be read is reported, not shown as an empty item.
void TestFrmTest::unreadableWordingIsReported() {
    hovtest::WindowFixture f;
    FrmTest* w = openStarted(f);
    QVERIFY(w);
    QVERIFY(f.app.exec(QStringLiteral("HOVDB.mdb"), QStringLiteral("ALTER TABLE \"QUS\" RENAME TO \"Other\"")));
    f.dialogs.clear();
    typeNumber(w, QStringLiteral("3"));
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].caption, QStringLiteral("خطا"));
    QVERIFY(f.dialogs.shown[0].text.startsWith(QStringLiteral("متن سؤال 3 خوانده نشد.")));
    QVERIFY(f.dialogs.shown[0].text.contains(QStringLiteral("HOVDB.mdb")));
    QVERIFY(w->SkinLbl5->text().isEmpty());
    QCOMPARE(w->Frame2->title(), QStringLiteral("3"));
}

// Keys held down repeat: every repeat of Enter is a step with its write, every repeat
// of a digit a number formed and shown.
void TestFrmTest::heldKeysLoseNothing() {
    hovtest::WindowFixture f;
    FrmTest* w = openStarted(f);
    QVERIFY(w);
    const QString code = w->subjectCode();
    typeNumber(w, QStringLiteral("158"));
    click(w->Option1);
    w->Text6->setFocus();
    holdKey(w->Text6, Qt::Key_Return, QStringLiteral("\r"), 2); // to 160
    click(w->Option2);
    holdKey(w->Text6, Qt::Key_Return, QStringLiteral("\r"), 4); // over the border to 164
    QCOMPARE(w->Text6->text(), QStringLiteral("164"));
    verifyShown(w, f, 164);
    QCOMPARE(stored(f.app, code, 158).toString(), QStringLiteral("1"));
    QCOMPARE(stored(f.app, code, 160).toString(), QStringLiteral("2"));

    w->Text6->selectAll();
    holdKey(w->Text6, Qt::Key_3, QStringLiteral("3"), 4); // 3, 33, 333, 3333 -> 480
    QCOMPARE(w->Text6->text(), QStringLiteral("480"));
    verifyShown(w, f, 480);
    QCOMPARE(f.dialogs.notices(), QStringList{kEnd});
}

QTEST_MAIN(TestFrmTest)
#include "test_frmtest.moc"
