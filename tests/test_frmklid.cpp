// The scoring window: choosing a subject, the three counts and the warning, the raw
// scores on screen and in IDE, the hand-over to the profile window, leaving.
#include "ui/main/frm1.h"
#include "ui/scoring/frmklid.h"
#include "ui/kit/navigator.h"
#include "scoring/rawscores.h"
#include "data/subjectdb.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpontaneKeyEvent>
#include <QTest>

using namespace hov;
using hovtest::WindowFixture;

namespace {

const QString kIde = QStringLiteral("HOVDB.mdb");
const QString kWarningCaption = QStringLiteral("خطا");
const QString kWarningLead =
    QStringLiteral("شما به سوالات زير را پاسخ نداده ايد") + QStringLiteral("\r\n\r\n");
const QString kNobody = QStringLiteral("فردي با اين مشخصات وجود ندارد");

Subject subjectWith(const QString& code, const QString& sex = QStringLiteral("مرد")) {
    return hovtest::sampleSubject(code, sex);
}

AnswerSheet uniformSheet(const QString& answer) {
    AnswerSheet sheet;
    for (int item = 1; item <= kItemCount; ++item)
        sheet.set(item, answer);
    return sheet;
}

QStringList scoreTexts(const std::array<int, kScaleCount>& scores) {
    QStringList texts;
    for (int score : scores)
        texts << QString::number(score);
    return texts;
}

// The raw scores of a sheet as the scoring key in assets/ gives them, counted here from
// the key file itself (not by the program's scoring): an entry scores when its item's
// answer is exactly its keyed answer, which is all these sheets hold.
QStringList keyedScores(const AnswerSheet& sheet) {
    const QStringList order{"Do", "Cs", "Sy", "Sp", "Sa", "Wb", "Re", "So", "Sc",
                            "To", "Gi", "Cm", "Ac", "Ai", "Ie", "Py", "Fx", "Fe"};
    QList<int> scores(order.size(), 0);
    QFile key(QStringLiteral(HOV_SOURCE_DIR "/assets/scoring-key.csv"));
    if (!key.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    key.readLine(); // heading
    while (!key.atEnd()) {
        const QStringList f = QString::fromUtf8(key.readLine()).trimmed().split(QLatin1Char(','));
        if (f.size() == 3 && sheet.at(f[1].toInt()) == f[2])
            ++scores[order.indexOf(f[0])];
    }
    QStringList out;
    for (int score : scores)
        out << QString::number(score);
    return out;
}

// The raw scores of a result in their text form.
QStringList texts(const ScoringResult& result) {
    QStringList out;
    for (int i = 0; i < kScaleCount; ++i)
        out << result.rawScoreText(i);
    return out;
}

QStringList keyedCounts(bool yes) {
    std::array<int, kScaleCount> scores{};
    for (size_t i = 0; i < scores.size(); ++i)
        scores[i] = yes ? scales()[i].keyedYes : scales()[i].keyedNo;
    return scoreTexts(scores);
}

QStringList zeros() {
    return scoreTexts({});
}

// The list the warning shows for the given unanswered items.
QString listOf(const QList<int>& items) {
    QString list;
    for (int item : items)
        list += QStringLiteral(" %1  ").arg(item);
    return list;
}

} // namespace

class TestFrmkLID : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> fx;
    QPointer<FrmkLID> window;

    SubjectDb db() { return SubjectDb(fx->app.folder()); }

    void registerWith(const Subject& subject, const AnswerSheet& answers) {
        SubjectDb store(fx->app.folder());
        QVERIFY2(store.registerSubject(subject), qPrintable(store.lastError()));
        QVERIFY2(store.writeAllAnswers(subject.code, answers), qPrintable(store.lastError()));
    }

    void openWindow() {
        window = new FrmkLID(fx->app.folder());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }

    void choose(const QString& code) {
        fx->dialogs.queueInput(code);
        QTest::mouseClick(window->Command1, Qt::LeftButton);
        QVERIFY(fx->dialogs.allAnswersUsed());
    }

