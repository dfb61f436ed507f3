// The backup window: its controls, the proposed name, backup and restore with their
// questions and messages in order, the check that keeps a bad file from replacing the
// subject database, the guard while a copy runs, and the ways out.
#include "data/backup.h"
#include "data/subjectdb.h"
#include "tests/support/diskfaults.h"
#include "tests/support/testsupport.h"
#include "ui/backup/frmbackup.h"
#include "ui/kit/fonts.h"
#include "ui/kit/navigator.h"
#include "ui/kit/realdialogs.h"
#include "ui/kit/version.h"
#include "ui/main/exitpro.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace hov;

namespace {

const QString kCopyFailed = QStringLiteral("اشکال در ايجاد نسخه پشتيباني");

struct Navigation {
    int ends = 0;
    Navigation() {
        nav::setEndProgramHandler([this] { ++ends; });
    }
    ~Navigation() { nav::setEndProgramHandler({}); }
};

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Runs statements on a database file of the test's own (fixtures only).
bool execOn(const QString& path, const QStringList& statements) {
    static int n = 0;
    const QString name = QStringLiteral("fixture-%1").arg(++n);
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open();
        for (const QString& sql : statements) {
            QSqlQuery q(db);
            if (ok && !q.exec(sql)) {
                qWarning() << sql << q.lastQuery();
                ok = false;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// The files of the application folder other than the program's own: a leftover
// temporary file or an unexpected safety copy shows here.
QStringList strayFiles(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const char* own : {"HOVDB.mdb", "Theme.adz", "dab.adz"})
        names.removeAll(QLatin1String(own));
    return names;
}

QStringList backupsIn(const AppFolder& folder) {
    return QDir(folder.backupFolder()).entryList(QDir::Files | QDir::Hidden);
}

// A window test: folder, services, a clock at 23 Bahman 1402, 14:35, program ends counted.
struct Fixture : hovtest::WindowFixture {
    Navigation navigation;
    QList<Dialogs::Icon> icons;
    Fixture() {
        clock.time = QDateTime(QDate(2024, 2, 12), QTime(14, 35, 20));
        dialogs.onShow = [this](const hovtest::Shown&) { icons << dialogs.lastIcon; };
    }
    Frmbackup* open() {
        auto* w = new Frmbackup(app.folder());
        w->show();
        return w;
    }
    QString database() const { return app.folder().subjectDatabase(); }
    // kind, caption and text of everything shown, in order.
    QList<QStringList> shownList() const {
        QList<QStringList> out;
        for (const hovtest::Shown& s : dialogs.shown)
            out << QStringList{s.kind, s.caption, s.text};
        return out;
    }
};

} // namespace

class TestFrmbackup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFonts(); }
    void windowAsDesigned();
    void fileDialogs_data();
    void fileDialogs();
    void backupFolderThatCannotBeMade();
    void backupQuestionsAndMessages();
    void backupFailures_data();
    void backupFailures();
    void restoreQuestionsAndMessages();
    void restoreOfBadFiles_data();
    void restoreOfBadFiles();
    void restoreThatCannotReplaceTheDatabase();
    void copyKeepsTheWindowResponsiveAndGuarded();
    void everyWayOutEndsTheProgram_data();
    void everyWayOutEndsTheProgram();
    void exitWindowLeadsHereWhenTicked();
    void fileFilterForQtDialogs_data();
    void fileFilterForQtDialogs();
    void screenshot();
};

