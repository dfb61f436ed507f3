// The roster window: listing, the filters and the search, deleting a subject with all its
// rows, the scores export; and the main window's button that opens it.
#include "data/subjectdb.h"
#include "tests/support/testsupport.h"
#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/theme.h"
#include "ui/main/frm1.h"
#include "ui/roster/frmcode.h"
#include "ui/roster/rostermodel.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace hov;

namespace {

const QString kHov = QStringLiteral("HOVDB.mdb");
const QString kTheme = QStringLiteral("Theme.adz");
const QString kDeleted = QStringLiteral("حذف با موفقيت انجام گرفت");
const QString kNobody = QStringLiteral("فردي با اين کد وجود ندارد");
const QString kQuestion = QStringLiteral("آيا براي حذف کردن مطمئن هستيد؟");
const QStringList kTables{QStringLiteral("IDE"), QStringLiteral("Answer1"),
                          QStringLiteral("Answer2"), QStringLiteral("Answer3")};

Subject subject(const QString& code, const QString& first = QStringLiteral("علي"),
                const QString& last = QStringLiteral("كريمي"), const QString& group = QStringLiteral("A"),
                const QString& sex = QStringLiteral("مرد")) {
    Subject s;
    s.code = code;
    s.firstName = first;
    s.lastName = last;
    s.group = group;
    s.sex = sex;
    s.age = QStringLiteral("30");
    s.education = QStringLiteral("ليسانس");
    s.date = QStringLiteral("1403/01/05");
    return s;
}

void registerAll(const AppFolder& folder, const QList<Subject>& subjects) {
    SubjectDb db(folder);
    for (const Subject& s : subjects)
        QVERIFY2(db.registerSubject(s), qPrintable(db.lastError()));
}

// Rows of one code in one table, counted with the code bound as a value.
int rowsOf(const hovtest::TestAppFolder& app, const QString& table, const QString& code) {
    const QString name = QStringLiteral("roster-count");
    int count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(app.path() + QStringLiteral("/HOVDB.mdb"));
        if (db.open()) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE \"Code\" = ?").arg(table));
            q.addBindValue(code);
            if (q.exec() && q.next())
                count = q.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return count;
}

int allRows(const hovtest::TestAppFolder& app, const QString& table) {
    return const_cast<hovtest::TestAppFolder&>(app)
        .value(kHov, QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table))
        .toInt();
}

QStringList shownCodes(const FrmCode& w) {
    return w.model()->shownCodes().value_or(QStringList{QStringLiteral("<unreadable>")});
}

void deleteCode(FrmCode& w, const QString& code) {
    w.Text3->setText(code);
    w.Command2->click();
}

const QStringList kBadCodes{
    QStringLiteral("O'Brien"), QStringLiteral("\"quoted\""),
    QStringLiteral("x'; DROP TABLE IDE; --"), QString(1000, QLatin1Char('9')),
    QStringLiteral("\u202Eabc\u202C"), QStringLiteral("۱۲")};

} // namespace

class TestRoster : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFonts(); }
    void windowAtLoad_data();
    void windowAtLoad();
    void deleteRemovesExactlyOneSubject_data();
    void deleteRemovesExactlyOneSubject();
    void answeringNoDeletesNothingAndClearsTheFilter();
    void unknownAndEmptyCodes();
    void subjectWithoutAnAnswerRowIsDeletedWhole();
    void failureMidDeleteLeavesEveryRow();
    void enterInTheDeleteBoxDeletes();
    void groupThenFirstName();
    void lastNameEmptiesTheOthers();
    void searchAsAPersianOperatorTypes_data();
    void searchAsAPersianOperatorTypes();
    void exportReadBackByPython();
    void exportFailureIsReported();
    void shownCodesFailWhenAPageCannotBeRead();
    void unreadableFilesAreReported();
    void escapeCloses();
    void mainWindowOpensTheRosterModally();
};

