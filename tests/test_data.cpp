// The stores over the three database files: values bound, codes exact, answers in
// their tables and columns, registration all or nothing.
#include "data/settingsdb.h"
#include "data/subjectdb.h"
#include "tests/support/testfolder.h"

#include "data/bidi.h"

#include <QDir>
#include <QSqlError>
#include <QFileInfo>
#include <QTest>

using namespace hov;

namespace {

// The sample subject with texts that would break SQL pasted together.
Subject subjectWithCode(const QString& code) {
    Subject s = hovtest::sampleSubject(code);
    s.lastName = QStringLiteral("O'Brien \"Jr\"");
    s.education = QStringLiteral("كارشناسي ارشد; DROP TABLE IDE; --");
    return s;
}

} // namespace

class TestData : public QObject {
    Q_OBJECT

private slots:
    void codesAreStoredAndFoundExactly_data();
    void codesAreStoredAndFoundExactly();
    void codesDifferByLeadingZeroAndBlank();
    void registrationWritesFourRowsOrNone();
    void registrationClearsLeftoverAnswerRows();
    void itemsMapToTheirTableAndColumn_data();
    void itemsMapToTheirTableAndColumn();
    void nullAndEmptyAnswersStayApart();
    void writeAnswerItemsTouchesOnlyThoseColumns();
    void missingAnswerRowsAreAddedOnly();
    void rawScoresKeepTheOthersWhenOneColumnIsMissing();
    void updateSubjectWritesOnlyTheChanges();
    void writesToAnUnknownCodeFail();
    void aMissingColumnFailsTheRead();
    void missingFileIsReportedNotCreated();
    void settingsReadTheFirstRow();
    void commitLeavesOneFile();
    void storeFailureIsDescribedInPersian_data();
    void storeFailureIsDescribedInPersian();
    void unreadableFileIsNotAnAnswer_data();
    void unreadableFileIsNotAnAnswer();
    void groupedWritesAreAllOrNothing();
    void eachCallClearsTheLastFailure();
};

void TestData::codesAreStoredAndFoundExactly_data() {
    QTest::addColumn<QString>("code");
    QTest::newRow("apostrophe") << QStringLiteral("O'Neil");
    QTest::newRow("quotes") << QStringLiteral("a\"b\"'c'");
    QTest::newRow("sql") << QStringLiteral("1'; DELETE FROM \"IDE\"; --");
    QTest::newRow("like") << QStringLiteral("%_*");
    QTest::newRow("long") << QString(1000, QChar(0x06A9));
    QTest::newRow("control") << QStringLiteral("a\tb\nc\x01");
    QTest::newRow("bidi") << QStringLiteral("\u200F12\u202Eabc\u202C");
    QTest::newRow("mixed") << QStringLiteral("پرونده-42-B");
    QTest::newRow("arabic and persian yeh") << QStringLiteral("علي-علی");
}

void TestData::codesAreStoredAndFoundExactly() {
    QFETCH(QString, code);
    hovtest::TestAppFolder app;
    QVERIFY(app.isValid());
    SubjectDb db(app.folder());
    QVERIFY2(db.isOpen(), qPrintable(db.lastError()));
    Subject s = subjectWithCode(code);
    s.firstName = code;
    QVERIFY2(db.registerSubject(s), qPrintable(db.lastError()));

    const auto found = db.findSubject(code);
    QVERIFY(found.isFound());
    QCOMPARE(found->code, code);
    QCOMPARE(found->firstName, code);
    QCOMPARE(found->lastName, s.lastName);
    QCOMPARE(found->education, s.education);
    QCOMPARE(db.codeExists(code), Lookup::Found);
    QCOMPARE(db.subjectCount(), 1);
    for (int table = 0; table < kAnswerTableCount; ++table)
        QCOMPARE(db.hasAnswerRow(code, table), Lookup::Found);

    AnswerSheet sheet;
    sheet.set(1, QStringLiteral("1"));
    sheet.set(480, QStringLiteral("2"));
    QVERIFY(db.writeAllAnswers(code, sheet));
    QCOMPARE(db.loadAnswers(code).at(480), QStringLiteral("2"));
    QCOMPARE(db.lastRegisteredCode().value(), code);
}