void TestFrmbackup::windowAsDesigned() {
    Fixture f;
    QScopedPointer<Frmbackup> w(f.open());
    QCOMPARE(w->windowTitle(), QStringLiteral("Back up ...  Reastor"));
    QCOMPARE(w->size(), QSize(495, 200));
    QCOMPARE(w->b1->text(), QStringLiteral("---"));
    QCOMPARE(w->b2->text(), QStringLiteral("---"));
    QCOMPARE(w->VisualButtonEx2->text(), QStringLiteral("BACKUP"));
    QCOMPARE(w->VisualButtonEx3->text(), QStringLiteral("REASTOR"));
    QCOMPARE(w->Command3->text(), QStringLiteral("راهنما"));
    QCOMPARE(w->Command1->text(), QStringLiteral("خروج"));
    QCOMPARE(w->Label1->text(), QStringLiteral("1402.11.23"));
    QCOMPARE(w->Label3->text(), w->Label1->text());
    QVERIFY(!w->Label3->isVisible());
    QCOMPARE(w->Label2->text(), QStringLiteral("14.35"));
    QCOMPARE(w->Timer1->interval(), 1000);
    f.clock.time = QDateTime(QDate(2024, 2, 12), QTime(9, 5));
    QTRY_COMPARE_WITH_TIMEOUT(w->Label2->text(), QStringLiteral("9.05"), 3000);
    // The date stays the window's own.
    QCOMPARE(w->Label1->text(), QStringLiteral("1402.11.23"));

    QVERIFY(!w->Frame1->isVisible());
    QTest::mouseClick(w->Command3, Qt::LeftButton);
    QVERIFY(w->Frame1->isVisible());
    QCOMPARE(w->Frame1->geometry(), QRect(78, 3, 369, 192));
    QVERIFY(w->Text3->isReadOnly());
    QCOMPARE(w->Text3->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    const QString help = w->Text3->toPlainText();
    for (const char* point :
         {"BACKUP", "REASTOR", "Back", "نسخه پشتيبان تهيه گرديد", "درايو سيستم", "پيش از بازيابي"})
        QVERIFY2(help.contains(QString::fromUtf8(point)), point);
    QCOMPARE(w->Command2->text(), QStringLiteral("خروج"));
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    QVERIFY(!w->Frame1->isVisible());
    QVERIFY(w->isVisible());
    QCOMPARE(f.navigation.ends, 0);
}

void TestFrmbackup::fileDialogs_data() {
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("name");
    QTest::newRow("14:35") << QTime(14, 35, 41)
                           << QStringLiteral("HOV-Longformدر تاريخ1402.11.23 ساعت)14.35).mdbB");
    QTest::newRow("9:05") << QTime(9, 5, 2)
                          << QStringLiteral("HOV-Longformدر تاريخ1402.11.23 ساعت)9.05).mdbB");
}

void TestFrmbackup::fileDialogs() {
    QFETCH(QTime, time);
    QFETCH(QString, name);
    Fixture f;
    // The window opened the day before midnight passed; the date is the window's.
    QScopedPointer<Frmbackup> w(f.open());
    f.clock.time = QDateTime(QDate(2024, 2, 13), time);
    const QString back = f.app.folder().backupFolder();
    QVERIFY(!QFileInfo::exists(back));

    f.dialogs.queueFile(QString()); // cancelled
    QTest::mouseClick(w->b1, Qt::LeftButton);
    QVERIFY(QFileInfo(back).isDir());
    QCOMPARE(f.dialogs.shown.last().kind, QStringLiteral("save"));
    QCOMPARE(f.dialogs.shown.last().caption, back + QLatin1Char('/') + name);
    QCOMPARE(f.dialogs.shown.last().text, QStringLiteral("Database Backup |*.mdbB"));
    QCOMPARE(w->Text1->text(), QString());
    f.dialogs.queueFile(back + QLatin1Char('/') + name);
    QTest::mouseClick(w->b1, Qt::LeftButton);
    QCOMPARE(w->Text1->text(), QDir::toNativeSeparators(back + QLatin1Char('/') + name));

    f.dialogs.queueFile(QString());
    QTest::mouseClick(w->b2, Qt::LeftButton);
    QCOMPARE(f.dialogs.shown.last().kind, QStringLiteral("open"));
    QCOMPARE(f.dialogs.shown.last().caption, back);
    QCOMPARE(f.dialogs.shown.last().text, QStringLiteral("Database Backup |*.mdbB"));
    QCOMPARE(w->Text2->text(), QString());
    f.dialogs.queueFile(back + QStringLiteral("/x.mdbB"));
    QTest::mouseClick(w->b2, Qt::LeftButton);
    QCOMPARE(w->Text2->text(), QDir::toNativeSeparators(back + QStringLiteral("/x.mdbB")));
    QVERIFY(f.dialogs.allAnswersUsed());
}

// A file named Back where the folder should be: the operator hears of it, and the dialog
// still opens, in the program's folder.
void TestFrmbackup::backupFolderThatCannotBeMade() {
    Fixture f;
    QVERIFY(writeFile(f.app.folder().backupFolder(), "not a folder"));
    QScopedPointer<Frmbackup> w(f.open());
    f.dialogs.queueFile(QString());
    QTest::mouseClick(w->b2, Qt::LeftButton);
    QCOMPARE(f.dialogs.shown.size(), 2);
    QCOMPARE(f.dialogs.shown[0].caption, QStringLiteral("Error"));
    QVERIFY(f.dialogs.shown[0].text.contains(QStringLiteral("ساخته نشد")));
    QCOMPARE(f.icons[0], Dialogs::Icon::Warning);
    QCOMPARE(f.dialogs.shown[1].kind, QStringLiteral("open"));
    QCOMPARE(f.dialogs.shown[1].caption, f.app.path());
}

void TestFrmbackup::backupQuestionsAndMessages() {
    Fixture f;
    QScopedPointer<Frmbackup> w(f.open());
    const QString target = f.app.path() + QStringLiteral("/old.mdbB");
    const QByteArray earlier(300000, 'x'); // longer than the database
    QVERIFY(writeFile(target, earlier));

    // Empty path.
    QTest::mouseClick(w->VisualButtonEx2, Qt::LeftButton);
    // Existing target, No.
    w->Text1->setText(target);
    f.dialogs.queueYesNo(false);
    QTest::mouseClick(w->VisualButtonEx2, Qt::LeftButton);
    QCOMPARE(readFile(target), earlier);
    QCOMPARE(f.navigation.ends, 0);
    // Existing target, Yes.
    f.dialogs.queueYesNo(true);
    QTest::mouseClick(w->VisualButtonEx2, Qt::LeftButton);
    QCOMPARE(readFile(target), readFile(f.database()));
    QCOMPARE(QFileInfo(target).size(), QFileInfo(f.database()).size());
    QCOMPARE(f.navigation.ends, 1);
    // A new file: no question.
    w->Text1->setText(f.app.path() + QStringLiteral("/new.mdbB"));
    QTest::mouseClick(w->VisualButtonEx2, Qt::LeftButton);
    QCOMPARE(readFile(f.app.path() + QStringLiteral("/new.mdbB")), readFile(f.database()));
    QCOMPARE(f.navigation.ends, 2);

    const QString title = kProgramTitle;
    const QList<QStringList> expected{
        {"message", "خطا", "لطفا مسير تهيه نسخه پشتيبان را وارد کنيد"},
        {"yesno", title,
         "فايل پشتيباني با اين نام قبلا ايجاد شده آيا ميخواهيد اين فايل را جايگزين کنيد؟"},
        {"message", title, "عدم موفقيت در تهيه نسخه پشتيبان"},
        {"yesno", title,
         "فايل پشتيباني با اين نام قبلا ايجاد شده آيا ميخواهيد اين فايل را جايگزين کنيد؟"},
        {"message", title, "نسخه پشتيبان تهيه گرديد"},
        {"message", title, "نسخه پشتيبان تهيه گرديد"},
    };
    QCOMPARE(f.shownList(), expected);
    QCOMPARE(f.icons, (QList<Dialogs::Icon>{Dialogs::Icon::Warning, Dialogs::Icon::None,
                                            Dialogs::Icon::Information, Dialogs::Icon::None,
                                            Dialogs::Icon::None, Dialogs::Icon::None}));
    QCOMPARE(strayFiles(f.app.path()), (QStringList{"new.mdbB", "old.mdbB"}));
}

void TestFrmbackup::backupFailures_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("read-only folder") << "read-only";
    QTest::newRow("disk full") << "full";
    QTest::newRow("path is a folder") << "folder";
    QTest::newRow("folder gone") << "gone";
    QTest::newRow("database unreadable") << "no database";
}

