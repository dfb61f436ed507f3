// Registering a subject in the main window's panel.
#include "ui/kit/fonts.h"
#include "ui/main/frm1.h"
#include "ui/kit/geometry.h"
#include "ui/main/registrationpanel.h"
#include "data/subjectdb.h"
#include "tests/support/testsupport.h"
#include "ui/kit/theme.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace hov;

namespace {

const QString kHov = QStringLiteral("HOVDB.mdb");

void addSubjects(hovtest::TestAppFolder& app, const QStringList& codes) {
    SubjectDb db(app.folder());
    for (const QString& code : codes) {
        Subject s;
        s.code = code;
        QVERIFY2(db.registerSubject(s), qPrintable(db.lastError()));
    }
}

void choose(QComboBox* list, const QString& entry) {
    list->setCurrentText(entry);
    emit list->textActivated(entry);
}

void fillAll(RegistrationPanel* p) {
    p->Text6->setText(QStringLiteral("مريم"));
    p->Text4->setText(QStringLiteral("O'Hara"));
    p->Text5->setText(QStringLiteral("29"));
    choose(p->Combo1, QStringLiteral("متأهل"));
    choose(p->Combo2, QStringLiteral("زن"));
    choose(p->Combo3, QStringLiteral("C"));
    p->Text7->setText(QStringLiteral("ديپلم"));
}

} // namespace

class TestRegistration : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFonts(); }
    void proposesTheFirstFreeCode_data();
    void proposesTheFirstFreeCode();
    void opensWithStampsAndLabels();
    void checksComeInOrder_data();
    void checksComeInOrder();
    void savesFourRowsAndClosesThePanel();
    void refusesADuplicateCode();
    void failedWriteLeavesNothingAndSaysSo();
    void listsKeepTheirChoiceAndCodeIsProposedAgain();
    void noticeClosesItselfAndFocusLandsOnTheField();
};

void TestRegistration::proposesTheFirstFreeCode_data() {
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("proposal");
    QTest::newRow("empty IDE") << QStringList{} << QString();
    QTest::newRow("41, then 42 and 43 used")
        << QStringList{QStringLiteral("42"), QStringLiteral("43"), QStringLiteral("41")}
        << QStringLiteral("44");
    QTest::newRow("A7 last") << QStringList{QStringLiteral("A7")} << QStringLiteral("1");
    QTest::newRow("A7 last, 1 and 2 used")
        << QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("A7")}
        << QStringLiteral("3");
    QTest::newRow("leading blank and zero") << QStringList{QStringLiteral(" 09")} << QStringLiteral("10");
    QTest::newRow("fraction") << QStringList{QStringLiteral("7.5")} << QStringLiteral("8");
    QTest::newRow("07 does not block 8") << QStringList{QStringLiteral("08"), QStringLiteral("7")}
                                         << QStringLiteral("8");
}

void TestRegistration::proposesTheFirstFreeCode() {
    QFETCH(QStringList, codes);
    QFETCH(QString, proposal);
    hovtest::WindowFixture f;
    addSubjects(f.app, codes);
    Frm1 w(f.app.folder());
    w.show();
    w.Command1->click();
    QCOMPARE(w.Frame10->Text11->text(), proposal);
}

void TestRegistration::opensWithStampsAndLabels() {
    hovtest::WindowFixture f;
    QVERIFY(f.app.exec(QStringLiteral("Theme.adz"), QStringLiteral("UPDATE \"Theme\" SET \"T11\" = 'شماره'")));
    Frm1 w(f.app.folder());
    w.show();
    QVERIFY(!w.Frame10);
    // The panel wears the theme of its window, even when skin.txt changed meanwhile.
    QVERIFY(writeThemeNumber(f.app.folder(), readThemeNumber(f.app.folder()) % kThemeCount + 1));
    w.Command1->click();
    RegistrationPanel* p = w.Frame10;
    QVERIFY(p->isVisible());
    QCOMPARE(p->palette().color(QPalette::Window), w.palette().color(QPalette::Window));
    QCOMPARE(p->palette().color(QPalette::Button), w.palette().color(QPalette::Button));
    QCOMPARE(p->geometry(), pxRect(90, 870, 7575, 2985));
    QVERIFY(!w.Command1->isEnabled());
    QCOMPARE(p->Text8->text(), QStringLiteral("1403/01/05")); // 24 March 2024
    QCOMPARE(p->Text9->text(), QStringLiteral("09:05:07"));
    QVERIFY(p->Text9->isReadOnly());
    QVERIFY(!p->Text8->isReadOnly());
    QCOMPARE(p->LblCode->text(), QStringLiteral("شماره"));
    QCOMPARE(p->Combo1->toolTip(), QStringLiteral("وضعيت تأهل خود را مشخص کنيد"));
    QCOMPARE(p->Combo2->toolTip(), QStringLiteral("جنسيت را انتخاب كنيد"));
    QCOMPARE(p->Text5->maxLength(), 3);
    QTest::keyClicks(p->Text5, QStringLiteral("4x"));
    QCOMPARE(p->Text5->text(), QStringLiteral("4"));
    QCOMPARE(f.dialogs.notices(), QStringList{QStringLiteral("شما بايد عدد وارد كنيد")});
    // Another menu action closes the panel and enables the button again.
    w.Command5->click();
    QVERIFY(p->isHidden());
    QVERIFY(w.Command1->isEnabled());
}

