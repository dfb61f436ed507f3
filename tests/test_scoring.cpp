#include "scoring/rawscores.h"
#include "scoring/scales.h"
#include "scoring/scoringkey.h"

#include <QMap>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using namespace hov;

namespace {

using Scores = std::array<int, kScaleCount>;

QList<QString> allAnswers(const QString& text, int count = kKeyItemMax) {
    return QList<QString>(count, text);
}

Scores scoresOf(const QList<QString>& answers) {
    return rawScores(std::span<const QString>(answers.constData(), answers.size()));
}

// Keyed "1" and keyed "2" counts per scale, in scale order, as the scale table gives them.
constexpr Scores kKeyedYes = {23, 11, 22, 23, 16, 6, 16, 22, 6, 3, 9, 14, 12, 3, 18, 6, 1, 17};
constexpr Scores kKeyedNo = {23, 21, 14, 33, 17, 38, 25, 33, 44,
                             29, 31, 13, 26, 29, 33, 16, 20, 21};

QString keyCsvPath() {
    return QStringLiteral(HOV_SOURCE_DIR "/assets/scoring-key.csv");
}

QStringList keyCsvLines() {
    QFile file(keyCsvPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

namespace QTest {
template <> char* toString(const Scores& scores) {
    QStringList parts;
    for (int s : scores)
        parts << QString::number(s);
    return toString(parts.join(QLatin1Char(' ')));
}
} // namespace QTest

class TestScoring : public QObject {
    Q_OBJECT

private slots:
    void scaleList();
    void keyLayout();
    void uniformAnswers_data();
    void uniformAnswers();
    void yesAndNoAddUpToScaleSize();
    void flippingOneAnswerMovesItsScales();
    void shortAndLongAnswerLists();
    void leadingNumber_data();
    void leadingNumber();
    void scoreTextIsPlainDecimal();
    void malformedKeyFailsBuild_data();
    void malformedKeyFailsBuild();
};

void TestScoring::scaleList() {
    const char* order[] = {"Do", "Cs", "Sy", "Sp", "Sa", "Wb", "Re", "So", "Sc",
                           "To", "Gi", "Cm", "Ac", "Ai", "Ie", "Py", "Fx", "Fe"};
    const int keyed[] = {46, 32, 36, 56, 33, 44, 41, 55, 50, 32, 40, 27, 38, 32, 51, 22, 21, 38};
    for (int s = 0; s < kScaleCount; ++s) {
        const Scale& scale = scales()[s];
        QCOMPARE(scale.code, order[s]);
        QCOMPARE(scale.keyed, keyed[s]);
        QCOMPARE(scale.keyedYes, kKeyedYes[s]);
        QCOMPARE(scale.keyedNo, kKeyedNo[s]);
        QCOMPARE(scaleIndex(QString::fromLatin1(order[s])), s);
    }
    QCOMPARE(scaleIndex(u"Le"), -1);
    QCOMPARE(scaleIndex(u"do"), -1);
}

// The checks every supplied key must pass, run on the table compiled into the program, so a
// licensed key dropped into assets/ is held to the same layout as the stand-in.
void TestScoring::keyLayout() {
    const auto key = scoringKey();
    QCOMPARE(key.size(), std::size_t(694));

    Scores entries{}, yes{}, no{};
    QSet<QPair<int, int>> pairs;
    QMap<int, int> scalesOfItem;
    QMap<int, QSet<int>> answersOfItem;
    int previousScale = 0;
    for (const KeyEntry& e : key) {
        QVERIFY2(e.scale < kScaleCount, "scale index out of range");
        QVERIFY2(e.item >= 1 && e.item <= 480, qPrintable(QString::number(e.item)));
        QVERIFY2(e.keyed == 1 || e.keyed == 2, qPrintable(QString::number(e.item)));
        QVERIFY2(e.scale >= previousScale, "key not grouped by scale in scale order");
        previousScale = e.scale;
        QVERIFY2(
            !pairs.contains({e.scale, e.item}),
            qPrintable(QStringLiteral("%1 item %2 twice").arg(scales()[e.scale].code).arg(e.item)));
        pairs.insert({e.scale, e.item});
        ++entries[e.scale];
        ++(e.keyed == 1 ? yes : no)[e.scale];
        ++scalesOfItem[e.item];
        answersOfItem[e.item].insert(e.keyed);
    }
    for (int s = 0; s < kScaleCount; ++s) {
        QCOMPARE(entries[s], scales()[s].keyed);
        QCOMPARE(yes[s], scales()[s].keyedYes);
        QCOMPARE(no[s], scales()[s].keyedNo);
    }

    QCOMPARE(scalesOfItem.size(), 454);
    QMap<int, int> itemsPerScaleCount;
    for (int count : scalesOfItem)
        ++itemsPerScaleCount[count];
    const QMap<int, int> expected = {{1, 289}, {2, 108}, {3, 46}, {4, 7}, {5, 1}, {6, 3}};
    QCOMPARE(itemsPerScaleCount, expected);

    int mixed = 0;
    for (const QSet<int>& answers : answersOfItem)
        mixed += answers.size() == 2;
    QCOMPARE(mixed, 36);

    int perTable[3] = {0, 0, 0};
    for (auto it = scalesOfItem.cbegin(); it != scalesOfItem.cend(); ++it)
        ++perTable[(it.key() - 1) / 160];
    QCOMPARE(perTable[0], 159);
    QCOMPARE(perTable[1], 159);
    QCOMPARE(perTable[2], 136);
}

void TestScoring::uniformAnswers_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<Scores>("expected");

    QTest::newRow("all unanswered") << QString() << Scores{};
    QTest::newRow("all 1") << QStringLiteral("1") << kKeyedYes;
    QTest::newRow("all 2") << QStringLiteral("2") << kKeyedNo;
    QTest::newRow("blank before 1") << QStringLiteral(" 1") << kKeyedYes;
    QTest::newRow("leading zero") << QStringLiteral("01") << kKeyedYes;
    QTest::newRow("tab before 2") << QStringLiteral("\t2") << kKeyedNo;
    QTest::newRow("2.0") << QStringLiteral("2.0") << kKeyedNo;
    QTest::newRow("1 then letters") << QStringLiteral("1x") << kKeyedYes;
    QTest::newRow("3 scores nowhere") << QStringLiteral("3") << Scores{};
    QTest::newRow("x scores nowhere") << QStringLiteral("x") << Scores{};
    QTest::newRow("-1 scores nowhere") << QStringLiteral("-1") << Scores{};
    QTest::newRow("12 scores nowhere") << QStringLiteral("1 2") << Scores{};
}

void TestScoring::uniformAnswers() {
    QFETCH(QString, answer);
    QFETCH(Scores, expected);
    QCOMPARE(scoresOf(allAnswers(answer)), expected);
}

void TestScoring::yesAndNoAddUpToScaleSize() {
    const Scores yes = scoresOf(allAnswers(QStringLiteral("1")));
    const Scores no = scoresOf(allAnswers(QStringLiteral("2")));
    for (int s = 0; s < kScaleCount; ++s)
        QCOMPARE(yes[s] + no[s], scales()[s].keyed);
}

// Every item in turn, from an all-"1" record: exactly the scales that key the item move, by one
// point, down where it is keyed "1" and up where it is keyed "2"; unkeyed items move nothing.
void TestScoring::flippingOneAnswerMovesItsScales() {
    QMap<int, QMap<int, int>> keyedOfItem; // item -> scale -> keyed
    for (const KeyEntry& e : scoringKey())
        keyedOfItem[e.item][e.scale] = e.keyed;

    QList<QString> answers = allAnswers(QStringLiteral("1"));
    const Scores before = scoresOf(answers);
    int sixScaleItems = 0;
    for (int item = 1; item <= kKeyItemMax; ++item) {
        answers[item - 1] = QStringLiteral("2");
        const Scores after = scoresOf(answers);
        answers[item - 1] = QStringLiteral("1");

        const QMap<int, int> keyed = keyedOfItem.value(item);
        sixScaleItems += keyed.size() == 6;
        for (int s = 0; s < kScaleCount; ++s) {
            const int change = !keyed.contains(s) ? 0 : keyed[s] == 1 ? -1 : 1;
            if (after[s] - before[s] != change)
                QFAIL(qPrintable(QStringLiteral("item %1, scale %2: changed by %3, expected %4")
                                     .arg(item)
                                     .arg(scales()[s].code)
                                     .arg(after[s] - before[s])
                                     .arg(change)));
        }
    }
    QCOMPARE(sixScaleItems, 3);
}

// A shorter list leaves the rest unanswered; entries past item 480 are not items.
void TestScoring::shortAndLongAnswerLists() {
    for (int count : {0, 1, 160, 321, 479}) {
        QList<QString> padded = allAnswers(QStringLiteral("1"), count);
        padded.resize(kKeyItemMax);
        QCOMPARE(scoresOf(allAnswers(QStringLiteral("1"), count)), scoresOf(padded));
    }
    QCOMPARE(scoresOf(allAnswers(QStringLiteral("1"), 0)), Scores{});
    QCOMPARE(scoresOf(allAnswers(QStringLiteral("2"), 600)), kKeyedNo);
}

void TestScoring::leadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("blank before") << QStringLiteral(" 1") << 1.0;
    QTest::newRow("leading zero") << QStringLiteral("01") << 1.0;
    QTest::newRow("3") << QStringLiteral("3") << 3.0;
    QTest::newRow("letter") << QStringLiteral("x") << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("blank inside") << QStringLiteral("1 2") << 12.0;
    QTest::newRow("tab before") << QStringLiteral("\t2") << 2.0;
    QTest::newRow("decimal") << QStringLiteral("2.0") << 2.0;
    QTest::newRow("negative") << QStringLiteral("-1") << -1.0;
    QTest::newRow("plus") << QStringLiteral("+3") << 3.0;
    QTest::newRow("blank after sign") << QStringLiteral("- 1") << -1.0;
    QTest::newRow("stops at letter") << QStringLiteral("1x") << 1.0;
    QTest::newRow("letter first") << QStringLiteral("x1") << 0.0;
    QTest::newRow("stops at comma") << QStringLiteral("1,5") << 1.0;
    QTest::newRow("second point") << QStringLiteral("1.5.2") << 1.5;
    QTest::newRow("point first") << QStringLiteral(".5") << 0.5;
    QTest::newRow("point last") << QStringLiteral("5.") << 5.0;
    QTest::newRow("zeros after point") << QStringLiteral("0.05") << 0.05;
    QTest::newRow("point alone") << QStringLiteral(".") << 0.0;
    QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
    QTest::newRow("two signs") << QStringLiteral("--1") << 0.0;
    QTest::newRow("exponent") << QStringLiteral("1e2") << 100.0;
    QTest::newRow("exponent with sign") << QStringLiteral("1E+2") << 100.0;
    QTest::newRow("negative exponent") << QStringLiteral("2e-1") << 0.2;
    QTest::newRow("blanks in exponent") << QStringLiteral("1 e 2") << 100.0;
    QTest::newRow("exponent without digits") << QStringLiteral("1e") << 1.0;
    QTest::newRow("exponent sign without digits") << QStringLiteral("1e+x") << 1.0;
    QTest::newRow("exponent alone") << QStringLiteral("e5") << 0.0;
    QTest::newRow("overflow") << QStringLiteral("1e400") << inf;
    QTest::newRow("negative overflow") << QStringLiteral("-1e400") << -inf;
    QTest::newRow("underflow") << QStringLiteral("1e-400") << 0.0;
    QTest::newRow("Arabic-Indic digit") << QStringLiteral("\u0661") << 0.0;
    QTest::newRow("full-width digit") << QStringLiteral("\uFF11") << 0.0;

    const int n = 1'000'000;
    QTest::newRow("long digits") << QString(n, QLatin1Char('9')) << inf;
    QTest::newRow("long leading zeros") << QString(n, QLatin1Char('0')) + QLatin1Char('2') << 2.0;
    QTest::newRow("long zeros after point")
        << QStringLiteral("0.") + QString(n, QLatin1Char('0')) + QStringLiteral("1e1000001") << 1.0;
    QTest::newRow("long digits scaled down")
        << QStringLiteral("1") + QString(n, QLatin1Char('0')) + QStringLiteral("e-1000000") << 1.0;
    QTest::newRow("long exponent")
        << QStringLiteral("1e") + QString(n, QLatin1Char('0')) + QLatin1Char('2') << 100.0;
    QTest::newRow("huge exponent") << QStringLiteral("1e") + QString(n, QLatin1Char('9')) << inf;
    QTest::newRow("long blanks") << QString(n, QLatin1Char(' ')) + QLatin1Char('2') << 2.0;
    QTest::newRow("long text after number")
        << QStringLiteral("1") + QString(n, QLatin1Char('x')) << 1.0;
}

void TestScoring::leadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(hov::leadingNumber(text), expected);
}

