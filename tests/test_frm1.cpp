// The main window: start-up, menu, hints, contact block, leaving through the exit window,
// one running copy.
#include "ui/main/about.h"
#include "ui/main/exitpro.h"
#include "ui/kit/fonts.h"
#include "ui/main/frm1.h"
#include "ui/kit/geometry.h"
#include "ui/kit/navigator.h"
#include "ui/main/singleinstance.h"
#include "ui/main/startup.h"
#include "data/subjectdb.h"
#include "tests/support/testsupport.h"
#include "ui/kit/theme.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QTest>
#include <QTimer>

using namespace hov;

namespace {

const QString kHov = QStringLiteral("HOVDB.mdb");
const QString kTheme = QStringLiteral("Theme.adz");

// Counts fresh main windows and program ends instead of making or doing them.
struct Navigation {
    int mainWindows = 0;
    int ends = 0;
    Navigation() {
        nav::setMainWindowFactory([this] {
            ++mainWindows;
            return nullptr;
        });
        nav::setEndProgramHandler([this] { ++ends; });
    }
    ~Navigation() {
        nav::setMainWindowFactory({});
        nav::setEndProgramHandler({});
    }
};

void registerSubject(const AppFolder& folder, const QString& code) {
    Subject s;
    s.code = code;
    s.firstName = QStringLiteral("x");
    SubjectDb db(folder);
    QVERIFY(db.registerSubject(s));
}

} // namespace

class TestFrm1 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        installFonts();
        Frm1::installAsMainWindow();
    }
    void startUpFillsTheWindow();
    void unreadableSettingsAreReportedAtStartUp();
    void hintsCarryTheSubjectTerm_data();
    void hintsCarryTheSubjectTerm();
    void hintAreaFollowsTheMouse();
    void contactBlock_data();
    void contactBlock();
    void menuButtonsDoNothingOnEmptyTables();
    void menuButtonsReportAnUnreadableDatabase_data();
    void menuButtonsReportAnUnreadableDatabase();
    void webButtonsOpenTheirPages();
    void startsWithAnyThemeFile_data();
    void startsWithAnyThemeFile();
    void closeBoxAndExitButtonReachTheSameExitWindow_data();
    void closeBoxAndExitButtonReachTheSameExitWindow();
    void exitWindowKeepsTheProgramRunning();
    void handOverClosesWithoutExitWindow();
    void endingTheProgramClosesWithoutExitWindow();
    void exitWindowLeaveAndStay();
    void exitWindowCaptionAlternates();
    void aboutIsModalAndAnimated();
    void singleInstance();
    void secondCopyShowsWarningAndNoWindow();
    void missingDatabaseFileIsNamed();
    void lockIsPerUser();
    void unreadableSubjectFileIsReportedByTheMenu_data();
    void unreadableSubjectFileIsReportedByTheMenu();
    void unusableDatabaseFileIsRefusedAtStart_data();
    void unusableDatabaseFileIsRefusedAtStart();
    void standardButtonsSpeakPersian();
};

// Settings that cannot be read are reported, not shown as an empty clinic.
void TestFrm1::unreadableSettingsAreReportedAtStartUp() {
    hovtest::WindowFixture f;
    QVERIFY(f.app.exec(kTheme, QStringLiteral("ALTER TABLE \"Theme\" RENAME TO \"Other\"")));
    Frm1 w(f.app.folder());
    QCOMPARE(f.dialogs.shown.size(), 1);
    QVERIFY(f.dialogs.shown[0].text.startsWith(QStringLiteral("مشخصات کلينيک خوانده نشد.")));
    QVERIFY(f.dialogs.shown[0].text.contains(kTheme));
    QVERIFY(w.SkinLabel1->text().isEmpty());
}