void TestRegistration::checksComeInOrder_data() {
    QTest::addColumn<QStringList>("filled");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("focus");
    const QStringList all{"code", "first", "last", "sex", "age", "marital", "group", "education"};
    QTest::newRow("nothing") << QStringList{} << QStringLiteral("کد آزمودني را وارد کنيد") << "Text11";
    QTest::newRow("only code") << QStringList{"code"} << QStringLiteral("نام آزمودني را وارد کنيد") << "Text6";
    QTest::newRow("no last name") << QStringList{"code", "first", "sex", "age"}
                                  << QStringLiteral("نام خانوادگي آزمودني را وارد کنيد") << "Text4";
    QTest::newRow("sex before age") << QStringList{"code", "first", "last", "marital"}
                                    << QStringLiteral("جنسيت آزمودني را مشخص کنيد") << "Combo2";
    QTest::newRow("no age") << QStringList{"code", "first", "last", "sex"}
                            << QStringLiteral("سن آزمودني را وارد کنيد") << "Text5";
    QTest::newRow("no marital") << QStringList{"code", "first", "last", "sex", "age"}
                                << QStringLiteral("وضعيت تاهل آزمودني را مشخص کنيد") << "Combo1";
    QTest::newRow("no group") << QStringList{"code", "first", "last", "sex", "age", "marital"}
                              << QStringLiteral("گروه را مشخص کنيد") << "Combo3";
    QTest::newRow("no education") << QStringList{"code", "first", "last", "sex", "age", "marital", "group"}
                                  << QStringLiteral("ميزان تحصيلات آزمودني را وارد کنيد") << "Text7";
    QTest::newRow("blanks pass") << all << QString() << QString();
}

void TestRegistration::checksComeInOrder() {
    QFETCH(QStringList, filled);
    QFETCH(QString, notice);
    QFETCH(QString, focus);
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.show();
    QApplication::setActiveWindow(&w);
    w.Command1->click();
    RegistrationPanel* p = w.Frame10;
    p->Text11->clear();
    const QString blank = QStringLiteral(" ");
    if (filled.contains("code")) p->Text11->setText(QStringLiteral("5"));
    if (filled.contains("first")) p->Text6->setText(blank);
    if (filled.contains("last")) p->Text4->setText(blank);
    if (filled.contains("age")) p->Text5->setText(QStringLiteral("30"));
    if (filled.contains("sex")) choose(p->Combo2, QStringLiteral("مرد"));
    if (filled.contains("marital")) choose(p->Combo1, QStringLiteral("مجرد"));
    if (filled.contains("group")) choose(p->Combo3, QStringLiteral("A"));
    if (filled.contains("education")) p->Text7->setText(blank);
    p->Command8->click();
    SubjectDb db(f.app.folder());
    if (notice.isEmpty()) {
        QCOMPARE(f.dialogs.notices(), QStringList{QStringLiteral("ذخيره شد")});
        QCOMPARE(db.subjectCount(), 1);
        return;
    }
    QCOMPARE(f.dialogs.notices(), QStringList{notice});
    QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), focus);
    QVERIFY(p->isVisible());
    QCOMPARE(db.subjectCount(), 0);
}

void TestRegistration::savesFourRowsAndClosesThePanel() {
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.show();
    w.Command1->click();
    RegistrationPanel* p = w.Frame10;
    QCOMPARE(p->Text11->text(), QString());
    p->Text11->setText(QStringLiteral("A'1"));
    fillAll(p);
    p->Text8->setText(QStringLiteral("1402/12/29"));
    p->Command8->click();
    QCOMPARE(f.dialogs.notices(), QStringList{QStringLiteral("ذخيره شد")});
    QVERIFY(p->isHidden());
    QVERIFY(w.Command1->isEnabled());

    SubjectDb db(f.app.folder());
    const auto s = db.findSubject(QStringLiteral("A'1"));
    QVERIFY(s.isFound());
    QCOMPARE(s->firstName, QStringLiteral("مريم"));
    QCOMPARE(s->lastName, QStringLiteral("O'Hara"));
    QCOMPARE(s->age, QStringLiteral("29"));
    QCOMPARE(s->marital, QStringLiteral("متأهل"));
    QCOMPARE(s->sex, QStringLiteral("زن"));
    QCOMPARE(s->group, QStringLiteral("C"));
    QCOMPARE(s->education, QStringLiteral("ديپلم"));
    QCOMPARE(s->date, QStringLiteral("1402/12/29"));
    QCOMPARE(s->time, QStringLiteral("09:05:07"));
    for (int table = 0; table < kAnswerTableCount; ++table) {
        QCOMPARE(db.answerRowCount(table), 1);
        QCOMPARE(db.hasAnswerRow(QStringLiteral("A'1"), table), Lookup::Found);
    }
    const AnswerSheet sheet = db.loadAnswers(QStringLiteral("A'1"));
    for (int item = 1; item <= kItemCount; ++item)
        QVERIFY(sheet.at(item).isEmpty());
}