void TestData::codesDifferByLeadingZeroAndBlank() {
    hovtest::TestAppFolder app;
    SubjectDb db(app.folder());
    QVERIFY(db.registerSubject(subjectWithCode(QStringLiteral("7"))));
    for (const QString& other : {QStringLiteral("07"), QStringLiteral(" 7"), QStringLiteral("7 ")}) {
        QVERIFY2(db.findSubject(other).isNotFound(), qPrintable(other));
        QCOMPARE(db.codeExists(other), Lookup::NotFound);
    }
    QVERIFY(db.registerSubject(subjectWithCode(QStringLiteral("07"))));
    QCOMPARE(db.subjectCount(), 2);
    QCOMPARE(db.findSubject(QStringLiteral("07"))->code, QStringLiteral("07"));
    // The same code twice is refused by the file itself.
    QVERIFY(!db.registerSubject(subjectWithCode(QStringLiteral("7"))));
    QCOMPARE(db.subjectCount(), 2);
}

void TestData::registrationWritesFourRowsOrNone() {
    hovtest::TestAppFolder app;
    // A failure between the rows: the second answer row cannot be written.
    QVERIFY(app.refuseWrites(QStringLiteral("HOVDB.mdb"), QStringLiteral("Answer2"),
                             hovtest::TestAppFolder::Insert, QStringLiteral("disk trouble")));
    SubjectDb db(app.folder());
    QVERIFY(!db.registerSubject(subjectWithCode(QStringLiteral("12"))));
    QVERIFY(db.lastFailure().detail.contains(QStringLiteral("disk trouble")));
    QCOMPARE(db.subjectCount(), 0);
    for (int table = 0; table < kAnswerTableCount; ++table)
        QCOMPARE(db.answerRowCount(table), 0);

    QVERIFY(app.allowWrites(QStringLiteral("HOVDB.mdb"), QStringLiteral("Answer2")));
    QVERIFY(db.registerSubject(subjectWithCode(QStringLiteral("12"))));
    QCOMPARE(db.subjectCount(), 1);
    for (int table = 0; table < kAnswerTableCount; ++table)
        QCOMPARE(db.answerRowCount(table), 1);
}

void TestData::registrationClearsLeftoverAnswerRows() {
    hovtest::TestAppFolder app;
    QVERIFY(app.exec(QStringLiteral("HOVDB.mdb"),
                     QStringLiteral("INSERT INTO \"Answer1\" (\"Code\", \"5\") VALUES ('9', '1')")));
    SubjectDb db(app.folder());
    QVERIFY(db.registerSubject(subjectWithCode(QStringLiteral("9"))));
    QVERIFY(db.loadAnswers(QStringLiteral("9")).at(5).isEmpty());
    QCOMPARE(db.answerRowCount(0), 1);
}

void TestData::itemsMapToTheirTableAndColumn_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("table");
    for (int item : {1, 160, 161, 320, 321, 480})
        QTest::newRow(qPrintable(QString::number(item)))
            << item << (item <= 160 ? QStringLiteral("Answer1")
                                    : item <= 320 ? QStringLiteral("Answer2") : QStringLiteral("Answer3"));
}

void TestData::itemsMapToTheirTableAndColumn() {
    QFETCH(int, item);
    QFETCH(QString, table);
    QCOMPARE(answerTableName(answerTableOf(item)), table);
    hovtest::TestAppFolder app;
    SubjectDb db(app.folder());
    QVERIFY(db.registerSubject(subjectWithCode(QStringLiteral("5"))));
    AnswerSheet sheet;
    sheet.set(item, QStringLiteral("2"));
    QVERIFY(db.writeAnswerTable(QStringLiteral("5"), answerTableOf(item), sheet));
    const QString sql = QStringLiteral("SELECT \"%1\" FROM \"%2\" WHERE \"Code\" = '5'").arg(item).arg(table);
    QCOMPARE(app.value(QStringLiteral("HOVDB.mdb"), sql).toString(), QStringLiteral("2"));
    QCOMPARE(db.loadAnswers(QStringLiteral("5")).at(item), QStringLiteral("2"));
}