void TestRoster::windowAtLoad_data() {
    QTest::addColumn<bool>("subjects");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("header");
    QTest::newRow("empty IDE keeps the design texts")
        << false << QStringLiteral("کد آزمودني را وارد کنيد") << QStringLiteral("کد");
    QTest::newRow("subjects: the clinic's term")
        << true << QStringLiteral("شماره پرونده را وارد کنيد") << QStringLiteral("شماره پرونده");
}

void TestRoster::windowAtLoad() {
    QFETCH(bool, subjects);
    QFETCH(QString, prompt);
    QFETCH(QString, header);
    hovtest::WindowFixture f;
    QVERIFY(f.app.exec(kTheme, QStringLiteral("UPDATE \"Theme\" SET \"T11\" = 'شماره پرونده'")));
    if (subjects)
        registerAll(f.app.folder(), {subject(QStringLiteral("1")), subject(QStringLiteral("2")),
                                     subject(QStringLiteral("3"))});
    FrmCode w(f.app.folder());
    QCOMPARE(w.windowTitle(), QStringLiteral("کد آزمودني"));
    QCOMPARE(w.size(), pxSize(10320, 8055));
    QCOMPARE(w.pos(), pxPoint(2085, 745));
    QVERIFY(w.isModal());
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.DataGrid1Caption->text(), QStringLiteral("مشخصات آزمودني"));
    QCOMPARE(w.Frame1->title(), QStringLiteral("حذف کردن آزمودني"));
    QCOMPARE(w.Command2->text(), QStringLiteral("حذف "));
    QCOMPARE(w.Command6->text(), QStringLiteral("خروج"));
    QCOMPARE(w.SkinLabel1->text(), prompt);
    const QStringList headers{header, QStringLiteral("نام"), QStringLiteral("نام خانوادگي"),
                              QStringLiteral("گروه")};
    for (int c = 0; c < 4; ++c)
        QCOMPARE(w.model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), headers[c]);
    QCOMPARE(w.model()->rowCount(), subjects ? 3 : 0);
    if (subjects)
        QCOMPARE(w.DataGrid1->currentIndex().row(), 2); // the last subject
    // Themed at load, like every themed window.
    QCOMPARE(w.palette().color(QPalette::Window),
             loadSkin(f.app.folder(), readThemeNumber(f.app.folder())).window);
    QVERIFY(f.dialogs.shown.isEmpty());
}

void TestRoster::deleteRemovesExactlyOneSubject_data() {
    QTest::addColumn<QString>("code");
    QTest::newRow("plain") << QStringLiteral("7");
    for (const QString& code : kBadCodes)
        QTest::newRow(qPrintable(QStringLiteral("bad input %1").arg(code.left(12)))) << code;
}

void TestRoster::deleteRemovesExactlyOneSubject() {
    QFETCH(QString, code);
    hovtest::WindowFixture f;
    // Neighbours that a careless match would also hit.
    const QStringList others{QStringLiteral("07"), code + QLatin1Char(' '), QStringLiteral("8")};
    QList<Subject> all{subject(code)};
    for (const QString& other : others)
        all << subject(other);
    registerAll(f.app.folder(), all);
    FrmCode w(f.app.folder());
    f.dialogs.queueYesNo(true);
    deleteCode(w, code);
    QCOMPARE(f.dialogs.texts(), QStringList({kQuestion, kDeleted}));
    QCOMPARE(f.dialogs.shown.first().caption, QStringLiteral("HOV"));
    for (const QString& table : kTables) {
        QCOMPARE(rowsOf(f.app, table, code), 0);
        for (const QString& other : others)
            QCOMPARE(rowsOf(f.app, table, other), 1);
        QCOMPARE(allRows(f.app, table), 3);
    }
    QCOMPARE(shownCodes(w), others);
}