void TestFrm1::startUpFillsTheWindow() {
    hovtest::WindowFixture f;
    QVERIFY(f.app.exec(kTheme, QStringLiteral("UPDATE \"Theme\" SET \"Name\" = 'كلينيك آرامش'")));
    Frm1 w(f.app.folder());
    QCOMPARE(w.windowTitle(), QStringLiteral("HOV"));
    QCOMPARE(w.size(), pxSize(10215, 8535));
    QCOMPARE(w.pos(), pxPoint(2085, 745));
    QCOMPARE(w.layoutDirection(), Qt::RightToLeft);
    QCOMPARE(w.Text3->text(), QStringLiteral("2"));
    QCOMPARE(w.SkinLabel9->text(), QStringLiteral("HOV 2.1"));
    QCOMPARE(w.SkinLabel1->text(), QStringLiteral("كلينيك آرامش"));
    QCOMPARE(w.SkinLabel6->text(), QStringLiteral("09:05:07"));
    QCOMPARE(w.SkinLabel6->toolTip(), QStringLiteral("اگر ساعت دقيق نباشد ساعت سيستم خود را تنظيم کنيد"));
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    const QStringList captions{QStringLiteral("ثبت نام آزمودني"), QStringLiteral("اجراي تست"),
                               QStringLiteral("کليد گذاري"), QStringLiteral("نمايش کد آزمودني"),
                               QStringLiteral("ماشين حساب"), QStringLiteral("تنظيمات"),
                               QStringLiteral("پاسخنامه"), QStringLiteral("درباره ما"),
                               QStringLiteral("بروز رساني"), QStringLiteral("خروج")};
    const QList<QPushButton*> buttons{w.Command1, w.Command2,  w.Command3,  w.Command4,  w.Command5,
                                      w.Command9, w.Command13, w.Command14, w.Command17, w.Command6};
    for (int i = 0; i < buttons.size(); ++i)
        QCOMPARE(buttons[i]->text(), captions[i]);
    // The clock follows the clock.
    f.clock.time = f.clock.time.addSecs(61);
    QTRY_COMPARE_WITH_TIMEOUT(w.SkinLabel6->text(), QStringLiteral("09:06:08"), 3000);
}

void TestFrm1::hintsCarryTheSubjectTerm_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("hint");
    const QString t = QStringLiteral("شماره پرونده");
    QTest::newRow("Command1") << "Command1" << QStringLiteral(" شما بايد هر آزمودني را ابتدا ثبت نام کرده و سپس روي دکمه اجراي تست کليک کرده و ") + t + QStringLiteral(" را وارد کنيد");
    QTest::newRow("Command2") << "Command2" << QStringLiteral(" جهت پاسخ دادن به سؤالها روي اين دکمه کليک کنيد و  ") + t + QStringLiteral(" مورد نظر را وارد کنيد");
    QTest::newRow("Command3") << "Command3" << QStringLiteral(" جهت کليد گذاري و محاسبه نتيجه تست روي اين دکمه کليک مي کنيد");
    QTest::newRow("Command4") << "Command4" << QStringLiteral(" درصورتيکه ") + t + QStringLiteral(" را فراموش کرده ايد با کليک بر روي  اين قسمت مي توانيد آن را بدست بياوريد. همچنين براي حذف آزمودني به اين قسمت مراجه نمائيد");
    QTest::newRow("Command9") << "Command9" << QStringLiteral("با کليک بر روي اين دکمه شمامي توانيد:1- تم برنامه را عوض کنيد 2- نام و آدرس کلينيک و ساير اطلاعات را وارد کنيد");
    QTest::newRow("Command17") << "Command17" << QStringLiteral(" ابتدا سيستم را به اينترنت وصل نموده سپس جهت بروز رساني نرم افزار به اين قسمت مراجعه نماييد");
    QTest::newRow("Command5 has none") << "Command5" << QString();
    QTest::newRow("Command6 has none") << "Command6" << QString();
}

void TestFrm1::hintsCarryTheSubjectTerm() {
    QFETCH(QString, button);
    QFETCH(QString, hint);
    hovtest::WindowFixture f;
    QVERIFY(f.app.exec(kTheme, QStringLiteral("UPDATE \"Theme\" SET \"T11\" = 'شماره پرونده'")));
    Frm1 w(f.app.folder());
    QCOMPARE(w.hintFor(button), hint);
    QCOMPARE(w.Command4->text(), QStringLiteral("نمايش شماره پرونده"));
}

void TestFrm1::hintAreaFollowsTheMouse() {
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.SkinLabel2->isHidden());
    hovtest::hoverOver(w.Command3);
    QVERIFY(w.SkinLabel2->isVisible());
    QCOMPARE(w.SkinLabel2->text(), w.hintFor(QStringLiteral("Command3")));
    // A button without a hint leaves the label as it is.
    hovtest::hoverOver(w.Command5);
    QCOMPARE(w.SkinLabel2->text(), w.hintFor(QStringLiteral("Command3")));
    hovtest::hoverOver(&w, QPoint(5, w.height() - 5));
    QVERIFY(w.SkinLabel2->isHidden());
    QVERIFY(w.SkinLabel2->text().isEmpty());
}

