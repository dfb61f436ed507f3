// T-score look-up by sex and the automatic interpretation: plain functions over values.
#include "scoring/interpretation.h"
#include "scoring/tscores.h"

#include <QTest>

using namespace hov;

Q_DECLARE_METATYPE(hov::ScaleTexts)

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kMale = QStringLiteral("مرد");
const QString kFemale = QStringLiteral("زن");

// A norm row whose T scores say where they came from: "m<score>.<scale>" / "f<score>.<scale>".
NormRow row(const QString& score, const QString& tag = QString()) {
    NormRow r;
    r.score = score;
    for (int k = 0; k < kScaleCount; ++k) {
        r.male[static_cast<size_t>(k)] = QStringLiteral("m%1.%2%3").arg(score).arg(k).arg(tag);
        r.female[static_cast<size_t>(k)] = QStringLiteral("f%1.%2%3").arg(score).arg(k).arg(tag);
    }
    return r;
}

ScaleTexts filled(const QString& text) {
    ScaleTexts t;
    t.fill(text);
    return t;
}

// Paragraph rows 1 to 19: heading "H<id>", column c holds "P<id>.<c>".
QList<ParagraphRow> paragraphs() {
    QList<ParagraphRow> rows;
    for (int id = 1; id <= 19; ++id) {
        ParagraphRow r;
        r.id = QString::number(id);
        r.name = QStringLiteral("H%1").arg(id);
        for (int c = 1; c <= 4; ++c)
            r.paragraphs[static_cast<size_t>(c - 1)] = QStringLiteral("P%1.%2").arg(id).arg(c);
        rows << r;
    }
    return rows;
}

// Neutral T scores: every scale in a middle level, no validity statement for either sex.
ScaleTexts neutral() {
    return filled(QStringLiteral("52"));
}

InterpretationInput input(const ScaleTexts& t, const QString& sex = kMale, int unanswered = 0) {
    InterpretationInput in;
    in.header = QStringLiteral("HEADER");
    in.tScores = t;
    in.sex = sex;
    in.unanswered = unanswered;
    return in;
}

} // namespace

class TestProfileDomain : public QObject {
    Q_OBJECT
private slots:
    void tScoresBySex_data() {
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("expected"); // T of scale 3; "-" when nothing is converted
        QTest::newRow("male") << kMale << "7" << "m7.3";
        QTest::newRow("female, same raw score") << kFemale << "7" << "f7.3";
        QTest::newRow("raw 0") << kMale << "0" << "m0.3";
        QTest::newRow("no row for the raw score") << kFemale << "99" << "";
        QTest::newRow("raw text compared as given") << kMale << " 7" << "";
        QTest::newRow("leading zero is another text") << kMale << "07" << "";
        QTest::newRow("repeated Score: first row wins") << kMale << "5" << "m5.3";
        QTest::newRow("empty sex converts nothing") << "" << "7" << "-";
        QTest::newRow("other sex text converts nothing") << "مرد " << "7" << "-";
    }
    void tScoresBySex() {
        QFETCH(QString, sex);
        QFETCH(QString, raw);
        QFETCH(QString, expected);
        const QList<NormRow> rows{row(QStringLiteral("0")), row(QStringLiteral("5")),
                                  row(QStringLiteral("7")), row(QStringLiteral("5"), QStringLiteral("second"))};
        ScaleTexts raws = filled(QStringLiteral("0"));
        raws[3] = raw;
        const std::optional<ScaleTexts> t = convertToTScores(raws, sex, rows);
        if (expected == QLatin1String("-")) {
            QVERIFY(!t);
            return;
        }
        QVERIFY(t);
        QCOMPARE((*t)[3], expected);
        // Each scale reads its own column of the row of its raw score.
        QCOMPARE((*t)[0], (sex == kMale ? QStringLiteral("m0.0") : QStringLiteral("f0.0")));
        QCOMPARE((*t)[17], (sex == kMale ? QStringLiteral("m0.17") : QStringLiteral("f0.17")));
    }

    void tScoresCopiedAsStored() {
        NormRow r = row(QStringLiteral("3"));
        r.male[0] = QStringLiteral("045.50");
        const std::optional<ScaleTexts> t =
            convertToTScores(filled(QStringLiteral("3")), kMale, QList<NormRow>{r});
        QVERIFY(t);
        QCOMPARE((*t)[0], QStringLiteral("045.50"));
        QVERIFY(convertToTScores(filled(QStringLiteral("3")), kMale, QList<NormRow>{})->at(0).isEmpty());
    }