void TestRoster::answeringNoDeletesNothingAndClearsTheFilter() {
    hovtest::WindowFixture f;
    registerAll(f.app.folder(),
                {subject(QStringLiteral("1"), QStringLiteral("علي"), QStringLiteral("a"), QStringLiteral("A")),
                 subject(QStringLiteral("2"), QStringLiteral("رضا"), QStringLiteral("b"), QStringLiteral("B"))});
    FrmCode w(f.app.folder());
    w.Combo3->setCurrentIndex(1);
    emit w.Combo3->activated(1);
    QCOMPARE(shownCodes(w), QStringList{QStringLiteral("2")});
    f.dialogs.queueYesNo(false);
    deleteCode(w, QStringLiteral("2"));
    QCOMPARE(f.dialogs.texts(), QStringList{kQuestion});
    for (const QString& table : kTables)
        QCOMPARE(allRows(f.app, table), 2);
    QCOMPARE(shownCodes(w), QStringList({QStringLiteral("1"), QStringLiteral("2")}));
    QCOMPARE(w.Combo3->currentText(), QString());
}

void TestRoster::unknownAndEmptyCodes() {
    hovtest::WindowFixture f;
    QVERIFY(f.app.exec(kTheme, QStringLiteral("UPDATE \"Theme\" SET \"T11\" = 'شماره پرونده'")));
    registerAll(f.app.folder(), {subject(QStringLiteral("1")), subject(QStringLiteral("2"), QStringLiteral("x"))});
    FrmCode w(f.app.folder());
    hovtest::typeText(w.DataCombo6->lineEdit(), QStringLiteral("x"));
    QCOMPARE(shownCodes(w), QStringList{QStringLiteral("2")});
    // No question is asked: an unscripted Yes/No box would fail the test.
    deleteCode(w, QStringLiteral("01"));
    QCOMPARE(f.dialogs.notices(), QStringList{kNobody});
    QCOMPARE(shownCodes(w), QStringList({QStringLiteral("1"), QStringLiteral("2")}));
    f.dialogs.clear();
    deleteCode(w, QString());
    QCOMPARE(f.dialogs.notices(),
             QStringList{QStringLiteral("شما بايد شماره پرونده  مورد نظر را وارد كنيد ")});
    for (const QString& table : kTables)
        QCOMPARE(allRows(f.app, table), 2);
}

void TestRoster::subjectWithoutAnAnswerRowIsDeletedWhole() {
    hovtest::WindowFixture f;
    registerAll(f.app.folder(), {subject(QStringLiteral("1")), subject(QStringLiteral("2"))});
    QVERIFY(f.app.exec(kHov, QStringLiteral("DELETE FROM \"Answer2\" WHERE \"Code\" = '1'")));
    FrmCode w(f.app.folder());
    f.dialogs.queueYesNo(true);
    deleteCode(w, QStringLiteral("1"));
    QCOMPARE(f.dialogs.texts(), QStringList({kQuestion, kDeleted}));
    for (const QString& table : kTables) {
        QCOMPARE(rowsOf(f.app, table, QStringLiteral("1")), 0);
        QCOMPARE(rowsOf(f.app, table, QStringLiteral("2")), 1);
    }
}