void TestFrmbackup::backupFailures() {
    QFETCH(QString, fault);
    Fixture f;
    const QByteArray database = readFile(f.database());
    const QByteArray earlier(20000, 'e');
    hovtest::ScopedTmpfs disk(fault == "full" ? 64 * 1024 : 1024 * 1024);
    QTemporaryDir dir;
    QString folder = dir.path();
    std::unique_ptr<hovtest::ScopedFileSizeLimit> limit;
    if (fault == "read-only" || fault == "full") {
        if (disk.isMounted())
            folder = disk.path();
        else if (fault == "read-only" && ::geteuid() == 0)
            QSKIP("root writes into any folder, and no read-only file system can be mounted here");
    }
    QString target = folder + QStringLiteral("/old.mdbB");
    QVERIFY(writeFile(target, earlier));
    bool question = true;
    if (fault == "read-only") {
        if (disk.isMounted())
            QVERIFY(disk.makeReadOnly());
        else
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    } else if (fault == "full" && !disk.isMounted()) {
        // Simulated: writes past 64 KB fail as on a full disk.
        limit = std::make_unique<hovtest::ScopedFileSizeLimit>(64 * 1024);
    } else if (fault == "folder") {
        target = folder;
        question = false;
    } else if (fault == "gone") {
        target = folder + QStringLiteral("/gone/new.mdbB");
        question = false;
    } else if (fault == "no database") {
        QVERIFY(QFile::remove(f.database()));
    }
    QScopedPointer<Frmbackup> w(f.open());
    w->Text1->setText(target);
    if (question)
        f.dialogs.queueYesNo(true);
    QTest::mouseClick(w->VisualButtonEx2, Qt::LeftButton);
    limit.reset();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const hovtest::Shown& last = f.dialogs.shown.last();
    QCOMPARE(last.kind, QStringLiteral("message"));
    QCOMPARE(last.caption, kProgramTitle);
    QVERIFY2(last.text.startsWith(kCopyFailed + QLatin1Char('\n')), qPrintable(last.text));
    QVERIFY(last.text.size() > kCopyFailed.size() + 5); // the reason follows
    // The system's words for a write that failed, in the details.
    if (fault == "read-only" || fault == "full")
        QVERIFY2(!last.details.isEmpty(), qPrintable(last.text));
    QCOMPARE(f.icons.last(), Dialogs::Icon::Critical);
    QCOMPARE(f.navigation.ends, 0);
    QVERIFY(w->isVisible());
    QVERIFY(w->VisualButtonEx2->isEnabled() && w->b1->isEnabled() && w->Text1->isEnabled());
    if (fault != "folder" && fault != "gone")
        QCOMPARE(readFile(folder + QStringLiteral("/old.mdbB")), earlier);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"old.mdbB"});
    if (fault != "no database")
        QCOMPARE(readFile(f.database()), database);
}