    // Every cut-off of the scale table: at the cut-off and just below it.
    void scaleLevels_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<double>("t");
        QTest::addColumn<QString>("word"); // empty: no level
        QTest::addColumn<int>("column");
        using namespace interpretation_text;
        struct Cut {
            const char* code;
            double high, average, lowAverage; // 0: the scale has no such level
            int lowColumn;
            bool lowIncludesLastCut;
        };
        const Cut cuts[] = {
            {"Do", 65, 50, 40, 4, false}, {"Cs", 60, 45, 35, 4, false},
            {"Sy", 60, 50, 35, 4, false}, {"Sp", 56, 0, 0, 2, true},
            {"Sa", 65, 50, 35, 4, false}, {"Wb", 55, 35, 0, 3, false},
            {"Re", 60, 40, 0, 3, false},  {"So", 65, 50, 30, 4, false},
            {"Sc", 60, 45, 30, 4, false}, {"To", 60, 45, 0, 3, false},
            {"Gi", 60, 45, 30, 4, false}, {"Cm", 51, 0, 0, 2, true},
            {"Ac", 60, 50, 0, 3, false},  {"Ai", 60, 40, 0, 3, false},
            {"Ie", 60, 40, 0, 3, false},  {"Py", 51, 0, 0, 2, true},
            {"Fx", 65, 50, 35, 4, false}, {"Fe", 70, 60, 40, 4, false},
        };
        for (int s = 0; s < kScaleCount; ++s) {
            const Cut& c = cuts[s];
            const QByteArray code(c.code);
            QTest::newRow(code + " high at cut") << s << c.high << kHigh << 1;
            if (c.lowIncludesLastCut) {
                const double low = c.high - 1;
                QTest::newRow(code + " low at its cut") << s << low << kLow << 2;
                QTest::newRow(code + " gap") << s << low + 0.5 << QString() << 0;
                QTest::newRow(code + " just below the low cut") << s << low - 1 << kLow << 2;
                continue;
            }
            QTest::newRow(code + " below high") << s << c.high - 1 << kAverage << 2;
            QTest::newRow(code + " average at cut") << s << c.average << kAverage << 2;
            if (c.lowAverage > 0) {
                QTest::newRow(code + " below average") << s << c.average - 1 << kLowAverage << 3;
                QTest::newRow(code + " low average at cut") << s << c.lowAverage << kLowAverage << 3;
                QTest::newRow(code + " below low average") << s << c.lowAverage - 1 << kLow << 4;
            } else {
                QTest::newRow(code + " below average") << s << c.average - 1 << kLow << 3;
            }
            QTest::newRow(code + " zero") << s << 0.0 << kLow << c.lowColumn;
        }
    }
    void scaleLevels() {
        QFETCH(int, scale);
        QFETCH(double, t);
        QFETCH(QString, word);
        QFETCH(int, column);
        const std::optional<ScaleLevel> level = scaleLevel(scale, t);
        if (word.isEmpty()) {
            QVERIFY(!level);
            return;
        }
        QVERIFY(level);
        QCOMPARE(level->word, word);
        QCOMPARE(level->column, column);
    }

    void validity_data() {
        using namespace interpretation_text;
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QString>("cm");
        QTest::addColumn<QString>("wb");
        QTest::addColumn<QString>("gi");
        QTest::addColumn<QStringList>("statements");
        QTest::newRow("male Cm 29 Wb 27: random and faking bad")
            << kMale << "29" << "27" << "50" << QStringList{kRandomAnswering, kFakingBad};
        QTest::newRow("female Cm 29 Wb 27: neither") << kFemale << "29" << "27" << "50" << QStringList{};
        QTest::newRow("female Cm 24 Wb 31: both") << kFemale << "24" << "31" << "50"
                                                   << QStringList{kRandomAnswering, kFakingBad};
        QTest::newRow("male Cm 30: none") << kMale << "30" << "20" << "50" << QStringList{};
        QTest::newRow("male Cm 29 Wb 28: random only") << kMale << "29" << "28" << "50"
                                                        << QStringList{kRandomAnswering};
        QTest::newRow("male Gi 70: faking good") << kMale << "50" << "50" << "70" << QStringList{kFakingGood};
        QTest::newRow("male Gi 68: no") << kMale << "50" << "50" << "68" << QStringList{};
        QTest::newRow("female Gi 70: no") << kFemale << "50" << "50" << "70" << QStringList{};
        QTest::newRow("female Gi 71: faking good") << kFemale << "50" << "50" << "71" << QStringList{kFakingGood};
        QTest::newRow("other sex reads the female cut-offs") << "" << "24" << "31" << "71"
            << QStringList{kRandomAnswering, kFakingBad, kFakingGood};
        QTest::newRow("no Cm score: no statement from it") << kMale << "" << "20" << "50" << QStringList{};
        QTest::newRow("Cm not a number: no statement from it") << kMale << "x" << "20" << "50" << QStringList{};
        QTest::newRow("no Wb score: random only") << kMale << "20" << "" << "50" << QStringList{kRandomAnswering};
        QTest::newRow("no Gi score: no faking good") << kMale << "50" << "50" << "" << QStringList{};
    }
    void validity() {
        QFETCH(QString, sex);
        QFETCH(QString, cm);
        QFETCH(QString, wb);
        QFETCH(QString, gi);
        QFETCH(QStringList, statements);
        ScaleTexts t = neutral();
        t[11] = cm;
        t[5] = wb;
        t[10] = gi;
        const QString text = interpret(input(t, sex), paragraphs());
        const QString lead = QStringLiteral("HEADER") + kCrLf + kCrLf +
                             interpretation_text::kDisclaimer + kCrLf;
        QVERIFY(text.startsWith(lead));
        QString expected;
        for (const QString& s : statements)
            expected += s + kCrLf;
        // The statements come right after the disclaimer, before the first heading.
        const QString rest = text.mid(lead.size());
        QCOMPARE(rest.left(rest.indexOf(QStringLiteral("H1"))), expected);
    }

    void unansweredCutOff() {
        using namespace interpretation_text;
        const QString notInterpretable = QStringLiteral("HEADER") + kCrLf + kCrLf + kDisclaimer +
                                         kCrLf + kNotInterpretable + kCrLf;
        QCOMPARE(interpret(input(neutral(), kMale, 31), paragraphs()), notInterpretable);
        QVERIFY(!isInterpretable(31));
        QVERIFY(isInterpretable(30));
        const QString full = interpret(input(neutral(), kMale, 30), paragraphs());
        QVERIFY(full.contains(QStringLiteral("H17")));
        QVERIFY(!full.contains(kNotInterpretable));
    }

    // One constructed case, character for character.
    void wholeText() {
        using namespace interpretation_text;
        ScaleTexts t = neutral();
        t[0] = QStringLiteral("65");  // Do high
        t[1] = QStringLiteral("44");  // Cs low average
        t[2] = QStringLiteral("34");  // Sy low
        t[3] = QStringLiteral("55.5"); // Sp in its gap: nothing
        t[5] = QStringLiteral("27");  // Wb low, faking bad with Cm
        t[10] = QStringLiteral("69"); // Gi high, faking good (male)
        t[11] = QStringLiteral("29"); // Cm low, random answering (male)
        t[15] = QStringLiteral("");   // Py without a score: nothing
        t[17] = QStringLiteral("75"); // Fe high, row 18 for a male subject
        QList<ParagraphRow> rows = paragraphs();
        rows.removeAt(12); // no row 13 (Ac): nothing for Ac
        const QString text = interpret(input(t, kMale, 3), rows);
        QString expected = QStringLiteral("HEADER") + kCrLf + kCrLf + kDisclaimer + kCrLf +
                           kRandomAnswering + kCrLf + kFakingBad + kCrLf + kFakingGood + kCrLf;
        auto add = [&](int id, const QString& word, int column) {
            expected += QStringLiteral("H%1").arg(id) + word + kCrLf +
                        QStringLiteral("P%1.%2").arg(id).arg(column) + kCrLf;
        };
        add(1, kHigh, 1);
        add(2, kLowAverage, 3);
        add(3, kLow, 4);
        add(5, kAverage, 2);   // Sa 52
        add(6, kLow, 3);       // Wb 27
        add(7, kAverage, 2);   // Re 52
        add(8, kAverage, 2);   // So 52
        add(9, kAverage, 2);   // Sc 52
        add(10, kAverage, 2);  // To 52
        add(11, kHigh, 1);     // Gi 69
        add(12, kLow, 2);      // Cm 29
        add(14, kAverage, 2);  // Ai 52
        add(15, kAverage, 2);  // Ie 52
        add(17, kAverage, 2);  // Fx 52
        add(18, kHigh, 1);     // Fe 75, male row
        QCOMPARE(text, expected);
        QCOMPARE(interpret(input(t, kMale, 3), rows), text); // twice: the same text
        // A female subject's Fe comes from row 19 with the same cut-offs.
        QVERIFY(interpret(input(t, kFemale, 3), rows).endsWith(
            QStringLiteral("H19") + kHigh + kCrLf + QStringLiteral("P19.1") + kCrLf));
    }

    void paragraphTextKeptAsStored() {
        QList<ParagraphRow> rows = paragraphs();
        rows[0].paragraphs[1] = QStringLiteral("خط ي\nخط ی\t\u200fك ک");
        rows << rows[0]; // a repeated id: the first row is used
        rows.last().paragraphs[1] = QStringLiteral("second");
        const QString text = interpret(input(neutral()), rows);
        QVERIFY(text.contains(QStringLiteral("H1") + interpretation_text::kAverage + kCrLf +
                              QStringLiteral("خط ي\nخط ی\t\u200fك ک") + kCrLf));
        QVERIFY(!text.contains(QStringLiteral("second")));
    }

    void tValueReading_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value"); // -1: no number
        QTest::newRow("plain") << "45" << 45.0;
        QTest::newRow("blanks and decimals") << " 45.5" << 45.5;
        QTest::newRow("trailing text") << "45x" << 45.0;
        QTest::newRow("empty") << "" << -1.0;
        QTest::newRow("letters") << "x45" << -1.0;
        QTest::newRow("sign only") << "-" << -1.0;
    }
    void tValueReading() {
        QFETCH(QString, text);
        QFETCH(double, value);
        const std::optional<double> v = tValue(text);
        if (value < 0)
            QVERIFY(!v);
        else
            QCOMPARE(*v, value);
    }
};

QTEST_APPLESS_MAIN(TestProfileDomain)
#include "test_profiledomain.moc"