void TestScoring::scoreTextIsPlainDecimal() {
    QCOMPARE(scoreText(0), QStringLiteral("0"));
    QCOMPARE(scoreText(7), QStringLiteral("7"));
    QCOMPARE(scoreText(56), QStringLiteral("56"));
}

// keytable.cmake runs in the build; a bad line must stop it and say where and why.
void TestScoring::malformedKeyFailsBuild_data() {
    QTest::addColumn<int>("line");     // 1-based line of the CSV to replace; 0 = none
    QTest::addColumn<QString>("text"); // its replacement; empty = delete the line
    QTest::addColumn<QString>("message");

    QTest::newRow("valid key") << 0 << QString() << QString();
    QTest::newRow("wrong header") << 1 << QStringLiteral("scale,item,key")
                                  << QStringLiteral(":1: the first line");
    QTest::newRow("two fields") << 5 << QStringLiteral("Do,12")
                                << QStringLiteral(":5: expected 3 fields");
    QTest::newRow("four fields") << 6 << QStringLiteral("Do,12,1,1")
                                 << QStringLiteral(":6: expected 3 fields");
    QTest::newRow("semicolon") << 7 << QStringLiteral("Do;12;1")
                               << QStringLiteral(":7: expected 3 fields");
    QTest::newRow("unknown scale")
        << 8 << QStringLiteral("Le,12,1") << QStringLiteral(":8: unknown scale \"Le\"");
    QTest::newRow("item 0") << 9 << QStringLiteral("Do,0,1") << QStringLiteral(":9: item must be");
    QTest::newRow("item 481") << 9 << QStringLiteral("Do,481,1")
                              << QStringLiteral(":9: item must be");
    QTest::newRow("item not a number")
        << 9 << QStringLiteral("Do,1a,1") << QStringLiteral(":9: item must be");
    QTest::newRow("keyed 3") << 10 << QStringLiteral("Do,12,3")
                             << QStringLiteral(":10: keyed answer must be");
    QTest::newRow("keyed empty") << 10 << QStringLiteral("Do,12,")
                                 << QStringLiteral(":10: keyed answer must be");
    QTest::newRow("blank line inside")
        << 11 << QStringLiteral("") << QStringLiteral(":11: expected 3 fields");
    QTest::newRow("one entry missing")
        << 12 << QString() << QStringLiteral("693 entries, expected 694");
    QTest::newRow("one entry too many")
        << 12 << QStringLiteral("Do,12,1\nDo,13,1") << QStringLiteral("695 entries, expected 694");
}