void TestFrmbackup::restoreQuestionsAndMessages() {
    Fixture f;
    const AppFolder folder = f.app.folder();
    const QByteArray before = readFile(f.database());
    // A backup that holds one subject more than the database.
    QTemporaryDir dir;
    const QString backup = dir.filePath("b.mdbB");
    QVERIFY(QFile::copy(f.database(), backup));
    QVERIFY(execOn(backup, {"INSERT INTO \"IDE\" (\"Code\") VALUES ('restored')"}));
    const QByteArray backupBytes = readFile(backup);

    QScopedPointer<Frmbackup> w(f.open());
    QTest::mouseClick(w->VisualButtonEx3, Qt::LeftButton); // empty path
    w->Text2->setText(backup);
    f.dialogs.queueYesNo(false);
    QTest::mouseClick(w->VisualButtonEx3, Qt::LeftButton);
    QCOMPARE(readFile(f.database()), before);
    QCOMPARE(f.navigation.ends, 0);
    QVERIFY(w->isVisible());
    f.dialogs.queueYesNo(true);
    QTest::mouseClick(w->VisualButtonEx3, Qt::LeftButton);
    QCOMPARE(f.navigation.ends, 1);

    const QString title = kProgramTitle;
    const QList<QStringList> expected{
        {"message", "خطا", "لطفا مسير فايل مربوطه را وارد کنيد"},
        {"yesno", title, "آيا ميخواهيد اطلاعات را بازيابي کنيد؟"},
        {"message", title, "عدم موفقيت در بازيابي اطلاعات "},
        {"yesno", title, "آيا ميخواهيد اطلاعات را بازيابي کنيد؟"},
        {"message", title, "بازيابي اطلاعات انجام شد"},
    };
    QCOMPARE(f.shownList(), expected);
    QCOMPARE(f.icons.first(), Dialogs::Icon::Warning);
    QCOMPARE(readFile(f.database()), backupBytes);
    QCOMPARE(SubjectDb(folder).codeExists(QStringLiteral("restored")), Lookup::Found);
    // The database as it was is kept in Back/, named with the restore's date and time.
    const QStringList kept = backupsIn(folder);
    QCOMPARE(kept,
             QStringList{QStringLiteral("HOVDB پيش از بازيابي 1402.11.23 ساعت 14.35.20.mdbB")});
    QCOMPARE(readFile(folder.backupFolder() + QLatin1Char('/') + kept.first()), before);
    QCOMPARE(strayFiles(f.app.path()), QStringList());
}