void TestData::nullAndEmptyAnswersStayApart() {
    hovtest::TestAppFolder app;
    SubjectDb db(app.folder());
    QVERIFY(db.registerSubject(subjectWithCode(QStringLiteral("3"))));
    QVERIFY(app.exec(QStringLiteral("HOVDB.mdb"),
                     QStringLiteral("UPDATE \"Answer1\" SET \"5\" = '', \"6\" = ' 1' WHERE \"Code\" = '3'")));
    const AnswerSheet sheet = db.loadAnswers(QStringLiteral("3"));
    QVERIFY(sheet.at(4).isNull());
    QVERIFY(!sheet.at(5).isNull());
    QVERIFY(sheet.at(5).isEmpty());
    QCOMPARE(sheet.at(6), QStringLiteral(" 1"));
    // Written back unchanged: NULL stays NULL, '' stays ''.
    QVERIFY(db.writeAnswerTable(QStringLiteral("3"), 0, sheet));
    QCOMPARE(app.value(QStringLiteral("HOVDB.mdb"),
                       QStringLiteral("SELECT \"4\" IS NULL AND \"5\" = '' FROM \"Answer1\""))
                 .toInt(),
             1);
}

// Only the listed columns change: a value another window stored meanwhile survives;
// items of another table, and a missing row, are refused.
void TestData::writeAnswerItemsTouchesOnlyThoseColumns() {
    hovtest::TestAppFolder app;
    SubjectDb db(app.folder());
    const QString code = QStringLiteral("9");
    QVERIFY(db.registerSubject(subjectWithCode(code)));
    AnswerSheet sheet = db.loadAnswers(code);
    QVERIFY(app.exec(QStringLiteral("HOVDB.mdb"),
                     QStringLiteral("UPDATE \"Answer2\" SET \"170\" = '2' WHERE \"Code\" = '9'")));
    sheet.set(161, QStringLiteral("1"));
    sheet.set(320, QString(QLatin1String("")));
    QVERIFY2(db.writeAnswerItems(code, 1, {161, 320}, sheet), qPrintable(db.lastError()));
    QCOMPARE(app.value(QStringLiteral("HOVDB.mdb"),
                       QStringLiteral("SELECT \"161\" = '1' AND \"320\" = '' AND \"170\" = '2' "
                                      "AND \"171\" IS NULL FROM \"Answer2\" WHERE \"Code\" = '9'"))
                 .toInt(),
             1);
    QVERIFY(!db.writeAnswerItems(code, 1, {160}, sheet));
    QVERIFY(!db.writeAnswerItems(QStringLiteral("no such code"), 1, {161}, sheet));
    QVERIFY(db.lastError().contains(QStringLiteral("Answer2")));
}

void TestData::missingAnswerRowsAreAddedOnly() {
    hovtest::TestAppFolder app;
    SubjectDb db(app.folder());
    QVERIFY(db.registerSubject(subjectWithCode(QStringLiteral("8"))));
    AnswerSheet sheet;
    sheet.set(2, QStringLiteral("1"));
    QVERIFY(db.writeAnswerTable(QStringLiteral("8"), 0, sheet));
    QVERIFY(app.exec(QStringLiteral("HOVDB.mdb"), QStringLiteral("DELETE FROM \"Answer2\"")));
    QVERIFY(app.exec(QStringLiteral("HOVDB.mdb"), QStringLiteral("DELETE FROM \"Answer3\"")));
    QVERIFY(db.ensureAnswerRows(QStringLiteral("8")));
    QCOMPARE(db.loadAnswers(QStringLiteral("8")).at(2), QStringLiteral("1"));
    for (int table = 0; table < kAnswerTableCount; ++table)
        QCOMPARE(db.answerRowCount(table), 1);
    QCOMPARE(app.value(QStringLiteral("HOVDB.mdb"),
                       QStringLiteral("SELECT COUNT(*) FROM \"Answer3\" WHERE \"321\" IS NULL"))
                 .toInt(),
             1);
}