void TestRoster::failureMidDeleteLeavesEveryRow() {
    hovtest::WindowFixture f;
    registerAll(f.app.folder(), {subject(QStringLiteral("1")), subject(QStringLiteral("2"))});
    // IDE and Answer1 go first; Answer2 then refuses.
    QVERIFY(f.app.exec(kHov, QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON \"Answer2\" "
                                            "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    FrmCode w(f.app.folder());
    f.dialogs.queueYesNo(true);
    deleteCode(w, QStringLiteral("1"));
    QCOMPARE(f.dialogs.shown.size(), 2);
    QCOMPARE(f.dialogs.shown[1].kind, QStringLiteral("message"));
    QVERIFY(f.dialogs.shown[1].text.contains(QStringLiteral("حذف نشد")));
    QVERIFY(!f.dialogs.texts().contains(kDeleted));
    for (const QString& table : kTables)
        QCOMPARE(rowsOf(f.app, table, QStringLiteral("1")), 1);
    QCOMPARE(shownCodes(w), QStringList({QStringLiteral("1"), QStringLiteral("2")}));
}

void TestRoster::enterInTheDeleteBoxDeletes() {
    hovtest::WindowFixture f;
    registerAll(f.app.folder(), {subject(QStringLiteral("1"))});
    FrmCode w(f.app.folder());
    w.show();
    w.Text3->setFocus();
    hovtest::typeText(w.Text3, QStringLiteral("1"));
    f.dialogs.queueYesNo(true);
    QTest::keyClick(w.Text3, Qt::Key_Return);
    // Exactly one question: Enter pressed "حذف " once and no other button.
    QCOMPARE(f.dialogs.texts(), QStringList({kQuestion, kDeleted}));
    QCOMPARE(rowsOf(f.app, QStringLiteral("IDE"), QStringLiteral("1")), 0);
    QVERIFY(w.isVisible());
}

void TestRoster::groupThenFirstName() {
    hovtest::WindowFixture f;
    registerAll(f.app.folder(),
                {subject(QStringLiteral("1"), QStringLiteral("علي"), QStringLiteral("a"), QStringLiteral("A")),
                 subject(QStringLiteral("2"), QStringLiteral("رضا"), QStringLiteral("b"), QStringLiteral("B")),
                 subject(QStringLiteral("3"), QStringLiteral("علي"), QStringLiteral("c"), QStringLiteral("B")),
                 subject(QStringLiteral("4"), QStringLiteral("علي"), QStringLiteral("d"), QStringLiteral("C"))});
    FrmCode w(f.app.folder());
    w.DataCombo6->setEditText(QStringLiteral("stale"));
    w.DataCombo1->setEditText(QStringLiteral("stale"));
    w.Combo3->setCurrentIndex(1);
    emit w.Combo3->activated(1);
    QCOMPARE(shownCodes(w), QStringList({QStringLiteral("2"), QStringLiteral("3")}));
    QCOMPARE(w.DataCombo6->currentText(), QString());
    QCOMPARE(w.DataCombo1->currentText(), QString());
    // Picking a first name from the list, which is read when the operator turns to it.
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(w.DataCombo6, &focus);
    const int index = w.DataCombo6->findText(QStringLiteral("علي"));
    QVERIFY(index >= 0);
    w.DataCombo6->setCurrentIndex(index);
    emit w.DataCombo6->textActivated(QStringLiteral("علي"));
    QCOMPARE(shownCodes(w), QStringList({QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("4")}));
    QCOMPARE(w.Combo3->currentText(), QString());
    // The lists hold each name once.
    QCOMPARE(w.DataCombo6->count(), 2);
}

void TestRoster::lastNameEmptiesTheOthers() {
    hovtest::WindowFixture f;
    registerAll(f.app.folder(),
                {subject(QStringLiteral("1"), QStringLiteral("علي"), QStringLiteral("O'Brien")),
                 subject(QStringLiteral("2"), QStringLiteral("رضا"), QStringLiteral("x' OR '1'='1"))});
    FrmCode w(f.app.folder());
    w.TxtSearch->setText(QStringLiteral("رضا"));
    hovtest::typeText(w.DataCombo1->lineEdit(), QStringLiteral("O'Brien"));
    QCOMPARE(shownCodes(w), QStringList{QStringLiteral("1")});
    QCOMPARE(w.TxtSearch->text(), QString());
    hovtest::typeText(w.DataCombo6->lineEdit(), QStringLiteral("x"));
    QCOMPARE(w.DataCombo1->currentText(), QString());
    QCOMPARE(shownCodes(w), QStringList());
    // A name that reads like SQL is only a name.
    w.DataCombo6->setEditText(QString());
    hovtest::typeText(w.DataCombo1->lineEdit(), QStringLiteral("x' OR '1'='1"));
    QCOMPARE(shownCodes(w), QStringList{QStringLiteral("2")});
}

void TestRoster::searchAsAPersianOperatorTypes_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("codes");
    // Stored: 12 علي كريمي (Arabic yeh and kaf), 120 محمد‌رضا (ZWNJ) يكتا, A-3 Sara Brown.
    QTest::newRow("Persian yeh finds Arabic yeh") << QStringLiteral("علی") << QStringList{"12"};
    QTest::newRow("Persian kaf finds Arabic kaf") << QStringLiteral("کریمی") << QStringList{"12"};
    QTest::newRow("without ZWNJ") << QStringLiteral("محمدرضا") << QStringList{"120"};
    QTest::newRow("Persian digits") << QStringLiteral("۱۲") << QStringList{"12", "120"};
    QTest::newRow("Arabic-Indic digits") << QStringLiteral("١٢٠") << QStringList{"120"};
    QTest::newRow("ASCII digits") << QStringLiteral("12") << QStringList{"12", "120"};
    QTest::newRow("Latin, any case") << QStringLiteral("sara  BROWN") << QStringList{"A-3"};
    QTest::newRow("code and name") << QStringLiteral("12 یکتا") << QStringList{"120"};
    QTest::newRow("nobody") << QStringLiteral("زهرا") << QStringList{};
    QTest::newRow("empty shows all") << QString() << QStringList{"12", "120", "A-3"};
}

void TestRoster::searchAsAPersianOperatorTypes() {
    QFETCH(QString, typed);
    QFETCH(QStringList, codes);
    hovtest::WindowFixture f;
    registerAll(f.app.folder(),
                {subject(QStringLiteral("12"), QStringLiteral("علي"), QStringLiteral("كريمي")),
                 subject(QStringLiteral("120"), QStringLiteral("محمد\u200Cرضا"), QStringLiteral("يكتا")),
                 subject(QStringLiteral("A-3"), QStringLiteral("Sara"), QStringLiteral("Brown"))});
    FrmCode w(f.app.folder());
    w.Combo3->setCurrentIndex(0);
    w.TxtSearch->setText(QStringLiteral("x"));
    w.TxtSearch->clear();
    hovtest::typeText(w.TxtSearch, typed);
    QCOMPARE(shownCodes(w), codes);
    QCOMPARE(w.Combo3->currentText(), QString());
    // Nothing stored is changed by a search.
    QCOMPARE(f.app.value(kHov, QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = '12'"))
                 .toString(),
             QStringLiteral("علي"));
}

void TestRoster::exportReadBackByPython() {
    hovtest::WindowFixture f;
    registerAll(f.app.folder(),
                {subject(QStringLiteral("1"), QStringLiteral("علي"), QStringLiteral("كريمي"), QStringLiteral("A"), QStringLiteral("مرد")),
                 subject(QStringLiteral("2"), QStringLiteral("=1+1"), QStringLiteral("a,\"b\"\nc"), QStringLiteral("B"), QStringLiteral("زن")),
                 subject(QStringLiteral("3"), QStringLiteral("@x"), QStringLiteral("-5"), QStringLiteral("B"), QStringLiteral("?")),
                 subject(QStringLiteral("4"), QStringLiteral("رضا"), QStringLiteral("+98"), QStringLiteral("C"), QStringLiteral("مرد"))});
    // Scored: 1, 2 and 3; 4 never was.
    QStringList sets;
    const QStringList columns{"Do", "Cs", "Sy", "Sp", "Sa", "Wb", "Re", "So", "Sc",
                              "To", "Gi", "Cm", "Ac", "Ai", "Le", "Py", "Fx", "Fe"};
    for (int i = 0; i < 18; ++i)
        sets << QStringLiteral("\"%1\" = '%2'").arg(columns[i]).arg(i + 1);
    QVERIFY(f.app.exec(kHov, QStringLiteral("UPDATE \"IDE\" SET %1 WHERE \"Code\" IN ('1', '2', '3')")
                                 .arg(sets.join(QStringLiteral(", ")))));
    FrmCode w(f.app.folder());
    // A stand-in conversion: T = raw + 40 for men, raw + 30 for women.
    w.setTScoreConverter([](const ScoreTexts& raw, const QString& sex) -> std::optional<ScoreTexts> {
        const int add = sex == QStringLiteral("مرد") ? 40 : sex == QStringLiteral("زن") ? 30 : -1;
        if (add < 0)
            return std::nullopt;
        ScoreTexts t;
        for (size_t i = 0; i < t.size(); ++i)
            t[i] = QString::number(raw[i].toInt() + add);
        return t;
    });
    // Only the subjects shown go out: group B, then all.
    w.Combo3->setCurrentIndex(1);
    emit w.Combo3->activated(1);
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("نمره ها.csv"));
    f.dialogs.queueFile(path);
    w.CmdExport->click();
    QCOMPARE(f.dialogs.notices(), QStringList{QStringLiteral("نمره ها در فايل ذخيره شد")});

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("\xEF\xBB\xBF"));
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, json, sys\n"
                                 "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                                 "    print(json.dumps(list(csv.reader(f))))\n"),
                  path});
    QVERIFY(python.waitForFinished(30000));
    QCOMPARE(python.exitCode(), 0);
    const QJsonArray rows = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    QCOMPARE(rows.size(), 3);
    auto record = [&](int r) {
        QStringList fields;
        for (const QJsonValue& v : rows[r].toArray())
            fields << v.toString();
        return fields;
    };
    QStringList header{"code", "first_name", "last_name", "sex", "age", "group", "education", "date"};
    const QStringList scales{"Do", "Cs", "Sy", "Sp", "Sa", "Wb", "Re", "So", "Sc",
                             "To", "Gi", "Cm", "Ac", "Ai", "Ie", "Py", "Fx", "Fe"};
    header << scales;
    for (const QString& s : scales)
        header << s + QStringLiteral("_T");
    QCOMPARE(record(0), header);
    QStringList raw;
    QStringList women;
    for (int i = 0; i < 18; ++i) {
        raw << QString::number(i + 1);
        women << QString::number(i + 31);
    }
    QCOMPARE(record(1), QStringList({"2", "'=1+1", "a,\"b\"\nc", "زن", "30", "B", "ليسانس", "1403/01/05"}) +
                            raw + women);
    QCOMPARE(record(2), QStringList({"3", "'@x", "'-5", "?", "30", "B", "ليسانس", "1403/01/05"}) +
                            raw + QStringList(18, QString()));

    // All subjects, the unscored one with empty scores.
    w.Combo3->setCurrentIndex(-1);
    w.TxtSearch->setText(QStringLiteral("x"));
    w.TxtSearch->clear();
    // A name without an extension gets ".csv".
    f.dialogs.queueFile(out.filePath(QStringLiteral("all")));
    w.CmdExport->click();
    QVERIFY(QFile::exists(out.filePath(QStringLiteral("all.csv"))));
    QStringList arguments = python.arguments();
    arguments.last() = out.filePath(QStringLiteral("all.csv"));
    python.start(python.program(), arguments);
    QVERIFY(python.waitForFinished(30000));
    const QJsonArray all = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    QCOMPARE(all.size(), 5);
    QCOMPARE(all[4].toArray()[2].toString(), QStringLiteral("'+98"));
    QCOMPARE(all[4].toArray()[8].toString(), QString());
    QCOMPARE(all[1].toArray()[1].toString(), QStringLiteral("علي"));
    QCOMPARE(all[1].toArray()[26].toString(), QStringLiteral("41"));
}