void TestScoring::malformedKeyFailsBuild() {
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(QString, message);

    QStringList lines = keyCsvLines();
    QCOMPARE(lines.size(), 695);
    if (line > 0) {
        if (text.isNull())
            lines.removeAt(line - 1);
        else
            lines[line - 1] = text;
    }

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString csv = dir.filePath(QStringLiteral("key.csv"));
    const QString out = dir.filePath(QStringLiteral("table.cpp"));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    file.close();

    QProcess cmake;
    cmake.start(QStringLiteral(HOV_CMAKE_COMMAND),
                {QStringLiteral("-DCSV=") + csv, QStringLiteral("-DOUT=") + out,
                 QStringLiteral("-P"), QStringLiteral(HOV_KEYTABLE_SCRIPT)});
    QVERIFY(cmake.waitForFinished(60000));
    // CMake wraps long messages; compare with the line breaks taken out.
    const QString errors = QString::fromUtf8(cmake.readAllStandardError()).simplified();

    if (message.isEmpty()) {
        QVERIFY2(cmake.exitStatus() == QProcess::NormalExit && cmake.exitCode() == 0,
                 qPrintable(errors));
        QVERIFY(QFile::exists(out));
    } else {
        QVERIFY(cmake.exitCode() != 0);
        QVERIFY2(errors.contains(message), qPrintable(errors));
        QVERIFY(!QFile::exists(out));
    }
}

QTEST_GUILESS_MAIN(TestScoring)
#include "test_scoring.moc"