// Each row is a file offered for restore; "refused" ones must leave HOVDB.mdb byte for
// byte as it was, "restored" ones must replace it by exactly their bytes.
void TestFrmbackup::restoreOfBadFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("restores");
    QTest::addColumn<QString>("reason"); // a piece of the Persian reason, for refusals
    const bool root = ::geteuid() == 0;
    QTest::newRow("empty file") << "empty" << false << "خالي";
    QTest::newRow("0-byte .mdbB") << "empty.mdbB" << false << "خالي";
    QTest::newRow("truncated to half") << "half" << false << "";
    QTest::newRow("truncated to its header") << "header" << false << "";
    QTest::newRow("SQLite header, then noise") << "magic noise" << false << "";
    QTest::newRow("damaged pages") << "damaged" << false << "آسيب";
    QTest::newRow("another program's SQLite file") << "foreign" << false << "جدول IDE";
    QTest::newRow("Theme.adz") << "Theme.adz" << false << "جدول IDE";
    QTest::newRow("dab.adz") << "dab.adz" << false << "جدول IDE";
    QTest::newRow("IDE missing") << "drop IDE" << false << "جدول IDE";
    QTest::newRow("Answer1 missing") << "drop Answer1" << false << "جدول Answer1";
    QTest::newRow("Answer2 missing") << "drop Answer2" << false << "جدول Answer2";
    QTest::newRow("Answer3 missing") << "drop Answer3" << false << "جدول Answer3";
    QTest::newRow("QUS missing") << "drop QUS" << false << "جدول QUS";
    QTest::newRow("Theme missing") << "drop Theme" << false << "جدول Theme";
    QTest::newRow("IDE without a scale column") << "no Fe" << false << "ستون Fe";
    QTest::newRow("Answer2 without item 200") << "no 200" << false << "ستون 200";
    QTest::newRow("Answer3 is a view") << "view" << false << "جدول Answer3";
    QTest::newRow("text file renamed .mdbB") << "text" << false << "نيست";
    QTest::newRow("picture renamed .mdbB") << "png" << false << "نيست";
    QTest::newRow("a folder") << "folder" << false << "پوشه";
    QTest::newRow("file gone") << "gone" << false << "پيدا نشد";
    // Root reads any file; anyone else is refused.
    QTest::newRow("no read permission") << "unreadable" << root << "خوانده نشد";
    QTest::newRow("Persian letters and blanks in the path") << "persian path" << true << "";
    QTest::newRow("extra table and column") << "extra" << true << "";
    QTest::newRow("the database itself") << "itself" << true << "";
}