void TestFrm1::contactBlock_data() {
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("block");
    QTest::newRow("all empty") << QString() << QString();
    QTest::newRow("only T4") << QStringLiteral("\"T4\" = 'www.clinic.ir'") << QStringLiteral("www.clinic.ir\r\n");
    QTest::newRow("T1, T6 and a null T3")
        << QStringLiteral("\"T1\" = 'a@b.ir', \"T3\" = NULL, \"T6\" = '021-555'")
        << QStringLiteral("a@b.ir\r\n021-555\r\n");
    QTest::newRow("all six")
        << QStringLiteral("\"T1\"='1',\"T2\"='2',\"T3\"='3',\"T4\"='4',\"T5\"='5',\"T6\"='6'")
        << QStringLiteral("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n");
}

void TestFrm1::contactBlock() {
    QFETCH(QString, set);
    QFETCH(QString, block);
    hovtest::WindowFixture f;
    if (!set.isEmpty())
        QVERIFY(f.app.exec(kTheme, QStringLiteral("UPDATE \"Theme\" SET ") + set));
    Frm1 w(f.app.folder());
    QCOMPARE(w.Txtmosh->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")), block);
    QCOMPARE(Frm1::contactBlock(SettingsDb(f.app.folder()).load()), block);
}

void TestFrm1::menuButtonsDoNothingOnEmptyTables() {
    hovtest::WindowFixture f;
    Navigation navigation;
    Frm1 w(f.app.folder());
    w.show();
    for (QPushButton* b : {w.Command2, w.Command3, w.Command4})
        b->click();
    QVERIFY(f.dialogs.shown.isEmpty());
    QVERIFY(w.isVisible());
    QCOMPARE(w.Text3->text(), QStringLiteral("2"));
    const QWidgetList tops = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(tops.begin(), tops.end(),
                           [](QWidget* t) {
                               return t->isVisible() && t->objectName() != QLatin1String("Frm1");
                           }),
             0);

    // A subject whose Answer3 row is gone: the roster button still does nothing.
    registerSubject(f.app.folder(), QStringLiteral("1"));
    QVERIFY(f.app.exec(kHov, QStringLiteral("DELETE FROM \"Answer3\"")));
    w.Command4->click();
    QVERIFY(f.dialogs.shown.isEmpty());
}

