// The norms store (dab.adz: tp and Taf) and the stored interpretation of a subject (IDE.Taf):
// what is read, and that a failed read is never taken for "no rows" or "nothing stored".
#include "data/normsdb.h"
#include "data/subjectdb.h"
#include "tests/support/testfolder.h"

#include <QFile>
#include <QTest>

using namespace hov;
using hovtest::TestAppFolder;

namespace {

const QString kIde = QStringLiteral("HOVDB.mdb");
const QString kNorms = QStringLiteral("dab.adz");
using Status = SubjectDb::StoredInterpretation::Status;

Subject subject(const QString& code) {
    return hovtest::sampleSubject(code);
}

} // namespace

class TestProfileStore : public QObject {
    Q_OBJECT
private slots:
    void readsTheShippedNorms() {
        TestAppFolder app;
        NormsDb db(app.folder());
        const std::optional<QList<NormRow>> norms = db.normRows();
        QVERIFY2(norms, qPrintable(db.lastError()));
        QCOMPARE(norms->size(), 57); // raw scores 0 to 56
        QCOMPARE(norms->first().score, QStringLiteral("0"));
        QCOMPARE(norms->first().male[0],
                 app.value(kNorms, QStringLiteral("SELECT Dom FROM tp WHERE Score = '0'")).toString());
        QCOMPARE(norms->first().female[17],
                 app.value(kNorms, QStringLiteral("SELECT Fef FROM tp WHERE Score = '0'")).toString());
        const std::optional<QList<ParagraphRow>> paragraphs = db.paragraphRows();
        QVERIFY(paragraphs);
        QCOMPARE(paragraphs->size(), 19);
        QCOMPARE(paragraphs->at(18).id, QStringLiteral("19"));
        QCOMPARE(paragraphs->at(0).paragraphs[3],
                 app.value(kNorms, QStringLiteral("SELECT \"4\" FROM Taf WHERE id = '1'")).toString());
    }

    void tableOrderAndGaps() {
        TestAppFolder app;
        // A repeated Score after the first one, and a missing row: the rows come in table
        // order, so the look-up takes the first; a missing Taf row is simply absent.
        QVERIFY(app.exec(kNorms, QStringLiteral("INSERT INTO tp (Score, Dom) VALUES ('3', 'late')")));
        QVERIFY(app.exec(kNorms, QStringLiteral("DELETE FROM tp WHERE Score = '4'")));
        QVERIFY(app.exec(kNorms, QStringLiteral("DELETE FROM Taf WHERE id = '7'")));
        NormsDb db(app.folder());
        const auto norms = db.normRows();
        QVERIFY(norms);
        QCOMPARE(norms->size(), 57);
        QCOMPARE(norms->last().male[0], QStringLiteral("late"));
        QVERIFY(norms->last().male[1].isEmpty()); // NULL reads as empty
        const auto paragraphs = db.paragraphRows();
        QVERIFY(paragraphs);
        QCOMPARE(paragraphs->size(), 18);
    }