// Raw scores go to the scale's column, Ie to Le; a column an older file lacks costs only
// its own score.
void TestData::rawScoresKeepTheOthersWhenOneColumnIsMissing() {
    hovtest::TestAppFolder app;
    QVERIFY(app.exec(QStringLiteral("HOVDB.mdb"), QStringLiteral("ALTER TABLE \"IDE\" DROP COLUMN \"Cs\"")));
    SubjectDb db(app.folder());
    QVERIFY(db.registerSubject(subjectWithCode(QStringLiteral("4"))));
    std::array<int, kScaleCount> scores{};
    for (int i = 0; i < kScaleCount; ++i)
        scores[static_cast<size_t>(i)] = 100 + i;
    QVERIFY(!db.storeRawScores(QStringLiteral("4"), scores));
    QVERIFY(db.lastFailure().detail.contains(QStringLiteral("Cs")));
    QCOMPARE(app.value(QStringLiteral("HOVDB.mdb"),
                       QStringLiteral("SELECT \"Do\" || '/' || \"Le\" || '/' || \"Fe\" FROM \"IDE\""))
                 .toString(),
             QStringLiteral("100/114/117"));
}

// Only the changed fields are written: the others keep what the file holds, a null too.
void TestData::updateSubjectWritesOnlyTheChanges() {
    hovtest::TestAppFolder app;
    SubjectDb db(app.folder());
    Subject stored = subjectWithCode(QStringLiteral("4"));
    stored.education = QString();
    QVERIFY(db.registerSubject(stored));
    QVERIFY(app.exec(QStringLiteral("HOVDB.mdb"), QStringLiteral("UPDATE \"IDE\" SET \"LName\" = 'elsewhere'")));
    Subject edited = stored;
    edited.firstName = QStringLiteral("Sara");
    edited.group = QStringLiteral("G");
    edited.education = QStringLiteral(""); // empty for null: no change
    const SubjectChanges changes = changedFields(stored, edited);
    QCOMPARE(changes.size(), 2);
    QVERIFY(db.updateSubject(QStringLiteral("4"), changes));
    const Result<Subject> now = db.findSubject(QStringLiteral("4"));
    QVERIFY(now.isFound());
    QCOMPARE(now->firstName, QStringLiteral("Sara"));
    QCOMPARE(now->group, QStringLiteral("G"));
    QCOMPARE(now->lastName, QStringLiteral("elsewhere"));
    QVERIFY(now->education.isNull());
    applyChanges(stored, changes);
    QCOMPARE(stored.firstName, QStringLiteral("Sara"));
}

// A write to a subject that is not (or no longer) on file stores nothing: never a success.
void TestData::writesToAnUnknownCodeFail() {
    hovtest::TestAppFolder app;
    SubjectDb db(app.folder());
    QVERIFY(db.registerSubject(subjectWithCode(QStringLiteral("4"))));
    const SubjectChanges changes{{SubjectField::FirstName, QStringLiteral("Sara")}};
    QVERIFY(!db.updateSubject(QStringLiteral("04"), changes));
    QCOMPARE(db.lastFailure().kind, StoreFailure::Kind::Other);
    QVERIFY(!db.storeRawScores(QStringLiteral("04"), {}));
    QCOMPARE(db.lastFailure().kind, StoreFailure::Kind::Other);
    QVERIFY(db.lastError().contains(QStringLiteral("04")));
    // The subject on file is untouched.
    QCOMPARE(db.findSubject(QStringLiteral("4"))->firstName, hovtest::sampleSubject(QStringLiteral("4")).firstName);
    QVERIFY(db.updateSubject(QStringLiteral("4"), changes));
}

// SQLite would read "Jens" of a file without that column as the text 'Jens': the read must
// fail instead of showing the column's name as the subject's sex.
void TestData::aMissingColumnFailsTheRead() {
    hovtest::TestAppFolder app;
    SubjectDb db(app.folder());
    QVERIFY(db.registerSubject(subjectWithCode(QStringLiteral("4"))));
    QVERIFY(app.exec(QStringLiteral("HOVDB.mdb"), QStringLiteral("ALTER TABLE \"IDE\" DROP COLUMN \"Jens\"")));
    SubjectDb reopened(app.folder());
    const Result<Subject> read = reopened.findSubject(QStringLiteral("4"));
    QVERIFY(read.isFailed());
    QVERIFY(read.failure().detail.contains(QStringLiteral("Jens")));
}