void TestRegistration::refusesADuplicateCode() {
    hovtest::WindowFixture f;
    addSubjects(f.app, {QStringLiteral("41")});
    Frm1 w(f.app.folder());
    w.show();
    w.Command1->click();
    RegistrationPanel* p = w.Frame10;
    QCOMPARE(p->Text11->text(), QStringLiteral("42"));
    p->Text11->setText(QStringLiteral("41"));
    fillAll(p);
    p->Command8->click();
    QCOMPARE(f.dialogs.notices(), QStringList{QStringLiteral("فردديگري با اين کد ثبت شده")});
    QVERIFY(p->isVisible());
    p->Text11->setText(QStringLiteral("041"));
    p->Command8->click();
    QCOMPARE(f.dialogs.notices().last(), QStringLiteral("ذخيره شد"));
    QCOMPARE(SubjectDb(f.app.folder()).subjectCount(), 2);
}

void TestRegistration::failedWriteLeavesNothingAndSaysSo() {
    hovtest::WindowFixture f;
    QVERIFY(f.app.refuseWrites(kHov, QStringLiteral("Answer3"), hovtest::TestAppFolder::Insert));
    Frm1 w(f.app.folder());
    w.show();
    w.Command1->click();
    RegistrationPanel* p = w.Frame10;
    p->Text11->setText(QStringLiteral("1"));
    fillAll(p);
    p->Command8->click();
    QVERIFY(!f.dialogs.notices().contains(QStringLiteral("ذخيره شد")));
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QStringLiteral("message"));
    QCOMPARE(f.dialogs.shown[0].caption, QStringLiteral("خطا"));
    QVERIFY(f.dialogs.shown[0].details.contains(QStringLiteral("disk full")));
    QVERIFY(p->isVisible());
    SubjectDb db(f.app.folder());
    QCOMPARE(db.subjectCount(), 0);
    for (int table = 0; table < kAnswerTableCount; ++table)
        QCOMPARE(db.answerRowCount(table), 0);
}

void TestRegistration::listsKeepTheirChoiceAndCodeIsProposedAgain() {
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.show();
    w.Command1->click();
    RegistrationPanel* p = w.Frame10;
    p->Text11->setText(QStringLiteral("5"));
    fillAll(p);
    p->Command8->click();
    w.Command1->click();
    QCOMPARE(p->Combo1->currentText(), QStringLiteral("متأهل"));
    QCOMPARE(p->Combo2->currentText(), QStringLiteral("زن"));
    QCOMPARE(p->Combo3->currentText(), QStringLiteral("C"));
    QCOMPARE(p->Text6->text(), QString());
    QCOMPARE(p->Text11->text(), QStringLiteral("6"));
    // Cancelled: nothing written, and the next opening proposes again.
    p->Text6->setText(QStringLiteral("x"));
    p->Command10->click();
    QVERIFY(p->isHidden());
    QVERIFY(w.Command1->isEnabled());
    w.Command1->click();
    QCOMPARE(p->Text11->text(), QStringLiteral("6"));
    QCOMPARE(SubjectDb(f.app.folder()).subjectCount(), 1);
    // A fresh main window starts with empty lists.
    Frm1 fresh(f.app.folder());
    fresh.Command1->click();
    QCOMPARE(fresh.Frame10->Combo2->currentText(), QString());
}

void TestRegistration::noticeClosesItselfAndFocusLandsOnTheField() {
    // The real notice, not the scripted one.
    hovtest::TestAppFolder app;
    Frm1 w(app.folder());
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.Command1->click();
    w.Frame10->Text11->setText(QStringLiteral("3"));
    QElapsedTimer timer;
    timer.start();
    w.Frame10->Command8->click();
    QVERIFY2(timer.elapsed() >= 900, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.Frame10->Text6));
}

QTEST_MAIN(TestRegistration)
#include "test_registration.moc"