void TestFrm1::menuButtonsReportAnUnreadableDatabase_data() {
    QTest::addColumn<QString>("button");
    for (const char* name : {"Command2", "Command3", "Command4"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// A subject database that is there but cannot be opened is not an empty one.
void TestFrm1::menuButtonsReportAnUnreadableDatabase() {
    QFETCH(QString, button);
    hovtest::WindowFixture f;
    Navigation navigation;
    QFile junk(f.app.folder().subjectDatabase());
    QVERIFY(junk.open(QIODevice::WriteOnly | QIODevice::Truncate));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    Frm1 w(f.app.folder());
    w.show();
    w.findChild<QPushButton*>(button)->click();
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QStringLiteral("message"));
    QVERIFY(f.dialogs.shown[0].text.contains(kHov));
    QVERIFY(w.isVisible());
    QCOMPARE(w.Text3->text(), QStringLiteral("2"));
}

void TestFrm1::webButtonsOpenTheirPages() {
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.show();
    w.CmdHelp->click();
    w.Command11->click();
    w.Cmandkanal->click();
    QTest::mouseClick(w.Picture1, Qt::LeftButton);
    QCOMPARE(f.shell.urls.size(), 6);
    QVERIFY(f.shell.urls[0].endsWith(QStringLiteral("/discussions.html")));
    QVERIFY(f.shell.urls[1].endsWith(QStringLiteral("/Soft/soft-list2.pdf")));
    QVERIFY(f.shell.urls[2].contains(QStringLiteral("t.me")));
    QCOMPARE(QSet<QString>(f.shell.urls.begin() + 3, f.shell.urls.end()).size(), 3);
    QCOMPARE(w.CmdHelp->toolTip(), QStringLiteral("براي مشاهده اين قسمت بايد به اينترنت کانکت شويد"));
    QCOMPARE(w.Picture1->toolTip(), QStringLiteral("جهت ورود به سايت کليک کنيد"));
}

void TestFrm1::startsWithAnyThemeFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("themed");
    QTest::newRow("5") << QByteArray("5\r\n") << true;
    QTest::newRow("missing") << QByteArray("-") << false;
    QTest::newRow("garbage") << QByteArray("\x01\x02zz") << false;
    QTest::newRow("60") << QByteArray("60\r\n") << false;
}

void TestFrm1::startsWithAnyThemeFile() {
    QFETCH(QByteArray, content);
    QFETCH(bool, themed);
    hovtest::WindowFixture f;
    const AppFolder folder = f.app.folder();
    QFile::remove(folder.skinNumberFile());
    if (content != "-") {
        QFile file(folder.skinNumberFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    Frm1 w(folder);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QColor expected = themed ? loadSkin(folder, 5).window : defaultSkin().window;
    QCOMPARE(w.palette().color(QPalette::Window), expected);
}

void TestFrm1::closeBoxAndExitButtonReachTheSameExitWindow_data() {
    QTest::addColumn<bool>("byButton");
    QTest::newRow("Command6") << true;
    QTest::newRow("close box") << false;
}

void TestFrm1::closeBoxAndExitButtonReachTheSameExitWindow() {
    QFETCH(bool, byButton);
    hovtest::WindowFixture f;
    Navigation navigation;
    auto* w = new Frm1(f.app.folder());
    QPointer<Frm1> guard(w);
    QPointer<QWidget> exit;
    connect(w, &Frm1::exitWindowShown, this, [&](QWidget* e) { exit = e; });
    w->show();
    if (byButton)
        w->Command6->click();
    else
        w->close();
    QTRY_VERIFY(!guard);
    QVERIFY(exit);
    QVERIFY(exit->isVisible());
    QCOMPARE(exit->pos(), pxPoint(5000, 1500));
    QCOMPARE(exit->size(), pxSize(4275, 3075));
    QCOMPARE(navigation.ends, 0);
    delete exit;
}

// The exit window is all that is left on screen once the main window has gone; the
// program must go on running under it until one of its own ways out is taken.
void TestFrm1::exitWindowKeepsTheProgramRunning() {
    hovtest::WindowFixture f;
    Navigation navigation;
    auto* w = new Frm1(f.app.folder());
    QPointer<QWidget> exit;
    connect(w, &Frm1::exitWindowShown, this, [&](QWidget* e) { exit = e; });
    w->show();
    QTimer::singleShot(0, w->Command6, &QPushButton::click);
    QTimer::singleShot(500, [] { QApplication::exit(7); });
    QCOMPARE(QApplication::exec(), 7);
    QVERIFY(exit);
    QVERIFY(exit->isVisible());
    delete exit;
}

void TestFrm1::handOverClosesWithoutExitWindow() {
    hovtest::WindowFixture f;
    Navigation navigation;
    auto* w = new Frm1(f.app.folder());
    bool exitShown = false;
    connect(w, &Frm1::exitWindowShown, this, [&] { exitShown = true; });
    w->show();
    w->closeForHandOver();
    QVERIFY(!exitShown);
}

void TestFrm1::endingTheProgramClosesWithoutExitWindow() {
    hovtest::WindowFixture f;
    auto* w = new Frm1(f.app.folder());
    QPointer<Frm1> guard(w);
    bool exitShown = false;
    connect(w, &Frm1::exitWindowShown, this, [&] { exitShown = true; });
    w->show();
    // What the real ending does, with the main window still open (the update window).
    nav::setEndProgramHandler([] { QApplication::closeAllWindows(); });
    nav::endProgram();
    nav::setEndProgramHandler({});
    QTRY_VERIFY(!guard);
    QVERIFY(!exitShown);
}

void TestFrm1::exitWindowLeaveAndStay() {
    hovtest::WindowFixture f;
    Navigation navigation;
    {
        Exitpro exit;
        exit.show();
        QCOMPARE(exit.Label1->text(), QStringLiteral("آيا براي خروج از برنامه اطمينان داريد"));
        QVERIFY(!exit.Check1->isChecked());
        QVERIFY(exit.k1->isVisible() && !exit.k2->isVisible());
        hovtest::hoverOver(exit.k1);
        QVERIFY(exit.k2->isVisible());
        hovtest::hoverOver(&exit);
        QVERIFY(exit.k1->isVisible() && !exit.k2->isVisible());
        QTest::mouseClick(exit.k1, Qt::LeftButton);
        QCOMPARE(navigation.ends, 1);
        // Escape as the operator presses it: to whatever has the keyboard.
        QVERIFY(QTest::qWaitForWindowActive(&exit));
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->window(), &exit);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(navigation.ends, 2);
    }
    auto* exit = new Exitpro;
    QPointer<Exitpro> guard(exit);
    exit->show();
    QTest::mouseClick(exit->c1, Qt::LeftButton);
    QCOMPARE(navigation.mainWindows, 1);
    QCOMPARE(navigation.ends, 2);
    QTRY_VERIFY(!guard);
}

void TestFrm1::exitWindowCaptionAlternates() {
    Exitpro exit;
    exit.show();
    QSet<QString> seen;
    // About every half second; a busy machine may make it slower.
    const QString first = QStringLiteral(" تهيه نسخه پشتيبان");
    const QString second = QStringLiteral("پشتيبان گيري");
    for (int i = 0; i < 40 && !(seen.contains(first) && seen.contains(second)); ++i) {
        QTest::qWait(150);
        seen.insert(exit.Check1->text());
    }
    QVERIFY(seen.contains(first));
    QVERIFY(seen.contains(second));
}

void TestFrm1::aboutIsModalAndAnimated() {
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.show();
    QColor before;
    QTimer::singleShot(100, [&] {
        auto* about = qobject_cast<About*>(QApplication::activeModalWidget());
        QVERIFY(about);
        before = about->captions.front()->palette().color(QPalette::WindowText);
        QTRY_VERIFY_WITH_TIMEOUT(
            about->captions.front()->palette().color(QPalette::WindowText) != before, 3000);
        about->accept();
    });
    w.Command14->click();
    QVERIFY(before.isValid());
}

void TestFrm1::singleInstance() {
    QTemporaryDir dir;
    const QString lock = dir.path() + QStringLiteral("/HOV-480.lock");
    {
        SingleInstance first(lock);
        QVERIFY(first.acquire());
        SingleInstance second(lock);
        QVERIFY(!second.acquire());
    }
    SingleInstance afterwards(lock);
    QVERIFY(afterwards.acquire());
}

// The lock is the user's own: another user's copy (another runtime folder) does not block
// this one, a second copy of the same user is still refused.
void TestFrm1::lockIsPerUser() {
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    QTemporaryDir userA;
    QTemporaryDir userB;
    for (const QTemporaryDir* d : {&userA, &userB})
        QFile::setPermissions(d->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", userA.path().toUtf8());
    const QString pathA = SingleInstance::defaultLockPath();
    qputenv("XDG_RUNTIME_DIR", userB.path().toUtf8());
    const QString pathB = SingleInstance::defaultLockPath();
    qputenv("XDG_RUNTIME_DIR", saved);
    QCOMPARE(QFileInfo(pathA).absolutePath(), QFileInfo(userA.path()).absoluteFilePath());
    QVERIFY(pathA != pathB);
    SingleInstance a(pathA);
    QVERIFY(a.acquire());
    SingleInstance b(pathB);
    QVERIFY(b.acquire());
    SingleInstance secondA(pathA);
    QVERIFY(!secondA.acquire());
}

// A database file that is there but unusable is refused at start, like a missing one:
// the operator hears which file, in Persian; the driver's words are only the details.
void TestFrm1::unusableDatabaseFileIsRefusedAtStart_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("damage");
    QTest::newRow("HOVDB.mdb garbage") << "HOVDB.mdb" << "garbage";
    QTest::newRow("HOVDB.mdb empty") << "HOVDB.mdb" << "empty";
    QTest::newRow("HOVDB.mdb without Answer2") << "HOVDB.mdb" << "DROP TABLE \"Answer2\"";
    QTest::newRow("Theme.adz without Theme") << "Theme.adz" << "DROP TABLE \"Theme\"";
    QTest::newRow("dab.adz garbage") << "dab.adz" << "garbage";
}

void TestFrm1::unusableDatabaseFileIsRefusedAtStart() {
    QFETCH(QString, file);
    QFETCH(QString, damage);
    hovtest::WindowFixture f;
    Navigation navigation;
    const QString path = f.app.path() + QLatin1Char('/') + file;
    if (damage == QLatin1String("garbage") || damage == QLatin1String("empty")) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        if (damage == QLatin1String("garbage"))
            out.write(QByteArray(4096, 'x'));
    } else {
        QVERIFY(f.app.exec(file, damage));
    }
    QTemporaryDir dir;
    QCOMPARE(runProgram(f.app.folder(), dir.path() + QStringLiteral("/l.lock")), 1);
    QCOMPARE(f.dialogs.shown.size(), 1);
    const hovtest::Shown& shown = f.dialogs.shown[0];
    QCOMPARE(shown.caption, QStringLiteral("خطا"));
    QVERIFY(shown.text.contains(file));
    QVERIFY(shown.text.contains(QDir::toNativeSeparators(f.app.path())));
    // Persian only: the driver's English stays in the details.
    static const QRegularExpression english(QStringLiteral("[A-Za-z]{3,}"));
    QString withoutNames = shown.text;
    withoutNames.remove(file).remove(QDir::toNativeSeparators(f.app.path()));
    for (const QString& table : {QStringLiteral("Answer2"), QStringLiteral("Theme"), QStringLiteral("IDE")})
        withoutNames.remove(table);
    QVERIFY2(!withoutNames.contains(english), qPrintable(shown.text));
    QCOMPARE(navigation.mainWindows, 0);
}

// A subject file that became unreadable after the start: "اجراي تست", "کليد گذاري" and the
// roster button say so in Persian, naming the file, instead of doing nothing.
void TestFrm1::unreadableSubjectFileIsReportedByTheMenu_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("test") << "Command2";
    QTest::newRow("scoring") << "Command3";
    QTest::newRow("roster") << "Command4";
}