    QStringList shownScores() const {
        QStringList out;
        for (const QLabel* label : window->SLbl)
            out << label->text();
        return out;
    }

    // The raw scores in IDE, in scale order; Ie lives in column Le.
    QStringList storedScores(const QString& code) {
        QString escaped = code;
        escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
        QStringList out;
        const char* columns[] = {"Do", "Cs", "Sy", "Sp", "Sa", "Wb", "Re", "So", "Sc",
                                 "To", "Gi", "Cm", "Ac", "Ai", "Le", "Py", "Fx", "Fe"};
        for (const char* column : columns)
            out << fx->app
                       .value(kIde,
                              QStringLiteral("SELECT \"%1\" FROM \"IDE\" WHERE \"Code\" = '%2'")
                                  .arg(QLatin1String(column), escaped))
                       .toString();
        return out;
    }

    QStringList counts() const {
        return {window->SkinLblnam->text(), window->SkinLblyes->text(), window->SkinLblno->text()};
    }

    QList<hovtest::Shown> warnings() const {
        QList<hovtest::Shown> out;
        for (const hovtest::Shown& s : fx->dialogs.shown)
            if (s.kind == QLatin1String("message"))
                out << s;
        return out;
    }

private slots:
    void init() {
        fx = std::make_unique<WindowFixture>();
        QVERIFY(fx->app.isValid());
        nav::setAppFolder(fx->app.folder());
        Frm1::installAsMainWindow();
        nav::setMainWindowFactory({});
    }

    void cleanup() {
        delete window;
        QList<QPointer<QWidget>> left;
        for (QWidget* w : QApplication::topLevelWidgets())
            left << w;
        for (const QPointer<QWidget>& w : left)
            delete w.data();
        nav::setMainWindowFactory({});
        fx.reset();
    }