void TestFrmbackup::restoreOfBadFiles() {
    QFETCH(QString, kind);
    QFETCH(bool, restores);
    QFETCH(QString, reason);
    Fixture f;
    const AppFolder folder = f.app.folder();
    const QByteArray before = readFile(f.database());
    QTemporaryDir dir;
    QString path = dir.filePath("candidate.mdbB");
    const auto fromDatabase = [&](const QStringList& statements) {
        QVERIFY(QFile::copy(f.database(), path));
        QVERIFY(execOn(path, statements));
    };
    if (kind == "empty") {
        path = dir.filePath("empty");
        QVERIFY(writeFile(path, {}));
    } else if (kind == "empty.mdbB") {
        QVERIFY(writeFile(path, {}));
    } else if (kind == "half") {
        QVERIFY(writeFile(path, before.left(before.size() / 2)));
    } else if (kind == "header") {
        QVERIFY(writeFile(path, before.left(100)));
    } else if (kind == "magic noise") {
        QVERIFY(writeFile(path, QByteArray("SQLite format 3\0", 16) + QByteArray(8000, '\x5a')));
    } else if (kind == "damaged") {
        // Page headers of the second to fourth page overwritten.
        QByteArray bytes = before;
        for (int page = 1; page <= 3; ++page)
            for (int i = 0; i < 12; ++i)
                bytes[page * 4096 + i] = '\x5a';
        QVERIFY(writeFile(path, bytes));
    } else if (kind == "foreign") {
        QVERIFY(execOn(path, {"CREATE TABLE notes (id INTEGER, text TEXT)",
                              "INSERT INTO notes VALUES (1, 'x')"}));
    } else if (kind == "Theme.adz" || kind == "dab.adz") {
        QVERIFY(QFile::copy(f.app.path() + QLatin1Char('/') + kind, path));
    } else if (kind.startsWith("drop ")) {
        fromDatabase({QStringLiteral("DROP TABLE \"%1\"").arg(kind.mid(5))});
    } else if (kind == "no Fe") {
        fromDatabase({"ALTER TABLE \"IDE\" DROP COLUMN \"Fe\""});
    } else if (kind == "no 200") {
        fromDatabase({"ALTER TABLE \"Answer2\" DROP COLUMN \"200\""});
    } else if (kind == "view") {
        fromDatabase(
            {"DROP TABLE \"Answer3\"", "CREATE VIEW \"Answer3\" AS SELECT * FROM \"Answer2\""});
    } else if (kind == "text") {
        QVERIFY(writeFile(path, QStringLiteral("نسخه پشتيبان\r\nCode;FName\r\n1;x\r\n").toUtf8()));
    } else if (kind == "png") {
        QVERIFY(writeFile(path, QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(5000, '\0')));
    } else if (kind == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == "gone") {
        path = dir.filePath("gone.mdbB");
    } else if (kind == "unreadable") {
        fromDatabase({"INSERT INTO \"IDE\" (\"Code\") VALUES ('u')"});
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    } else if (kind == "persian path") {
        QVERIFY(QDir().mkpath(dir.filePath("پشتيبان ها/نسخه دوم")));
        path = dir.filePath("پشتيبان ها/نسخه دوم/HOV-Longformدر تاريخ1402.11.23 ساعت)9.05).mdbB");
        fromDatabase({"INSERT INTO \"IDE\" (\"Code\") VALUES ('p')"});
    } else if (kind == "extra") {
        fromDatabase({"CREATE TABLE \"Notes\" (\"x\" TEXT)",
                      "ALTER TABLE \"IDE\" ADD COLUMN \"Extra\" TEXT"});
    } else if (kind == "itself") {
        path = f.database();
    }
    const QByteArray candidate = readFile(path);

    QScopedPointer<Frmbackup> w(f.open());
    w->Text2->setText(QDir::toNativeSeparators(path));
    f.dialogs.queueYesNo(true);
    QTest::mouseClick(w->VisualButtonEx3, Qt::LeftButton);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    const hovtest::Shown& last = f.dialogs.shown.last();
    QCOMPARE(strayFiles(f.app.path()), QStringList());
    if (restores) {
        QCOMPARE(last.text, QStringLiteral("بازيابي اطلاعات انجام شد"));
        QCOMPARE(readFile(f.database()), candidate);
        QCOMPARE(f.navigation.ends, 1);
        QCOMPARE(backupsIn(folder).size(), 1);
        QCOMPARE(readFile(folder.backupFolder() + QLatin1Char('/') + backupsIn(folder).first()),
                 before);
        QVERIFY(SubjectDb(folder).isOpen());
    } else {
        QVERIFY2(last.text.startsWith(kCopyFailed + QLatin1Char('\n')), qPrintable(last.text));
        QVERIFY2(last.text.contains(reason), qPrintable(last.text));
        QVERIFY2(last.text.contains(QStringLiteral("اطلاعات فعلي برنامه تغيير نکرد")),
                 qPrintable(last.text));
        QCOMPARE(f.icons.last(), Dialogs::Icon::Critical);
        QCOMPARE(readFile(f.database()), before);
        QCOMPARE(f.navigation.ends, 0);
        QVERIFY(w->isVisible());
        QCOMPARE(backupsIn(folder), QStringList());
    }
}