void TestRoster::exportFailureIsReported() {
    hovtest::WindowFixture f;
    registerAll(f.app.folder(), {subject(QStringLiteral("1"))});
    FrmCode w(f.app.folder());
    // Cancelled: nothing happens.
    f.dialogs.queueFile(QString());
    w.CmdExport->click();
    QCOMPARE(f.dialogs.shown.size(), 1);
    // A folder that is not there.
    f.dialogs.queueFile(f.app.path() + QStringLiteral("/no/such/folder/x.csv"));
    w.CmdExport->click();
    QCOMPARE(f.dialogs.shown.last().kind, QStringLiteral("message"));
    QVERIFY(f.dialogs.notices().isEmpty());
}

// The export takes the codes shown: a page that cannot be read fails the list instead of
// leaving its subjects out of a file that is then reported saved; a row deleted meanwhile
// is simply not there.
void TestRoster::shownCodesFailWhenAPageCannotBeRead() {
    bool failing = false;
    RosterModel model([&](const QList<qint64>& ids) -> std::optional<QList<SubjectDb::RosterRow>> {
        if (failing)
            return std::nullopt;
        QList<SubjectDb::RosterRow> rows;
        for (qint64 id : ids)
            if (id != 2) // deleted in another window
                rows.append({id, QStringLiteral("c%1").arg(id), {}, {}, {}});
        return rows;
    });
    QSignalSpy readFailed(&model, &RosterModel::readFailed);
    model.setIds({1, 2, 3});
    QCOMPARE(model.shownCodes(), std::optional<QStringList>(QStringList{"c1", "c3"}));
    model.setIds({1, 2, 3, 4});
    failing = true;
    QVERIFY(!model.shownCodes());
    QCOMPARE(readFailed.count(), 0);
    // The grid still hears of it, once per row it asks for.
    QVERIFY(!model.shownRow(0));
    QCOMPARE(readFailed.count(), 1);
}