void TestFrm1::unreadableSubjectFileIsReportedByTheMenu() {
    QFETCH(QString, button);
    hovtest::WindowFixture f;
    Navigation navigation;
    registerSubject(f.app.folder(), QStringLiteral("1"));
    Frm1 w(f.app.folder());
    w.show();
    QVERIFY(f.app.exec(QStringLiteral("HOVDB.mdb"), QStringLiteral("DROP TABLE \"Answer3\"")));
    auto* b = w.findChild<QPushButton*>(button);
    QVERIFY(b);
    b->click();
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QStringLiteral("message"));
    QCOMPARE(f.dialogs.shown[0].caption, QStringLiteral("خطا"));
    QVERIFY(f.dialogs.shown[0].text.contains(QStringLiteral("HOVDB.mdb")));
    QVERIFY(f.dialogs.shown[0].text.contains(QStringLiteral("Answer3")));
    QVERIFY(w.isVisible());
    QCOMPARE(w.Text3->text(), QStringLiteral("2"));
}

void TestFrm1::secondCopyShowsWarningAndNoWindow() {
    hovtest::WindowFixture f;
    Navigation navigation;
    QTemporaryDir dir;
    const QString lock = dir.path() + QStringLiteral("/HOV-480.lock");
    // A lock left by a copy that crashed (its process is gone) does not block.
    {
        QFile stale(lock);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("2147483000\nHOV-480\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    SingleInstance running(lock);
    QVERIFY(running.acquire());
    QCOMPARE(runProgram(f.app.folder(), lock), 0);
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].caption, QStringLiteral("Warnnig"));
    QCOMPARE(f.dialogs.shown[0].text, QStringLiteral("برنامه در حال اجراست"));
    QCOMPARE(f.dialogs.lastIcon, Dialogs::Icon::Information);
    QCOMPARE(navigation.mainWindows, 0);
}