// The backup is copied and checked, HOVDB.mdb is kept, and then something stands in the
// way of the replace: the operator is told to close the other windows.
void TestFrmbackup::restoreThatCannotReplaceTheDatabase() {
    Fixture f;
    const AppFolder folder = f.app.folder();
    QTemporaryDir dir;
    const QString backup = dir.filePath("b.mdbB");
    QVERIFY(QFile::copy(f.database(), backup));
    QScopedPointer<Frmbackup> w(f.open());
    w->Text2->setText(backup);
    f.dialogs.queueYesNo(true);
    int passes = 0;
    connect(w.data(), &Frmbackup::copyStepped, this, [&](qint64 done, qint64 total) {
        // The second copy is the safety copy of HOVDB.mdb, already open for reading.
        if (passes == 1 && QFileInfo(f.database()).isFile()) {
            QFile::remove(f.database());
            QDir().mkpath(f.database() + QStringLiteral("/in use"));
        }
        if (done == total)
            ++passes;
    });
    QTest::mouseClick(w->VisualButtonEx3, Qt::LeftButton);
    QCOMPARE(passes, 2);
    const hovtest::Shown& last = f.dialogs.shown.last();
    QCOMPARE(last.caption, QStringLiteral("خطا"));
    QVERIFY2(
        last.text.endsWith(QStringLiteral("\nتمامي فرم ها را ببندبد به جز فرم اصلي و اين پنجره")),
        qPrintable(last.text));
    QVERIFY(last.text.contains(QStringLiteral("جايگزين نشد")));
    QVERIFY(!last.details.isEmpty());
    QCOMPARE(f.icons.last(), Dialogs::Icon::Warning);
    QCOMPARE(f.navigation.ends, 0);
    QVERIFY(QFileInfo(f.database()).isDir());
    QCOMPARE(backupsIn(folder).size(), 1);
    QCOMPARE(strayFiles(f.app.path()), QStringList());
}

void TestFrmbackup::copyKeepsTheWindowResponsiveAndGuarded() {
    Fixture f;
    // A database of 4 MB: about a thousand chunks.
    QByteArray big(4 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7);
    QVERIFY(writeFile(f.database(), big));
    QScopedPointer<Frmbackup> w(f.open());
    QPointer<Frmbackup> guard(w.data());
    w->Text1->setText(f.app.path() + QStringLiteral("/big.mdbB"));

    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(0);
    int steps = 0;
    bool guarded = true;
    int progress = -1;
    connect(w.data(), &Frmbackup::copyStepped, this, [&](qint64 done, qint64 total) {
        ++steps;
        guarded = guarded && w->isCopying() && !w->VisualButtonEx2->isEnabled() &&
                  !w->VisualButtonEx3->isEnabled() && !w->b1->isEnabled() && !w->b2->isEnabled() &&
                  !w->Text1->isEnabled() && !w->Text2->isEnabled();
        if (done == total / 2 / 4048 * 4048) {
            progress = w->ProgressBar1->isVisible() ? w->ProgressBar1->value() : -1;
            // A second copy cannot start, and leaving waits for the copy.
            w->makeBackup();
            w->restore();
            w->close();
            QVERIFY(w->isVisible());
        }
    });
    QTest::mouseClick(w->VisualButtonEx2, Qt::LeftButton);
    QCOMPARE(steps, (big.size() + 4047) / 4048);
    QVERIFY(guarded);
    QVERIFY(ticks > 0);
    QVERIFY(progress >= 45 && progress <= 55);
    QCOMPARE(readFile(f.app.path() + QStringLiteral("/big.mdbB")), big);
    QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("نسخه پشتيبان تهيه گرديد")});
    // The success ends the program once, the close asked for meanwhile adds nothing.
    QCOMPARE(f.navigation.ends, 1);
    QVERIFY(w->VisualButtonEx2->isEnabled());
    QVERIFY(!w->ProgressBar1->isVisible());
}