void TestRoster::unreadableFilesAreReported() {
    hovtest::WindowFixture f;
    registerAll(f.app.folder(), {subject(QStringLiteral("1"))});
    QVERIFY(f.app.exec(kTheme, QStringLiteral("ALTER TABLE \"Theme\" RENAME TO \"Other\"")));
    QVERIFY(f.app.exec(kHov, QStringLiteral("ALTER TABLE \"IDE\" RENAME TO \"Other\"")));
    FrmCode w(f.app.folder());
    // Two reports, each naming its file; no roster is made up.
    QCOMPARE(f.dialogs.shown.size(), 2);
    QVERIFY(f.dialogs.shown[0].text.contains(QStringLiteral("Theme.adz")));
    QVERIFY(f.dialogs.shown[1].text.contains(QStringLiteral("HOVDB.mdb")));
    QCOMPARE(w.model()->rowCount(), 0);
    QCOMPARE(w.SkinLabel1->text(), QStringLiteral("کد آزمودني را وارد کنيد"));
    // Deleting says the file could not be read; it never claims "nobody".
    f.dialogs.clear();
    deleteCode(w, QStringLiteral("1"));
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QStringLiteral("message"));
    QVERIFY(f.dialogs.notices().isEmpty());
}

void TestRoster::escapeCloses() {
    hovtest::WindowFixture f;
    FrmCode w(f.app.folder());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    w.show();
    w.Command6->click();
    QVERIFY(!w.isVisible());
}

void TestRoster::mainWindowOpensTheRosterModally() {
    hovtest::WindowFixture f;
    registerAll(f.app.folder(), {subject(QStringLiteral("1"))});
    Frm1 main(f.app.folder());
    main.show();
    QString seen;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* roster = qobject_cast<FrmCode*>(modal)) {
            seen = roster->windowTitle();
            roster->close();
        }
    });
    main.Command4->click();
    QCOMPARE(seen, QStringLiteral("کد آزمودني"));
    QVERIFY(main.isVisible());
}

QTEST_MAIN(TestRoster)
#include "test_roster.moc"