void TestData::missingFileIsReportedNotCreated() {
    QTemporaryDir empty;
    SubjectDb db(AppFolder(empty.path()));
    QVERIFY(!db.isOpen());
    QVERIFY(db.lastError().contains(QStringLiteral("HOVDB.mdb")));
    QVERIFY(db.lastError().contains(QDir::toNativeSeparators(empty.path())));
    QVERIFY(!db.subjectCount());
    QVERIFY(db.findSubject(QStringLiteral("1")).isFailed());
    QVERIFY(!QFileInfo::exists(empty.path() + QStringLiteral("/HOVDB.mdb")));

    // Garbage where a database should be: an error, not a crash.
    QFile junk(empty.path() + QStringLiteral("/Theme.adz"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    SettingsDb settings{AppFolder(empty.path())};
    QVERIFY(!settings.isOpen());
    QCOMPARE(settings.load().name, QString());
}

void TestData::settingsReadTheFirstRow() {
    hovtest::TestAppFolder app;
    QVERIFY(app.exec(QStringLiteral("Theme.adz"),
                     QStringLiteral("INSERT INTO \"Theme\" (\"Name\", \"T11\") VALUES ('second', 'x')")));
    SettingsDb db(app.folder());
    const ClinicSettings s = db.load();
    QCOMPARE(s.subjectTerm, QStringLiteral("کد آزمودني"));
    QVERIFY(s.name != QStringLiteral("second"));
}

void TestData::commitLeavesOneFile() {
    hovtest::TestAppFolder app;
    SubjectDb db(app.folder());
    QVERIFY(db.registerSubject(subjectWithCode(QStringLiteral("1"))));
    const QDir dir(app.path());
    QVERIFY(!dir.exists(QStringLiteral("HOVDB.mdb-wal")));
    QVERIFY(!dir.exists(QStringLiteral("HOVDB.mdb-journal")));
}

// The kind of a driver error, from SQLite's result code or, failing that, its words; the
// sentence names the file and holds none of the driver's English.
void TestData::storeFailureIsDescribedInPersian_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    using K = StoreFailure::Kind;
    QTest::newRow("not a database") << "26" << "file is not a database" << int(K::NotADatabase);
    QTest::newRow("read-only") << "8" << "attempt to write a readonly database" << int(K::ReadOnly);
    QTest::newRow("disk full") << "13" << "database or disk is full" << int(K::DiskFull);
    QTest::newRow("busy") << "5" << "database is locked" << int(K::Locked);
    QTest::newRow("extended busy code") << "261" << "database is locked" << int(K::Locked);
    QTest::newRow("missing table") << "1" << "no such table: Answer2" << int(K::MissingTable);
    QTest::newRow("no code, words") << "" << "attempt to write a readonly database" << int(K::ReadOnly);
    QTest::newRow("parameter count") << "" << "Parameter count mismatch" << int(K::Other);
}

void TestData::storeFailureIsDescribedInPersian() {
    QFETCH(QString, code);
    QFETCH(QString, text);
    QFETCH(int, kind);
    const QString path = QStringLiteral("/srv/clinic/HOVDB.mdb");
    const StoreFailure f =
        storeFailure(path, QSqlError(text, QStringLiteral("Unable to fetch row"),
                                     QSqlError::StatementError, code));
    QCOMPARE(int(f.kind), kind);
    QVERIFY(f.detail.contains(text));
    const QString sentence = describe(f);
    QVERIFY(sentence.contains(isolated(QStringLiteral("HOVDB.mdb"))));
    QVERIFY(!sentence.contains(text));
    QVERIFY(!sentence.contains(QStringLiteral("Unable")));
    if (f.kind == StoreFailure::Kind::MissingTable)
        QVERIFY(sentence.contains(isolated(QStringLiteral("Answer2"))));
}

// A subject file that opened but cannot be read answers "failed", never "none".
void TestData::unreadableFileIsNotAnAnswer_data() {
    QTest::addColumn<QString>("damage");
    QTest::newRow("table dropped after opening") << "DROP TABLE \"IDE\"";
    QTest::newRow("answers dropped after opening") << "DROP TABLE \"Answer1\"";
}

void TestData::unreadableFileIsNotAnAnswer() {
    QFETCH(QString, damage);
    hovtest::TestAppFolder app;
    SubjectDb db(app.folder());
    QVERIFY(db.registerSubject(hovtest::sampleSubject(QStringLiteral("1"))));
    QVERIFY(app.exec(QStringLiteral("HOVDB.mdb"), damage));
    const bool ide = damage.contains(QStringLiteral("IDE"));
    if (ide) {
        QVERIFY(db.findSubject(QStringLiteral("1")).isFailed());
        QCOMPARE(db.codeExists(QStringLiteral("1")), Lookup::Failed);
        QVERIFY(!db.subjectCount());
        QVERIFY(db.proposeCode().isFailed());
    } else {
        QCOMPARE(db.hasAnswerRow(QStringLiteral("1"), 0), Lookup::Failed);
        QVERIFY(!db.answerRowCount(0));
    }
    QCOMPARE(db.lastFailure().kind, StoreFailure::Kind::MissingTable);
    QVERIFY(db.lastError().contains(QStringLiteral("HOVDB.mdb")));
    const Result<OpenedSubject> opened = db.openSubject(QStringLiteral("1"));
    QVERIFY(opened.isFailed());
    QCOMPARE(opened.failure().kind, StoreFailure::Kind::MissingTable);
}

// The three answer rows are written together, and the rows a subject lacks are added
// together: a refusal half way leaves the file as it was.
void TestData::groupedWritesAreAllOrNothing() {
    hovtest::TestAppFolder app;
    SubjectDb db(app.folder());
    QVERIFY(db.registerSubject(hovtest::sampleSubject(QStringLiteral("1"))));
    QVERIFY(app.refuseWrites(QStringLiteral("HOVDB.mdb"), QStringLiteral("Answer3"),
                             hovtest::TestAppFolder::Update | hovtest::TestAppFolder::Insert));
    AnswerSheet sheet;
    sheet.set(1, QStringLiteral("1"));
    sheet.set(200, QStringLiteral("2"));
    sheet.set(400, QStringLiteral("1"));
    QVERIFY(!db.writeAllAnswers(QStringLiteral("1"), sheet));
    QVERIFY(db.lastFailure().detail.contains(QStringLiteral("disk full")));
    QVERIFY(db.loadAnswers(QStringLiteral("1")).at(1).isNull());
    QVERIFY(db.loadAnswers(QStringLiteral("1")).at(200).isNull());

    QVERIFY(app.exec(QStringLiteral("HOVDB.mdb"), QStringLiteral("INSERT INTO \"IDE\" (\"Code\") VALUES ('2')")));
    QVERIFY(!db.ensureAnswerRows(QStringLiteral("2")));
    for (int table = 0; table < kAnswerTableCount; ++table)
        QCOMPARE(db.hasAnswerRow(QStringLiteral("2"), table), Lookup::NotFound);
    QVERIFY(db.openSubject(QStringLiteral("2")).isFailed());
    QCOMPARE(db.hasAnswerRow(QStringLiteral("2"), 0), Lookup::NotFound);
}

void TestData::eachCallClearsTheLastFailure() {
    hovtest::TestAppFolder app;
    SubjectDb db(app.folder());
    QVERIFY(app.refuseWrites(QStringLiteral("HOVDB.mdb"), QStringLiteral("IDE")));
    QVERIFY(!db.registerSubject(hovtest::sampleSubject(QStringLiteral("1"))));
    QVERIFY(db.lastFailure().isFailure());
    QCOMPARE(db.subjectCount(), 0);
    QVERIFY(!db.lastFailure().isFailure());
    QVERIFY(db.lastError().isEmpty());
}

QTEST_GUILESS_MAIN(TestData)
#include "test_data.moc"