void TestFrmbackup::everyWayOutEndsTheProgram_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("خروج") << "Command1";
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("close box") << "close";
}

void TestFrmbackup::everyWayOutEndsTheProgram() {
    QFETCH(QString, way);
    Fixture f;
    QPointer<Frmbackup> w(f.open());
    if (way == "Command1")
        QTest::mouseClick(w->Command1, Qt::LeftButton);
    else if (way == "Esc")
        QTest::keyClick(w, Qt::Key_Escape);
    else
        w->close();
    QCOMPARE(f.navigation.ends, 1);
    QTRY_VERIFY(!w);
    QVERIFY(f.dialogs.shown.isEmpty());
}

void TestFrmbackup::exitWindowLeadsHereWhenTicked() {
    Fixture f;
    nav::setAppFolder(f.app.folder());
    for (const bool escape : {false, true}) {
        QPointer<Exitpro> exit(new Exitpro);
        exit->show();
        exit->Check1->setChecked(true);
        if (escape)
            QTest::keyClick(exit, Qt::Key_Escape);
        else
            QTest::mouseClick(exit->k1, Qt::LeftButton);
        QCOMPARE(f.navigation.ends, 0);
        QTRY_VERIFY(!exit);
        // The backup window is the only window left: nothing else can write meanwhile.
        QList<QWidget*> open;
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->isVisible())
                open << t;
        QCOMPARE(open.size(), 1);
        auto* backup = qobject_cast<Frmbackup*>(open.first());
        QVERIFY(backup);
        QCOMPARE(backup->Label1->text(), QStringLiteral("1402.11.23"));
        delete backup;
    }
}

void TestFrmbackup::fileFilterForQtDialogs_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("qt");
    QTest::newRow("backup") << "Database Backup |*.mdbB"
                            << "Database Backup (*.mdbB)";
    QTest::newRow("two patterns") << "Pictures|*.bmp;*.jpg"
                                  << "Pictures (*.bmp *.jpg)";
    QTest::newRow("two filters") << "A|*.a|B|*.b"
                                 << "A (*.a);;B (*.b)";
    QTest::newRow("Qt's own") << "CSV (*.csv)"
                              << "CSV (*.csv)";
    QTest::newRow("none") << ""
                          << "";
}

void TestFrmbackup::fileFilterForQtDialogs() {
    QFETCH(QString, filter);
    QFETCH(QString, qt);
    QCOMPARE(qtFileFilter(filter), qt);
}

void TestFrmbackup::screenshot() {
    const QString out = qEnvironmentVariable("HOV_SCREENSHOT_DIR");
    if (out.isEmpty())
        QSKIP("set HOV_SCREENSHOT_DIR to save pictures of the window");
    Fixture f;
    QScopedPointer<Frmbackup> w(f.open());
    w->Text1->setText(
        QStringLiteral("/opt/hov/Back/HOV-Longformدر تاريخ1402.11.23 ساعت)14.35).mdbB"));
    w->ProgressBar1->show();
    w->ProgressBar1->setValue(40);
    QTest::qWait(200);
    QVERIFY(w->grab().save(out + QStringLiteral("/frmbackup.png")));
    w->Command3->click();
    QTest::qWait(200);
    QVERIFY(w->grab().save(out + QStringLiteral("/frmbackup-help.png")));
    w->Command2->click();
    // The real save dialog, as the operator meets it.
    RealDialogs real;
    ScopedServices services(&real);
    bool saved = false;
    QTimer::singleShot(1500, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            saved = dialog->grab().save(out + QStringLiteral("/frmbackup-save.png"));
            dialog->close();
        }
    });
    QTest::mouseClick(w->b1, Qt::LeftButton);
    QVERIFY(saved);
}

QTEST_MAIN(TestFrmbackup)
#include "test_frmbackup.moc"