void TestFrm1::missingDatabaseFileIsNamed() {
    hovtest::WindowFixture f;
    Navigation navigation;
    QVERIFY(QFile::remove(f.app.folder().normsDatabase()));
    QTemporaryDir dir;
    QCOMPARE(runProgram(f.app.folder(), dir.path() + QStringLiteral("/l.lock")), 1);
    QCOMPARE(f.dialogs.shown.size(), 1);
    QVERIFY(f.dialogs.shown[0].text.contains(QStringLiteral("dab.adz")));
    QVERIFY(f.dialogs.shown[0].text.contains(QDir::toNativeSeparators(f.app.path())));
    QCOMPARE(navigation.mainWindows, 0);
    QVERIFY(!QFile::exists(f.app.folder().normsDatabase()));
}

// The standard buttons of every message box (OK, Yes, No, Show Details...) in Persian, from
// Qt's own translations, which the test command installs.
void TestFrm1::standardButtonsSpeakPersian() {
    QVERIFY(installPersianTranslations());
    for (const char* text : {"OK", "&Yes", "&No", "Cancel"}) {
        const QString shown = QCoreApplication::translate("QPlatformTheme", text);
        QVERIFY2(shown.contains(QRegularExpression(QStringLiteral("[\\x{0600}-\\x{06FF}]"))),
                 qPrintable(shown));
    }
}

QTEST_MAIN(TestFrm1)
#include "test_frm1.moc"