    void unreadableNorms_data() {
        QTest::addColumn<QString>("damage");
        QTest::newRow("missing file") << "remove";
        QTest::newRow("not a database") << "garbage";
        QTest::newRow("no tp table") << "drop tp";
        QTest::newRow("no Taf table") << "drop Taf";
        QTest::newRow("tp lacks a column") << "column";
    }
    void unreadableNorms() {
        QFETCH(QString, damage);
        TestAppFolder app;
        const QString path = app.folder().normsDatabase();
        if (damage == QLatin1String("remove")) {
            QVERIFY(QFile::remove(path));
        } else if (damage == QLatin1String("garbage")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QByteArray(4096, 'x'));
        } else if (damage == QLatin1String("drop tp")) {
            QVERIFY(app.exec(kNorms, QStringLiteral("DROP TABLE tp")));
        } else if (damage == QLatin1String("drop Taf")) {
            QVERIFY(app.exec(kNorms, QStringLiteral("DROP TABLE Taf")));
        } else {
            QVERIFY(app.exec(kNorms, QStringLiteral("ALTER TABLE tp RENAME COLUMN Fef TO Fex")));
        }
        NormsDb db(app.folder());
        // A file without one of its tables does not open: nothing reads from it.
        const bool onlyTp = damage == QLatin1String("column");
        const std::optional<QList<NormRow>> norms = db.normRows();
        QVERIFY(!norms);
        QVERIFY(!db.lastError().isEmpty());
        QCOMPARE(db.paragraphRows().has_value(), onlyTp);
    }

    // Texts come back exactly as stored.
    void interpretationRoundTrip_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("lines") << "1" << "سطر اول\r\nسطر دوم\r\n";
        QTest::newRow("lone CR, lone LF, tabs") << "2" << "a\rb\nc\td\r\n\r\n";
        QTest::newRow("bidi marks and both ye/kaf")
            << "3" << QStringLiteral("\u200fي ی ك ک\u202bHOV\u202c\u2067x\u2069\u200e");
        QTest::newRow("apostrophe in the code") << "O'Brien" << "متن";
        QTest::newRow("100000 characters") << "5" << QString(100000, QChar(0x06CC));
        QTest::newRow("empty text") << "6" << "";
    }
    void interpretationRoundTrip() {
        QFETCH(QString, code);
        QFETCH(QString, text);
        TestAppFolder app;
        {
            SubjectDb db(app.folder());
            QVERIFY(db.registerSubject(subject(code)));
            QVERIFY(db.registerSubject(subject(code + QStringLiteral("x"))));
            QCOMPARE(db.loadInterpretation(code).status, Status::None);
            QVERIFY2(db.storeInterpretation(code, text), qPrintable(db.lastError()));
        }
        SubjectDb reopened(app.folder());
        const SubjectDb::StoredInterpretation read = reopened.loadInterpretation(code);
        QCOMPARE(read.status, text.isEmpty() ? Status::None : Status::Stored);
        QCOMPARE(read.text, text);
        // Only that subject's row changed.
        QCOMPARE(reopened.loadInterpretation(code + QStringLiteral("x")).status, Status::None);
        QCOMPARE(app.value(kIde, QStringLiteral("SELECT count(*) FROM IDE WHERE Taf IS NOT NULL")).toInt(), 1);
    }

    void storedTwiceKeepsTheSecond() {
        TestAppFolder app;
        SubjectDb db(app.folder());
        QVERIFY(db.registerSubject(subject(QStringLiteral("7"))));
        QVERIFY(db.storeInterpretation(QStringLiteral("7"), QStringLiteral("first")));
        QVERIFY(db.storeInterpretation(QStringLiteral("7"), QStringLiteral("second")));
        QCOMPARE(db.loadInterpretation(QStringLiteral("7")).text, QStringLiteral("second"));
    }

    void failuresAreNotAnswers() {
        TestAppFolder app;
        SubjectDb db(app.folder());
        QVERIFY(db.registerSubject(subject(QStringLiteral("7"))));
        // No row with that code: nothing stored, and it says so.
        QVERIFY(!db.storeInterpretation(QStringLiteral("07"), QStringLiteral("x")));
        QVERIFY(!db.lastError().isEmpty());
        QCOMPARE(db.loadInterpretation(QStringLiteral("07")).status, Status::None);
        // A file without the column: both directions fail rather than read "none".
        QVERIFY(app.exec(kIde, QStringLiteral("ALTER TABLE IDE DROP COLUMN Taf")));
        SubjectDb broken(app.folder());
        QCOMPARE(broken.loadInterpretation(QStringLiteral("7")).status, Status::Failed);
        QVERIFY(!broken.storeInterpretation(QStringLiteral("7"), QStringLiteral("x")));
        QVERIFY(!broken.lastError().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestProfileStore)
#include "test_profilestore.moc"
