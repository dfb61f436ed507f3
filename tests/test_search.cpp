// The Persian-aware search form and the CSV fields of the scores export.
#include "data/csv.h"
#include "data/searchkey.h"

#include <QTest>

using namespace hov;

class TestSearch : public QObject {
    Q_OBJECT

private slots:
    void sameKey_data();
    void sameKey();
    void differentKey_data();
    void differentKey();
    void matchesEveryWord_data();
    void matchesEveryWord();
    void csvField_data();
    void csvField();
    void csvDocument();
};

// Pairs an operator would call the same text.
void TestSearch::sameKey_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("Arabic yeh") << QStringLiteral("علی") << QStringLiteral("علي");
    QTest::newRow("alef maksura") << QStringLiteral("مصطفی") << QStringLiteral("مصطفى");
    QTest::newRow("Arabic kaf") << QStringLiteral("کاظم") << QStringLiteral("كاظم");
    QTest::newRow("both in one word") << QStringLiteral("کیانی") << QStringLiteral("كياني");
    QTest::newRow("ZWNJ") << QStringLiteral("محمدرضا") << QStringLiteral("محمد\u200Cرضا");
    QTest::newRow("ZWNJ typed, none stored") << QStringLiteral("می\u200Cخواهم")
                                             << QStringLiteral("ميخواهم");
    QTest::newRow("Persian digits") << QStringLiteral("۱۲") << QStringLiteral("12");
    QTest::newRow("Arabic-Indic digits") << QStringLiteral("١٢") << QStringLiteral("12");
    QTest::newRow("Persian and Arabic-Indic") << QStringLiteral("۱۲") << QStringLiteral("١٢");
    QTest::newRow("repeated blanks") << QStringLiteral("علی   رضا ") << QStringLiteral(" علی رضا");
    QTest::newRow("tab and no-break space") << QStringLiteral("علی\tرضا")
                                            << QStringLiteral("علی\u00A0رضا");
    QTest::newRow("Latin case") << QStringLiteral("ab-12") << QStringLiteral("AB-12");
    QTest::newRow("directional marks") << QStringLiteral("A12")
                                       << QStringLiteral("\u202BA\u200F12\u202C\u2066\u2069");
    QTest::newRow("tatweel and vowel marks") << QStringLiteral("محمد")
                                             << QStringLiteral("مُحَمّـد");
    QTest::newRow("presentation forms") << QStringLiteral("علی") << QStringLiteral("\uFECB\uFEE0\uFEF2");
}

void TestSearch::sameKey() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QCOMPARE(searchKey(typed), searchKey(stored));
}

// Texts that must stay apart.
void TestSearch::differentKey_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::newRow("leading zero") << QStringLiteral("07") << QStringLiteral("7");
    QTest::newRow("blank is not nothing") << QStringLiteral("علی رضا") << QStringLiteral("علیرضا");
    QTest::newRow("heh and teh marbuta") << QStringLiteral("فاطمه") << QStringLiteral("فاطمة");
    QTest::newRow("different letters") << QStringLiteral("سارا") << QStringLiteral("زهرا");
}

void TestSearch::differentKey() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QVERIFY(searchKey(a) != searchKey(b));
}

void TestSearch::matchesEveryWord_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matches");
    // The subject: code 12, علي كريمي.
    QTest::newRow("code in Persian digits") << QStringLiteral("۱۲") << true;
    QTest::newRow("part of the code") << QStringLiteral("1") << true;
    QTest::newRow("first name with Persian yeh") << QStringLiteral("علی") << true;
    QTest::newRow("last name with Persian kaf and yeh") << QStringLiteral("کریمی") << true;
    QTest::newRow("both names, any order") << QStringLiteral("کریمی  علی") << true;
    QTest::newRow("one word missing") << QStringLiteral("علی احمدی") << false;
    QTest::newRow("other code") << QStringLiteral("13") << false;
    QTest::newRow("only blanks") << QStringLiteral("   ") << true;
}

void TestSearch::matchesEveryWord() {
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    const QString key = searchKey(QStringLiteral("12 علي كريمي"));
    QCOMPARE(matchesSearch(key, searchWords(typed)), matches);
}

void TestSearch::csvField_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << QStringLiteral("علي") << QStringLiteral("علي");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("comma") << QStringLiteral("a,b") << QStringLiteral("\"a,b\"");
    QTest::newRow("quote") << QStringLiteral("O\"Brien") << QStringLiteral("\"O\"\"Brien\"");
    QTest::newRow("apostrophe") << QStringLiteral("O'Brien") << QStringLiteral("O'Brien");
    QTest::newRow("line break") << QStringLiteral("a\nb") << QStringLiteral("\"a\nb\"");
    QTest::newRow("formula =") << QStringLiteral("=1+1") << QStringLiteral("'=1+1");
    QTest::newRow("formula +") << QStringLiteral("+98912") << QStringLiteral("'+98912");
    QTest::newRow("formula -") << QStringLiteral("-5") << QStringLiteral("'-5");
    QTest::newRow("formula @") << QStringLiteral("@SUM(A1)") << QStringLiteral("'@SUM(A1)");
    QTest::newRow("formula with comma") << QStringLiteral("=HYPERLINK(\"x\",1)")
                                        << QStringLiteral("\"'=HYPERLINK(\"\"x\"\",1)\"");
    QTest::newRow("tab first") << QStringLiteral("\t=1") << QStringLiteral("'\t=1");
    QTest::newRow("inner = is harmless") << QStringLiteral("a=b") << QStringLiteral("a=b");
}

void TestSearch::csvField() {
    QFETCH(QString, value);
    QFETCH(QString, field);
    QCOMPARE(csv::field(value), field);
}

void TestSearch::csvDocument() {
    const QByteArray doc = csv::document({{QStringLiteral("code"), QStringLiteral("نام")},
                                          {QStringLiteral("7"), QStringLiteral("علي")}});
    QCOMPARE(doc, QByteArray("\xEF\xBB\xBF") + QStringLiteral("code,نام\r\n7,علي\r\n").toUtf8());
}

QTEST_APPLESS_MAIN(TestSearch)
#include "test_search.moc"