    void opensWithNoResult() {
        openWindow();
        QCOMPARE(window->windowTitle(), QStringLiteral("کليد گذاري"));
        QCOMPARE(window->size(), QSize(779, 504));
        QCOMPARE(window->layoutDirection(), Qt::RightToLeft);
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));

        QStringList labels;
        for (QLabel* l : window->findChildren<QLabel*>())
            if (l->isVisible())
                labels << l->text();
        for (const QString& text :
             {QStringLiteral(" :کد"), QStringLiteral(" :نام"), QStringLiteral(" :نام خانوادگي"),
              QStringLiteral(" :گروه"), QStringLiteral(" :جنس"), QStringLiteral(" :سن"),
              QStringLiteral(" :وضعيت تاهل"), QStringLiteral(" :ميزان تحصيلات"),
              QStringLiteral(" :تاريخ"), QStringLiteral(" :ساعت"),
              QStringLiteral(
                  "مقياس هاي مربوط به تعادل ، سلطه گري ، اعتماد به نفس و خود بسندگي بين فردي "),
              QStringLiteral(
                  "مقياسهاي مربوط به اجتماعي شدن , مسئوليت پذيري , ارزشهاي بين فردي و منش "),
              QStringLiteral("مقياس هاي مربوط به استعداد ، پيشرفت و کارآيي ذهني "),
              QStringLiteral(":تعداد سوالات بدون پاسخ"),
              QStringLiteral(":تعداد سوالات با پاسخ بلي"),
              QStringLiteral(":تعداد سوالات با پاسخ خير")})
            QVERIFY2(labels.contains(text), qPrintable(text));

        QCOMPARE(window->Command1->text(), QStringLiteral("انتخاب آزمودني"));
        QCOMPARE(window->Command3->text(), QStringLiteral("رسم نمودار"));
        QCOMPARE(window->Command4->text(), QStringLiteral(" خروج"));
        QCOMPARE(window->Command2->text(), QStringLiteral("محاسبه"));
        QVERIFY(!window->Command2->isVisible());
        for (const char* hidden :
             {"Text4", "Text5", "Text10", "LblName", "LblAdress", "Image1", "Check1"})
            QVERIFY2(!window->findChild<QWidget*>(QLatin1String(hidden))->isVisible(), hidden);

        QCOMPARE(counts(), QStringList({"0", "0", "0"}));
        QCOMPARE(shownScores(), zeros());
        QVERIFY(window->Text5->text().isEmpty());
        QVERIFY(!window->hasResult());

        // The lists offer the design's values.
        QCOMPARE(window->Combo2->itemText(0), QStringLiteral("مرد"));
        QCOMPARE(window->Combo2->itemText(1), QStringLiteral("زن"));
        QStringList marital;
        for (int i = 0; i < window->Combo1->count(); ++i)
            marital << window->Combo1->itemText(i);
        QCOMPARE(marital, QStringList({QStringLiteral("مجرد"), QStringLiteral("متأهل"),
                                       QStringLiteral("مطلقه"), QStringLiteral("بيوه")}));

        // Before any computation the chart button only explains itself.
        QSignalSpy chart(window.data(), &FrmkLID::chartRequested);
        QTest::mouseClick(window->Command3, Qt::LeftButton);
        QCOMPARE(fx->dialogs.notices(),
                 QStringList{QStringLiteral("ابتدا روي انتخاب آزمودني کليک کرده سپس کد آزمودني را "
                                            "وارد کنيد بعد روي رسم نمودار کليک کنيد ")});
        QCOMPARE(chart.count(), 0);
    }

    void scalesReadLeftToRightBesideTheirHeading() {
        openWindow();
        for (int row = 0; row < 3; ++row) {
            const QWidget* heading =
                window->findChild<QLabel*>(QStringLiteral("Heading%1").arg(row + 1));
            QVERIFY(heading);
            int previousX = -1;
            for (int column = 0; column < 6; ++column) {
                const QString code = QLatin1String(scales()[size_t(row * 6 + column)].code);
                const QLabel* score = window->findChild<QLabel*>(QStringLiteral("SLbl") + code);
                const QLabel* name = window->findChild<QLabel*>(QStringLiteral("LblScale") + code);
                QVERIFY2(score && name, qPrintable(code));
                QCOMPARE(name->text(), code);
                const QPoint at = score->mapTo(window, QPoint(0, 0));
                QVERIFY2(at.x() > previousX, qPrintable(code));
                QVERIFY(name->mapTo(window, QPoint(0, 0)).y() < at.y());
                QVERIFY(heading->mapTo(window, QPoint(0, 0)).x() > at.x());
                previousX = at.x();
            }
        }
        // Right to left: the subject panel is on the right of the scores.
        QVERIFY(window->Text11->mapTo(window, QPoint(0, 0)).x() >
                window->SLbl[5]->mapTo(window, QPoint(0, 0)).x());
    }

    void carriesTheClinicForTheReport() {
        QImage logo(8, 4, QImage::Format_RGB32);
        logo.fill(Qt::red);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        logo.save(&buffer, "PNG");
        QVERIFY(
            fx->app.exec(QStringLiteral("Theme.adz"),
                         QStringLiteral("UPDATE \"Theme\" SET \"Name\" = 'کلينيک آرامش', "
                                        "\"Adress\" = 'تهران', \"Check1\" = 1, \"logo\" = X'%1'")
                             .arg(QString::fromLatin1(png.toHex()))));
        openWindow();
        QCOMPARE(window->clinicName(), QStringLiteral("کلينيک آرامش"));
        QCOMPARE(window->clinicAddress(), QStringLiteral("تهران"));
        QCOMPARE(window->clinicLogo().size(), QSize(8, 4));
        QVERIFY(window->printLogo());
        QCOMPARE(window->LblName->text(), QStringLiteral("کلينيک آرامش"));
    }

    void unreadableClinicIsReported() {
        QVERIFY(fx->app.exec(QStringLiteral("Theme.adz"),
                             QStringLiteral("ALTER TABLE \"Theme\" RENAME TO \"Other\"")));
        openWindow();
        QCOMPARE(fx->dialogs.shown.size(), 1);
        QCOMPARE(fx->dialogs.shown[0].caption, QStringLiteral("خطا"));
        QVERIFY(fx->dialogs.shown[0].text.startsWith(QStringLiteral("مشخصات کلينيک خوانده نشد.")));
        QVERIFY(fx->dialogs.shown[0].text.contains(QStringLiteral("Theme.adz")));
        QVERIFY(window->clinicName().isEmpty());
    }

    void emptyOrCancelledCode_data() {
        QTest::addColumn<QString>("term");
        QTest::newRow("default term") << QString();
        QTest::newRow("clinic's own term") << QStringLiteral("شماره پرونده");
    }
    void emptyOrCancelledCode() {
        QFETCH(QString, term);
        if (!term.isEmpty())
            QVERIFY(fx->app.exec(QStringLiteral("Theme.adz"),
                                 QStringLiteral("UPDATE \"Theme\" SET \"T11\" = '%1'").arg(term)));
        const QString t11 =
            fx->app
                .value(QStringLiteral("Theme.adz"), QStringLiteral("SELECT \"T11\" FROM \"Theme\""))
                .toString();
        registerWith(subjectWith(QStringLiteral("7")), uniformSheet(QStringLiteral("1")));
        openWindow();
        choose(QString()); // a cancelled box answers empty too

        QCOMPARE(fx->dialogs.shown.size(), 2);
        QCOMPARE(fx->dialogs.shown[0].kind, QStringLiteral("input"));
        QCOMPARE(fx->dialogs.shown[0].caption, t11 + QStringLiteral("  را وارد کنيد"));
        QCOMPARE(fx->dialogs.shown[0].text, QStringLiteral(" Enter Code "));
        QCOMPARE(fx->dialogs.notices(), QStringList{QStringLiteral("شما بايد ") + t11 +
                                                    QStringLiteral("  مورد نظر را وارد كنيد ")});
        QVERIFY(window->Text4->text().isEmpty());
        QVERIFY(window->Text11->text().isEmpty());
        QVERIFY(!window->hasResult());
    }

    // Every item answered alike; the counts compare texts exactly, the scores read numbers.
    void countsAndScores_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("expectedCounts");
        QTest::addColumn<QString>("scoring"); // "yes", "no" or "none"

        const QString all = QString::number(kItemCount);
        QTest::newRow("all empty") << QStringLiteral("") << QStringList{all, "0", "0"} << "none";
        QTest::newRow("all null") << QString() << QStringList{all, "0", "0"} << "none";
        QTest::newRow("all 1") << QStringLiteral("1") << QStringList{"0", all, "0"} << "yes";
        QTest::newRow("all 2") << QStringLiteral("2") << QStringList{"0", "0", all} << "no";
        QTest::newRow("blank then 1")
            << QStringLiteral(" 1") << QStringList{"0", "0", "0"} << "yes";
        QTest::newRow("01") << QStringLiteral("01") << QStringList{"0", "0", "0"} << "yes";
        QTest::newRow("02") << QStringLiteral("02") << QStringList{"0", "0", "0"} << "no";
        QTest::newRow("3") << QStringLiteral("3") << QStringList{"0", "0", "0"} << "none";
        QTest::newRow("x") << QStringLiteral("x") << QStringList{"0", "0", "0"} << "none";
        QTest::newRow("very long")
            << QString(10000, QLatin1Char('1')) << QStringList{"0", "0", "0"} << "none";
    }
    void countsAndScores() {
        QFETCH(QString, answer);
        QFETCH(QStringList, expectedCounts);
        QFETCH(QString, scoring);
        registerWith(subjectWith(QStringLiteral("12")), uniformSheet(answer));
        openWindow();
        choose(QStringLiteral("12"));

        const auto expected = scoring == QLatin1String("yes")  ? keyedCounts(true)
                              : scoring == QLatin1String("no") ? keyedCounts(false)
                                                               : zeros();
        QCOMPARE(counts(), expectedCounts);
        QCOMPARE(shownScores(), expected);
        QCOMPARE(storedScores(QStringLiteral("12")), expected);
        QCOMPARE(window->Text5->text(), QStringLiteral("0"));

        const bool unanswered = expectedCounts[0] != QLatin1String("0");
        QCOMPARE(warnings().size(), unanswered ? 1 : 0);
        if (unanswered) {
            QList<int> every;
            for (int item = 1; item <= kItemCount; ++item)
                every << item;
            QCOMPARE(warnings()[0].text, kWarningLead + listOf(every));
        }
    }

    void unansweredListSpacing() {
        AnswerSheet sheet = uniformSheet(QStringLiteral("1"));
        sheet.set(3, QString());
        sheet.set(17, QStringLiteral(""));
        registerWith(subjectWith(QStringLiteral("5")), sheet);
        openWindow();
        bool disabledWhileWarning = false;
        fx->dialogs.onShow = [&](const hovtest::Shown& s) {
            if (s.kind == QLatin1String("message"))
                disabledWhileWarning = !window->Command1->isEnabled() &&
                                       !window->Command3->isEnabled() &&
                                       !window->Command4->isEnabled();
        };
        choose(QStringLiteral("5"));

        QCOMPARE(warnings().size(), 1);
        QCOMPARE(warnings()[0].caption, kWarningCaption);
        QCOMPARE(warnings()[0].text, kWarningLead + QStringLiteral(" 3   17  "));
        QCOMPARE(fx->dialogs.lastIcon, Dialogs::Icon::Warning);
        QVERIFY(disabledWhileWarning);
        for (QPushButton* b : {window->Command1, window->Command3, window->Command4})
            QVERIFY(b->isEnabled());
        QCOMPARE(counts(), QStringList({"2", "478", "0"}));
        // The computation still runs on the answered items.
        QCOMPARE(shownScores(), keyedScores(sheet));
    }

    void iesScoreGoesToColumnLe() {
        registerWith(subjectWith(QStringLiteral("9")), uniformSheet(QStringLiteral("1")));
        openWindow();
        choose(QStringLiteral("9"));
        const int ie = scaleIndex(u"Ie");
        QCOMPARE(window->SLbl[size_t(ie)]->objectName(), QStringLiteral("SLblIe"));
        QCOMPARE(
            fx->app.value(kIde, QStringLiteral("SELECT \"Le\" FROM \"IDE\" WHERE \"Code\" = '9'"))
                .toString(),
            QString::number(scales()[size_t(ie)].keyedYes));
    }

    void subjectWithoutAnswerRows() {
        registerWith(subjectWith(QStringLiteral("44")), uniformSheet(QStringLiteral("1")));
        for (const char* table : {"Answer1", "Answer2", "Answer3"})
            QVERIFY(
                fx->app.exec(kIde, QStringLiteral("DELETE FROM \"%1\"").arg(QLatin1String(table))));
        openWindow();
        choose(QStringLiteral("44"));

        for (const char* table : {"Answer1", "Answer2", "Answer3"}) {
            QCOMPARE(
                fx->app
                    .value(kIde, QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE \"Code\" = '44'")
                                     .arg(QLatin1String(table)))
                    .toInt(),
                1);
            const int first = (table[6] - '1') * 160 + 1;
            QCOMPARE(fx->app.value(kIde, QStringLiteral("SELECT \"%1\" FROM \"%2\"")
                                             .arg(first + 17)
                                             .arg(QLatin1String(table))),
                     QVariant(QMetaType(QMetaType::QString)));
        }
        QCOMPARE(counts(), QStringList({"480", "0", "0"}));
        QCOMPARE(shownScores(), zeros());
        QCOMPARE(storedScores(QStringLiteral("44")), zeros());
        QCOMPARE(warnings().size(), 1);
        QVERIFY(warnings()[0].text.endsWith(QStringLiteral(" 479   480  ")));
    }

    void codeWithApostrophe() {
        const QString code = QStringLiteral("O'Neil");
        registerWith(subjectWith(code), uniformSheet(QStringLiteral("2")));
        registerWith(subjectWith(QStringLiteral("O")), uniformSheet(QStringLiteral("1")));
        openWindow();
        choose(code);
        QCOMPARE(window->Text11->text(), code);
        QCOMPARE(counts(), QStringList({"0", "0", "480"}));
        QCOMPARE(storedScores(code), keyedCounts(false));
        QCOMPARE(storedScores(QStringLiteral("O")), QStringList(kScaleCount, QString()));
    }

    void twoSubjectsInARow() {
        AnswerSheet second = uniformSheet(QStringLiteral("2"));
        second.set(3, QString());
        second.set(17, QString());
        registerWith(subjectWith(QStringLiteral("1"), QStringLiteral("مرد")),
                     uniformSheet(QStringLiteral("1")));
        registerWith(subjectWith(QStringLiteral("2"), QStringLiteral("زن")), second);
        openWindow();
        choose(QStringLiteral("1"));
        QCOMPARE(counts(), QStringList({"0", "480", "0"}));
        choose(QStringLiteral("2"));

        // Every count and score starts again from zero.
        QCOMPARE(counts(), QStringList({"2", "0", "478"}));
        QCOMPARE(shownScores(), keyedScores(second));
        QCOMPARE(storedScores(QStringLiteral("2")), keyedScores(second));
        QCOMPARE(storedScores(QStringLiteral("1")), keyedCounts(true));
        QCOMPARE(window->Text11->text(), QStringLiteral("2"));
        QCOMPARE(window->Text10->text(), QStringLiteral("زن"));
        QCOMPARE(window->result().subject.code, QStringLiteral("2"));
    }

    void resultExposesWhatTheProfileReads() {
        const Subject subject = subjectWith(QStringLiteral("21"), QStringLiteral("زن"));
        AnswerSheet sheet = uniformSheet(QStringLiteral("1"));
        sheet.set(10, QString());
        sheet.set(11, QStringLiteral("2"));
        registerWith(subject, sheet);
        openWindow();
        choose(QStringLiteral("21"));

        QSignalSpy chart(window.data(), &FrmkLID::chartRequested);
        QTest::mouseClick(window->Command3, Qt::LeftButton);
        QCOMPARE(chart.count(), 1);
        QVERIFY(window->hasResult());
        const ScoringResult r = window->result();
        QCOMPARE(r.subject.code, subject.code);
        QCOMPARE(r.subject.firstName, subject.firstName);
        QCOMPARE(r.subject.lastName, subject.lastName);
        QCOMPARE(r.subject.group, subject.group);
        QCOMPARE(r.subject.sex, QStringLiteral("زن"));
        QCOMPARE(r.subject.age, subject.age);
        QCOMPARE(r.subject.marital, subject.marital);
        QCOMPARE(r.subject.education, subject.education);
        QCOMPARE(r.subject.date, subject.date);
        QCOMPARE(r.unanswered, 1);
        QCOMPARE(r.yes, 478);
        QCOMPARE(r.no, 1);
        QCOMPARE(texts(r), shownScores());
        QCOMPARE(texts(r), keyedScores(sheet));
        // The panel shows the same row.
        QCOMPARE(window->Text6->text(), subject.firstName);
        QCOMPARE(window->Combo3->currentText(), subject.group);
        QCOMPARE(window->Combo2->currentText(), QStringLiteral("زن"));
        QCOMPARE(window->Combo1->currentText(), subject.marital);
        QCOMPARE(window->Text9->text(), subject.time);
    }

    // Long registration values show their beginning, which is where a reader starts.
    void longValuesShowTheirBeginning() {
        const QString code = QStringLiteral("1402-").repeated(8);
        Subject s = subjectWith(code);
        s.firstName = QStringLiteral("محمد ").repeated(10);
        s.lastName = QStringLiteral("رضايي نژاد ").repeated(10);
        s.marital = QStringLiteral("متأهل ").repeated(10);
        s.education = QStringLiteral("كارشناسي ارشد ").repeated(10);
        registerWith(s, uniformSheet(QStringLiteral("1")));
        openWindow();
        choose(code);
        QCOMPARE(window->Text3->text(), s.lastName);
        for (QLineEdit* edit : window->findChildren<QLineEdit*>())
            if (edit->isVisible())
                QVERIFY2(edit->cursorPosition() == 0 && !edit->hasSelectedText(),
                         qPrintable(edit->text()));
        QCOMPARE(QApplication::focusWidget(), window->Command1);
    }

    void unknownCodeKeepsTheEarlierResult() {
        registerWith(subjectWith(QStringLiteral("8"), QStringLiteral("زن")),
                     uniformSheet(QStringLiteral("2")));
        openWindow();
        choose(QStringLiteral("8"));
        fx->dialogs.clear();
        choose(QStringLiteral("08"));

        QCOMPARE(fx->dialogs.notices(), QStringList{kNobody});
        QCOMPARE(window->Text4->text(), QStringLiteral("08"));
        QCOMPARE(window->Text11->text(), QStringLiteral("8"));
        QCOMPARE(counts(), QStringList({"0", "0", "480"}));
        QCOMPARE(shownScores(), keyedCounts(false));
        for (QPushButton* b : {window->Command1, window->Command3, window->Command4})
            QVERIFY(b->isEnabled());
        QCOMPARE(fx->app
                     .value(kIde, QStringLiteral(
                                      "SELECT COUNT(*) FROM \"Answer1\" WHERE \"Code\" = '08'"))
                     .toInt(),
                 0);

        QSignalSpy chart(window.data(), &FrmkLID::chartRequested);
        QTest::mouseClick(window->Command3, Qt::LeftButton);
        QCOMPARE(chart.count(), 1);
        QCOMPARE(window->result().subject.code, QStringLiteral("8"));
        QCOMPARE(window->result().subject.sex, QStringLiteral("زن"));
        QCOMPARE(texts(window->result()), keyedCounts(false));
    }

    void listPickDoesNotChangeTheSubject() {
        Subject subject = subjectWith(QStringLiteral("3"));
        subject.marital = QStringLiteral("نامعلوم"); // stored text outside the list
        registerWith(subject, uniformSheet(QStringLiteral("1")));
        openWindow();
        choose(QStringLiteral("3"));
        window->Combo2->setCurrentIndex(1);
        emit window->Combo2->activated(1);
        QCOMPARE(window->Combo2->currentText(), QStringLiteral("مرد"));
        QCOMPARE(window->result().subject.sex, QStringLiteral("مرد"));

        // Keys on a list neither change the value shown nor add it to the list.
        QCOMPARE(window->Combo1->currentText(), subject.marital);
        window->Combo1->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Down, Qt::Key_Up}) {
            QTest::keyClick(window->Combo1, key);
            QCOMPARE(window->Combo1->currentText(), subject.marital);
            QCOMPARE(window->Combo1->count(), 4);
        }
    }

    // A lookup that failed is not "nobody has this code": the operator reads why, in
    // Persian, and the window keeps what it showed.
    void failedLookupIsNotNobody() {
        registerWith(subjectWith(QStringLiteral("1")), uniformSheet(QStringLiteral("1")));
        openWindow();
        choose(QStringLiteral("1"));
        QVERIFY(fx->app.exec(kIde, QStringLiteral("DROP TABLE \"IDE\"")));
        fx->dialogs.clear();
        choose(QStringLiteral("1"));
        QVERIFY(!fx->dialogs.notices().contains(kNobody));
        QCOMPARE(warnings().size(), 1);
        QCOMPARE(warnings()[0].caption, kWarningCaption);
        QVERIFY(warnings()[0].text.contains(QStringLiteral("HOVDB.mdb")));
        QVERIFY(warnings()[0].details.contains(QStringLiteral("no such table")));
        QCOMPARE(window->Text11->text(), QStringLiteral("1"));
        QVERIFY(window->Command1->isEnabled());
    }

    void unreadableAnswersStoreNothing() {
        registerWith(subjectWith(QStringLiteral("1")), uniformSheet(QStringLiteral("1")));
        registerWith(subjectWith(QStringLiteral("2"), QStringLiteral("زن")),
                     uniformSheet(QStringLiteral("2")));
        openWindow();
        choose(QStringLiteral("1"));
        QVERIFY(fx->app.exec(
            kIde, QStringLiteral("UPDATE \"IDE\" SET \"Do\" = '17' WHERE \"Code\" = '2'")));
        QVERIFY(fx->app.exec(kIde, QStringLiteral("DROP TABLE \"Answer2\"")));
        fx->dialogs.clear();
        choose(QStringLiteral("2"));

        QCOMPARE(warnings().size(), 1);
        QCOMPARE(warnings()[0].caption, kWarningCaption);
        QCOMPARE(
            fx->app.value(kIde, QStringLiteral("SELECT \"Do\" FROM \"IDE\" WHERE \"Code\" = '2'"))
                .toString(),
            QStringLiteral("17"));
        QCOMPARE(window->Text11->text(), QStringLiteral("1"));
        QCOMPARE(shownScores(), keyedCounts(true));
        QCOMPARE(window->result().subject.code, QStringLiteral("1"));
        QVERIFY(window->Command1->isEnabled());

        // The answer fields still hold the shown subject's answers: computing again
        // gives that subject's scores, not the half-read ones of the other.
        fx->dialogs.clear();
        window->Command2->click();
        QCOMPARE(shownScores(), keyedCounts(true));
        QCOMPARE(storedScores(QStringLiteral("1")), keyedCounts(true));
        QVERIFY(warnings().isEmpty());
    }

    void missingScoreColumnLosesOnlyThatScore() {
        QVERIFY(fx->app.exec(kIde, QStringLiteral("ALTER TABLE \"IDE\" DROP COLUMN \"Le\"")));
        registerWith(subjectWith(QStringLiteral("6")), uniformSheet(QStringLiteral("1")));
        openWindow();
        choose(QStringLiteral("6"));

        // The operator is told; the other 17 scores are stored and the chart still works.
        QCOMPARE(warnings().size(), 1);
        QCOMPARE(warnings()[0].caption, kWarningCaption);
        QCOMPARE(
            fx->app.value(kIde, QStringLiteral("SELECT \"Fe\" FROM \"IDE\" WHERE \"Code\" = '6'"))
                .toString(),
            QString::number(scales()[17].keyedYes));
        QCOMPARE(shownScores(), keyedCounts(true));
        QVERIFY(window->hasResult());
    }

    void leavingShowsAFreshMainWindow() {
        openWindow();
        QTest::mouseClick(window->Command4, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
        QList<Frm1*> mains;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<Frm1*>(w); m && m->isVisible())
                mains << m;
        QCOMPARE(mains.size(), 1);
        QCOMPARE(mains[0]->Text3->text(), QStringLiteral("2"));
    }

    void titleBarCloseAlsoLeads() {
        int shown = 0;
        nav::setMainWindowFactory([&] {
            ++shown;
            return nullptr;
        });
        // The program closing its windows (at its end) brings no main window back.
        openWindow();
        window->close();
        QCOMPARE(shown, 0);
        // The operator's close box does, as " خروج" does.
        openWindow();
        QCloseEvent fromTitleBar;
        QSpontaneKeyEvent::setSpontaneous(&fromTitleBar);
        static_cast<QObject*>(window.data())->event(&fromTitleBar);
        QCOMPARE(shown, 1);
    }

    void mainWindowOpensIt() {
        auto* main = new Frm1(fx->app.folder());
        main->show();
        QSignalSpy exitShown(main, &Frm1::exitWindowShown);
        QTest::mouseClick(main->Command3, Qt::LeftButton);
        auto scoringWindows = [] {
            QList<FrmkLID*> out;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* k = qobject_cast<FrmkLID*>(w); k && k->isVisible())
                    out << k;
            return out;
        };
        // Nobody registered: nothing happens.
        QVERIFY(scoringWindows().isEmpty());
        QVERIFY(main->isVisible());

        // A subject registered elsewhere after the main window loaded is seen.
        registerWith(subjectWith(QStringLiteral("1")), uniformSheet(QStringLiteral("1")));
        QPointer<Frm1> guard(main);
        QTest::mouseClick(main->Command3, Qt::LeftButton);
        QCOMPARE(scoringWindows().size(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guard.isNull() || !guard->isVisible());
        QCOMPARE(exitShown.count(), 0);
    }
};

QTEST_MAIN(TestFrmkLID)
#include "test_frmklid.moc"
