#include "ui/answersheet/answersheetbox.h"
#include "ui/answersheet/answersheetpage.h"
#include "ui/answersheet/frmpas2.h"
#include "data/settingsdb.h"
#include "data/subjectdb.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <memory>

using namespace hov;

namespace {

const QString kSaved = QStringLiteral("تغييرات با موفقيت ذخيره گرديد");
const QString kEnterNumber = QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد");
const QString kNoSubject = QStringLiteral("فردي با اين مشخصات وجود ندارد");

// One window over a private folder with registered subjects.
struct Sheet {
    hovtest::WindowFixture fx;
    std::unique_ptr<Frmpas2> w;

    Sheet() { QVERIFY(fx.app.isValid()); }
    AppFolder folder() const { return fx.app.folder(); }

    void add(const QString& code, const QString& first = QStringLiteral("علي"),
             const QString& last = QStringLiteral("رضايي")) {
        Subject s = hovtest::sampleSubject(code);
        s.firstName = first;
        s.lastName = last;
        QVERIFY(SubjectDb(folder()).registerSubject(s));
    }
    void setStored(const QString& code, int item, const QString& sqlValue) {
        QVERIFY(fx.app.exec(
            QStringLiteral("HOVDB.mdb"),
            QStringLiteral("UPDATE \"Answer%1\" SET \"%2\" = %3 WHERE \"Code\" = '%4'")
                .arg(answerTableOf(item) + 1)
                .arg(item)
                .arg(sqlValue, QString(code).replace(QLatin1Char('\''), QStringLiteral("''")))));
    }
    AnswerSheet stored(const QString& code) const { return SubjectDb(folder()).loadAnswers(code); }

    void open() {
        w = std::make_unique<Frmpas2>(folder());
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    void choose(const QString& code) {
        w->Text4->setText(code);
        QTest::keyClick(w->Text4, Qt::Key_Return);
    }
    QWidget* focus() const { return QApplication::focusWidget(); }
    int focusItem() const {
        auto* box = qobject_cast<AnswerSheetBox*>(focus());
        return box ? box->item() : 0;
    }
    void key(char c) { QTest::keyClick(focus(), c); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(focus(), k, m);
    }
    void type(const char* digits) {
        for (const char* c = digits; *c; ++c)
            key(*c);
    }
    // Puts the focus in an item's box, showing its page with the page buttons.
    void goTo(int item) {
        while (w->shownPage() != Frmpas2::pageOf(item))
            (w->shownPage() < Frmpas2::pageOf(item) ? w->Cmdnext : w->Cmdback)->click();
        w->entryBox(item)->setFocus();
        QCOMPARE(focusItem(), item);
    }
    QList<int> visiblePages() const {
        QList<int> pages;
        for (int p = 1; p <= Frmpas2::kPageCount; ++p)
            if (w->page(p)->isVisible())
                pages << p;
        return pages;
    }
};

QString answerFor(char key) {
    return key == '0' ? QString() : QString(QLatin1Char(key));
}

// Stored text as the operator means it: null and "" are both no answer.
QString meaning(const QString& value) {
    return value.isEmpty() ? QString() : value;
}

} // namespace

class TestFrmpas2 : public QObject {
    Q_OBJECT
private slots:
    void wholeSheetTypedWithKeys();
    void keysInABox_data();
    void keysInABox();
    void typingAtPageEnds_data();
    void typingAtPageEnds();
    void pageButtons_data();
    void pageButtons();
    void saveWritesWithItsMessage();
    void saveWithoutAChosenSubjectSaysSo();
    void subjectCodes_data();
    void subjectCodes();
    void subjectWithoutAnswerRows();
    void storedValuesKeptUnlessTypedOver();
    void pendingEntriesWrittenOnLeaving_data();
    void pendingEntriesWrittenOnLeaving();
    void rowsWrittenAreThoseOfTheNameBox();
    void pastedText_data();
    void pastedText();
    void queuedKeysLoseNothing();
    void failedWritesAreReported();
    void pagesLookLikeTheSheet();
    void secondEntryShowsAndSettlesDifferences();
    void leavingSecondEntryWithOpenItemsAsks();
};

// A whole sheet typed from the keyboard: every digit lands in its column, the page
// follows the cursor, and the rows reach the file at every 20th entry and not before.
void TestFrmpas2::wholeSheetTypedWithKeys() {
    Sheet s;
    s.add(QStringLiteral("E1"));
    s.open();
    QVERIFY(s.visiblePages().isEmpty());
    s.w->Text4->setFocus();
    QTest::keyClicks(s.w->Text4, QStringLiteral("E1"));
    QTest::keyClick(s.w->Text4, Qt::Key_Return);
    QCOMPARE(s.w->Text10->text(), QStringLiteral("علي رضايي"));
    QCOMPARE(s.visiblePages(), QList<int>{1});
    QCOMPARE(s.focusItem(), 1);

    std::array<QString, kItemCount> expected; // in memory
    std::array<QString, kItemCount> written;  // in the file
    int counted = 0;
    SubjectDb reader(s.folder()); // reads the file at every call
    auto checkFile = [&](int item) {
        const AnswerSheet file = reader.loadAnswers(QStringLiteral("E1"));
        for (int i = 1; i <= kItemCount; ++i)
            if (meaning(file.at(i)) != written[static_cast<size_t>(i - 1)]) {
                QFAIL(qPrintable(
                    QStringLiteral("after item %1: item %2 is \"%3\" in the file, \"%4\" expected")
                        .arg(item)
                        .arg(i)
                        .arg(file.at(i), written[static_cast<size_t>(i - 1)])));
            }
    };
    auto typeItem = [&](int item, char digit) {
        QCOMPARE(s.focusItem(), item);
        s.key(digit);
        expected[static_cast<size_t>(item - 1)] = answerFor(digit);
        QCOMPARE(s.w->entryBox(item)->text(), QString(QLatin1Char(digit)));
        if (item < kItemCount && ++counted % Frmpas2::kEntriesPerWrite == 0)
            written = expected;
        checkFile(item);
    };
    const char pattern[] = "1210221102";
    for (int item = 1; item <= kItemCount; ++item) {
        typeItem(item, pattern[item % 10]);
        if (QTest::currentTestFailed())
            return;
        if (item == 160 || item == 320)
            QCOMPARE(s.visiblePages(), QList<int>{Frmpas2::pageOf(item + 1)});
        if (item == 45 || item == 250) {
            // A correction with keys only: back one box, clear it, type it anew.
            s.key(Qt::Key_Backtab);
            QCOMPARE(s.focusItem(), item);
            s.key(Qt::Key_Backspace);
            QCOMPARE(s.focusItem(), item);
            QVERIFY(s.w->entryBox(item)->text().isEmpty());
            expected[static_cast<size_t>(item - 1)] = QString();
            checkFile(item);
            typeItem(item, '2');
        }
    }
    QCOMPARE(s.focusItem(), kItemCount);
    QVERIFY(s.w->hasPendingEntries());
    s.w->Command1->click();
    QCOMPARE(s.fx.dialogs.notices(), QStringList{kSaved});
    written = expected;
    checkFile(kItemCount);
    QCOMPARE(s.fx.shell.beeps, 0);
}

void TestFrmpas2::keysInABox_data() {
    QTest::addColumn<QString>("before"); // SQL value of item 5
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text"); // key text, when not the key's own
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("focusAfter");
    QTest::addColumn<int>("beeps");
    const int none = Qt::NoModifier;
    QTest::newRow("1 on empty") << "NULL" << int(Qt::Key_1) << none << ""
                                << "1"
                                << "1" << 6 << 0;
    QTest::newRow("2 on empty") << "''" << int(Qt::Key_2) << none << ""
                                << "2"
                                << "2" << 6 << 0;
    QTest::newRow("0 on empty") << "NULL" << int(Qt::Key_0) << none << ""
                                << ""
                                << "0" << 6 << 0;
    QTest::newRow("0 over 1") << "'1'" << int(Qt::Key_0) << none << ""
                              << ""
                              << "0" << 6 << 0;
    QTest::newRow("0 over 2") << "'2'" << int(Qt::Key_0) << none << ""
                              << ""
                              << "0" << 6 << 0;
    QTest::newRow("2 over 1") << "'1'" << int(Qt::Key_2) << none << ""
                              << "2"
                              << "2" << 6 << 0;
    QTest::newRow("keypad 1") << "'2'" << int(Qt::Key_1) << int(Qt::KeypadModifier) << ""
                              << "1"
                              << "1" << 6 << 0;
    QTest::newRow("Backspace over 2") << "'2'" << int(Qt::Key_Backspace) << none << ""
                                      << ""
                                      << "" << 5 << 0;
    QTest::newRow("Delete over 1") << "'1'" << int(Qt::Key_Delete) << none << ""
                                   << ""
                                   << "" << 5 << 0;
    QTest::newRow("Backspace on empty") << "NULL" << int(Qt::Key_Backspace) << none << ""
                                        << ""
                                        << "" << 5 << 0;
    struct Refused {
        const char* name;
        int key;
        int modifiers;
        QString text;
    };
    const Refused refused[] = {
        {"letter", Qt::Key_A, none, QStringLiteral("a")},
        {"digit 3", Qt::Key_3, none, QStringLiteral("3")},
        {"digit 9", Qt::Key_9, none, QStringLiteral("9")},
        {"blank", Qt::Key_Space, none, QStringLiteral(" ")},
        {"Persian one", Qt::Key_unknown, none, QStringLiteral("۱")},
        {"Arabic-Indic two", Qt::Key_unknown, none, QStringLiteral("٢")},
        {"Enter", Qt::Key_Return, none, QStringLiteral("\r")},
        {"Escape", Qt::Key_Escape, none, QStringLiteral("\x1b")},
        {"minus", Qt::Key_Minus, none, QStringLiteral("-")},
        {"Ctrl+V", Qt::Key_V, int(Qt::ControlModifier), QStringLiteral("\x16")},
        {"Ctrl+Z without text", Qt::Key_Z, int(Qt::ControlModifier), QString()},
        {"Shift+Insert", Qt::Key_Insert, int(Qt::ShiftModifier), QString()},
    };
    for (const Refused& r : refused)
        QTest::newRow(r.name) << "'1'" << r.key << r.modifiers << r.text << "1"
                              << "1" << 5 << 1;
}

// The digit mapping and the keys refused with a beep alone.
void TestFrmpas2::keysInABox() {
    QFETCH(QString, before);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(int, focusAfter);
    QFETCH(int, beeps);
    Sheet s;
    s.add(QStringLiteral("K"));
    s.setStored(QStringLiteral("K"), 5, before);
    s.open();
    s.choose(QStringLiteral("K"));
    s.goTo(5);
    const auto mods = Qt::KeyboardModifiers(modifiers);
    QString keyText = text;
    if (keyText.isEmpty() && !(mods & Qt::ControlModifier) && !(mods & Qt::ShiftModifier) &&
        key >= Qt::Key_0 && key <= Qt::Key_9)
        keyText = QString(QChar(key));
    QKeyEvent press(QEvent::KeyPress, key, mods, keyText);
    QKeyEvent release(QEvent::KeyRelease, key, mods, keyText);
    QApplication::sendEvent(s.focus(), &press);
    QApplication::sendEvent(s.focus(), &release);

    QCOMPARE(s.w->entryBox(5)->text(), shown);
    QCOMPARE(s.focusItem(), focusAfter);
    QCOMPARE(s.fx.shell.beeps, beeps);
    QVERIFY(s.w->isVisible());
    s.w->Command1->click();
    QCOMPARE(s.fx.dialogs.notices(), QStringList{kSaved}); // nothing but the write's own
    QCOMPARE(meaning(s.stored(QStringLiteral("K")).at(5)), meaning(stored));
}

void TestFrmpas2::typingAtPageEnds_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<int>("focusAfter");
    QTest::addColumn<QString>("counter");
    QTest::addColumn<QString>("pageNumber");
    QTest::newRow("159") << 159 << QList<int>{1} << 160 << "1"
                         << "1";
    QTest::newRow("160 shows page 2") << 160 << QList<int>{2} << 161 << "1"
                                      << "1";
    QTest::newRow("320 shows page 3") << 320 << QList<int>{3} << 321 << "1"
                                      << "2";
    QTest::newRow("480 stays") << 480 << QList<int>{3} << 480 << "0"
                               << "3";
}

// The page follows the cursor; the page number follows the page buttons alone.
void TestFrmpas2::typingAtPageEnds() {
    QFETCH(int, item);
    QFETCH(QList<int>, pages);
    QFETCH(int, focusAfter);
    QFETCH(QString, counter);
    QFETCH(QString, pageNumber);
    Sheet s;
    s.add(QStringLiteral("P"));
    s.open();
    s.choose(QStringLiteral("P"));
    s.goTo(item);
    s.key('1');
    QCOMPARE(s.visiblePages(), pages);
    QCOMPARE(s.focusItem(), focusAfter);
    QCOMPARE(s.w->Text13->text(), counter);
    QCOMPARE(s.w->Text3->text(), pageNumber);
    QVERIFY(s.fx.dialogs.shown.isEmpty());
}

void TestFrmpas2::pageButtons_data() {
    QTest::addColumn<int>("startPage");
    QTest::addColumn<bool>("next");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("pageAfter");
    QTest::addColumn<QStringList>("notices");
    const QString code = QStringLiteral("B");
    QTest::newRow("back on page 1") << 1 << false << 0 << code << 1 << QStringList();
    QTest::newRow("back on page 1, pending") << 1 << false << 3 << code << 1 << QStringList{kSaved};
    QTest::newRow("next on page 3") << 3 << true << 0 << code << 3 << QStringList();
    QTest::newRow("next on page 3, pending") << 3 << true << 2 << code << 3 << QStringList{kSaved};
    QTest::newRow("next from 1, pending") << 1 << true << 1 << code << 2 << QStringList{kSaved};
    QTest::newRow("back from 2") << 2 << false << 0 << code << 1 << QStringList();
    QTest::newRow("empty code box")
        << 2 << true << 2 << QString() << 2 << QStringList{kEnterNumber};
}

void TestFrmpas2::pageButtons() {
    QFETCH(int, startPage);
    QFETCH(bool, next);
    QFETCH(int, entries);
    QFETCH(QString, code);
    QFETCH(int, pageAfter);
    QFETCH(QStringList, notices);
    Sheet s;
    s.add(QStringLiteral("B"));
    s.open();
    s.choose(QStringLiteral("B"));
    const int first = (startPage - 1) * Frmpas2::kItemsPerPage + 1;
    s.goTo(first);
    for (int i = 0; i < entries; ++i)
        s.key('2');
    s.w->Text4->setText(code);
    (next ? s.w->Cmdnext : s.w->Cmdback)->click();
    QCOMPARE(s.visiblePages(), QList<int>{pageAfter});
    QCOMPARE(s.fx.dialogs.notices(), notices);
    const bool written = notices == QStringList{kSaved};
    const AnswerSheet file = s.stored(QStringLiteral("B"));
    for (int i = 0; i < entries; ++i)
        QCOMPARE(meaning(file.at(first + i)), written ? QStringLiteral("2") : QString());
    QCOMPARE(s.w->Text13->text(), code.isEmpty() ? QString::number(entries) : QStringLiteral("0"));
}

// "ذخيره" writes with its message and leaves the count of entries as it is.
void TestFrmpas2::saveWritesWithItsMessage() {
    Sheet s;
    s.add(QStringLiteral("S"));
    s.open();
    s.choose(QStringLiteral("S"));
    s.type("1221");
    s.w->Command1->click();
    QCOMPARE(s.fx.dialogs.notices(), QStringList{kSaved});
    QCOMPARE(s.stored(QStringLiteral("S")).at(4), QStringLiteral("1"));
    QCOMPARE(s.w->Text13->text(), QStringLiteral("4"));
    // The count goes on from there: 16 more entries make the silent write.
    s.type("2222222222222221");
    QCOMPARE(s.fx.dialogs.notices(), QStringList{kSaved});
    QCOMPARE(s.stored(QStringLiteral("S")).at(20), QStringLiteral("1"));
    QCOMPARE(s.w->Text13->text(), QStringLiteral("0"));

    s.fx.dialogs.clear();
    s.type("1");
    s.w->Text4->clear();
    s.w->Command1->click();
    QCOMPARE(s.fx.dialogs.notices(), QStringList{kEnterNumber});
    QVERIFY(s.stored(QStringLiteral("S")).at(21).isEmpty());
}

// A code typed but never looked up: "ذخيره" writes nothing and must not say it did.
void TestFrmpas2::saveWithoutAChosenSubjectSaysSo() {
    Sheet s;
    s.add(QStringLiteral("S"));
    s.open();
    s.w->Text4->setText(QStringLiteral("S"));
    s.w->Command1->click();
    QCOMPARE(s.fx.dialogs.notices().size(), 1);
    QVERIFY(s.fx.dialogs.notices().first() != kSaved);
    QVERIFY(s.fx.dialogs.notices().first().contains(QStringLiteral("آزمودني انتخاب نشده")));
}

void TestFrmpas2::subjectCodes_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name"); // empty: not found
    QTest::newRow("plain") << "7"
                           << "seven";
    QTest::newRow("leading zero added") << "07"
                                        << "";
    QTest::newRow("trailing blank added") << "7 "
                                          << "";
    QTest::newRow("apostrophe") << "O'Brien"
                                << "obrien";
    QTest::newRow("apostrophe doubled") << "O''Brien"
                                        << "";
    QTest::newRow("other case") << "o'brien"
                                << "";
    QTest::newRow("leading blank kept") << " 12"
                                        << "twelve";
    QTest::newRow("leading blank dropped") << "12"
                                           << "";
    QTest::newRow("leading zeros kept") << "007"
                                        << "bond";
    QTest::newRow("one zero more") << "0007"
                                   << "";
    QTest::newRow("quote and semicolon") << "1'; DROP TABLE \"IDE\"; --"
                                         << "";
}

// Codes are found exactly as typed or not at all; a code not found creates nothing.
void TestFrmpas2::subjectCodes() {
    QFETCH(QString, typed);
    QFETCH(QString, name);
    Sheet s;
    s.add(QStringLiteral("7"), QStringLiteral("seven"), QStringLiteral("x"));
    s.add(QStringLiteral("O'Brien"), QStringLiteral("obrien"), QStringLiteral("x"));
    s.add(QStringLiteral(" 12"), QStringLiteral("twelve"), QStringLiteral("x"));
    s.add(QStringLiteral("007"), QStringLiteral("bond"), QStringLiteral("x"));
    s.open();
    s.choose(typed);
    SubjectDb db(s.folder());
    if (name.isEmpty()) {
        QCOMPARE(s.fx.dialogs.notices(), QStringList{kNoSubject});
        QVERIFY(s.visiblePages().isEmpty());
        QVERIFY(!s.w->attachedCode());
        QCOMPARE(db.subjectCount(), 4);
        for (int table = 0; table < kAnswerTableCount; ++table) {
            QCOMPARE(db.hasAnswerRow(typed, table), Lookup::NotFound);
            QCOMPARE(db.answerRowCount(table), 4);
        }
    } else {
        QVERIFY(s.fx.dialogs.shown.isEmpty());
        QCOMPARE(s.w->Text10->text(), name + QStringLiteral(" x"));
        QCOMPARE(s.w->attachedCode(), std::optional<QString>(typed));
        s.key('1');
        s.w->Command1->click();
        QCOMPARE(db.loadAnswers(typed).at(1), QStringLiteral("1"));
    }
}

// A subject with no answer rows gets three empty ones; an empty code box asks for the
// code in the clinic's own term.
void TestFrmpas2::subjectWithoutAnswerRows() {
    Sheet s;
    QVERIFY(s.fx.app.exec(
        QStringLiteral("HOVDB.mdb"),
        QStringLiteral(
            "INSERT INTO \"IDE\" (\"Code\", \"FName\", \"LName\") VALUES ('N', 'a', 'b')")));
    s.open();
    s.choose(QString());
    const QString term = SettingsDb(s.folder()).load().subjectTerm;
    QCOMPARE(s.fx.dialogs.notices(), QStringList{QStringLiteral("شما بايد ") + term +
                                                 QStringLiteral("  مورد نظر را وارد كنيد ")});
    QVERIFY(s.visiblePages().isEmpty());

    s.choose(QStringLiteral("N"));
    SubjectDb db(s.folder());
    for (int table = 0; table < kAnswerTableCount; ++table)
        QCOMPARE(db.hasAnswerRow(QStringLiteral("N"), table), Lookup::Found);
    for (int item = 1; item <= kItemCount; ++item)
        QVERIFY(s.w->entryBox(item)->text().isEmpty());
    QCOMPARE(s.visiblePages(), QList<int>{1});
    QCOMPARE(s.w->Text10->text(), QStringLiteral("a b"));
}

// Stored values are shown as they are and written back as they are; only typing over
// one replaces it. Choosing a subject writes nothing.
void TestFrmpas2::storedValuesKeptUnlessTypedOver() {
    Sheet s;
    s.add(QStringLiteral("V"));
    s.setStored(QStringLiteral("V"), 7, QStringLiteral("'x'"));
    s.setStored(QStringLiteral("V"), 8, QStringLiteral("'1 '"));
    s.setStored(QStringLiteral("V"), 200, QStringLiteral("'3'"));
    s.setStored(QStringLiteral("V"), 400, QStringLiteral("NULL"));
    s.setStored(QStringLiteral("V"), 401, QStringLiteral("''"));
    s.setStored(QStringLiteral("V"), 402, QStringLiteral("'2'"));
    s.open();
    s.choose(QStringLiteral("V"));
    QCOMPARE(s.w->entryBox(7)->text(), QStringLiteral("x"));
    QCOMPARE(s.w->entryBox(8)->text(), QStringLiteral("1 "));
    QCOMPARE(s.w->entryBox(200)->text(), QStringLiteral("3"));
    QCOMPARE(s.w->entryBox(402)->text(), QStringLiteral("2"));
    QVERIFY(!s.w->entryBox(7)->toolTip().isEmpty());
    QVERIFY(!s.w->hasPendingEntries());

    s.goTo(9);
    s.type("11111111111111111111"); // items 9-28: the silent write
    AnswerSheet file = s.stored(QStringLiteral("V"));
    QCOMPARE(file.at(28), QStringLiteral("1"));
    QCOMPARE(file.at(7), QStringLiteral("x"));
    QCOMPARE(file.at(8), QStringLiteral("1 "));
    QCOMPARE(file.at(200), QStringLiteral("3"));
    QVERIFY(file.at(400).isNull());
    QVERIFY(!file.at(401).isNull() && file.at(401).isEmpty());
    QCOMPARE(file.at(402), QStringLiteral("2"));

    s.goTo(7);
    s.key('2');
    s.w->Command1->click();
    QCOMPARE(s.stored(QStringLiteral("V")).at(7), QStringLiteral("2"));
    QVERIFY(s.w->entryBox(7)->toolTip().isEmpty());
}

void TestFrmpas2::pendingEntriesWrittenOnLeaving_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("another subject") << "choose";
    QTest::newRow("خروج") << "exit";
    QTest::newRow("close box") << "close";
    QTest::newRow("Escape in the code box") << "escape";
}

// Entries typed since the last write are not lost when the operator moves on.
void TestFrmpas2::pendingEntriesWrittenOnLeaving() {
    QFETCH(QString, how);
    Sheet s;
    s.add(QStringLiteral("A"));
    s.add(QStringLiteral("C"));
    s.open();
    s.choose(QStringLiteral("A"));
    s.type("120");
    s.goTo(480); // the page steps write items 1-3
    QCOMPARE(s.fx.dialogs.notices(), QStringList{kSaved});
    s.key('2'); // the last box counts no entry
    s.goTo(2);
    s.key(Qt::Key_Backspace); // nor does a clearing
    QCOMPARE(s.w->Text13->text(), QStringLiteral("0"));
    QVERIFY(s.w->hasPendingEntries());
    s.fx.dialogs.clear();
    if (how == QLatin1String("choose")) {
        s.choose(QStringLiteral("C"));
        QCOMPARE(s.w->attachedCode(), std::optional<QString>(QStringLiteral("C")));
    } else if (how == QLatin1String("exit")) {
        s.w->Command2->click();
    } else if (how == QLatin1String("close")) {
        s.w->close();
    } else {
        QTest::keyClick(s.w->Text4, Qt::Key_Escape);
    }
    QCOMPARE(s.w->isVisible(), how == QLatin1String("choose"));
    QVERIFY(s.fx.dialogs.shown.isEmpty());
    const AnswerSheet a = s.stored(QStringLiteral("A"));
    QCOMPARE(a.at(1), QStringLiteral("1"));
    QVERIFY(a.at(2).isEmpty());
    QVERIFY(a.at(3).isEmpty());
    QCOMPARE(a.at(480), QStringLiteral("2"));
    const AnswerSheet c = s.stored(QStringLiteral("C"));
    for (int item = 1; item <= kItemCount; ++item)
        QVERIFY(c.at(item).isEmpty());
}

// The code box may be edited after choosing: the rows written stay those of the
// subject in the name box.
void TestFrmpas2::rowsWrittenAreThoseOfTheNameBox() {
    Sheet s;
    s.add(QStringLiteral("A"), QStringLiteral("first"), QStringLiteral("a"));
    s.add(QStringLiteral("C"), QStringLiteral("second"), QStringLiteral("c"));
    s.open();
    s.choose(QStringLiteral("A"));
    s.type("21");
    s.w->Text4->setText(QStringLiteral("C"));
    s.w->Command1->click();
    s.goTo(3);
    s.type("111111111111111111"); // the 20th entry: silent write
    QCOMPARE(s.w->Text10->text(), QStringLiteral("first a"));
    const AnswerSheet a = s.stored(QStringLiteral("A"));
    QCOMPARE(a.at(1), QStringLiteral("2"));
    QCOMPARE(a.at(20), QStringLiteral("1"));
    const AnswerSheet c = s.stored(QStringLiteral("C"));
    for (int item = 1; item <= kItemCount; ++item)
        QVERIFY(c.at(item).isEmpty());
}

void TestFrmpas2::pastedText_data() {
    QTest::addColumn<QString>("before"); // SQL value of item 5
    QTest::addColumn<QString>("action"); // "paste" the clip, or "cut" the box's text
    QTest::addColumn<QString>("clip");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown"); // null: the box shows what it showed before
    QTest::addColumn<int>("focusAfter");
    const QString paste = QStringLiteral("paste");
    const QString kept;
    QTest::newRow("1") << "NULL" << paste << "1"
                       << "1"
                       << "1" << 6;
    QTest::newRow("2 over 1") << "'1'" << paste << "2"
                              << "2"
                              << "2" << 6;
    QTest::newRow("0 over 2") << "'2'" << paste << "0"
                              << ""
                              << "0" << 6;
    QTest::newRow("two digits") << "NULL" << paste << "12"
                                << "" << kept << 5;
    QTest::newRow("two digits over 1") << "'1'" << paste << "21"
                                       << "1" << kept << 5;
    QTest::newRow("letter") << "'2'" << paste << "x"
                            << "2" << kept << 5;
    QTest::newRow("blank and digit") << "NULL" << paste << " 1"
                                     << "" << kept << 5;
    QTest::newRow("digit and newline") << "NULL" << paste << "1\n"
                                       << "" << kept << 5;
    QTest::newRow("Arabic-Indic one") << "'2'" << paste << "١"
                                      << "2" << kept << 5;
    QTest::newRow("3") << "'1'" << paste << "3"
                       << "1" << kept << 5;
    // Emptied from the context menu: taken as Backspace.
    QTest::newRow("empty clip over 2") << "'2'" << paste << ""
                                       << ""
                                       << "" << 5;
    QTest::newRow("cut 1") << "'1'" << QStringLiteral("cut") << ""
                           << ""
                           << "" << 5;
    QTest::newRow("cut odd value") << "'x'" << QStringLiteral("cut") << ""
                                   << ""
                                   << "" << 5;
}

// Text that reaches a box other than by typing stores "1", "2", empty or nothing.
void TestFrmpas2::pastedText() {
    QFETCH(QString, before);
    QFETCH(QString, action);
    QFETCH(QString, clip);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(int, focusAfter);
    Sheet s;
    s.add(QStringLiteral("T"));
    s.setStored(QStringLiteral("T"), 5, before);
    s.open();
    s.choose(QStringLiteral("T"));
    s.goTo(5);
    QApplication::clipboard()->setText(clip);
    AnswerSheetBox* box = s.w->entryBox(5);
    const QString shownBefore = box->text();
    box->selectAll();
    if (action == QLatin1String("cut"))
        box->cut();
    else
        box->paste();
    QCOMPARE(s.focusItem(), focusAfter);
    QCOMPARE(box->text(), shown.isNull() ? shownBefore : shown);
    s.w->Command1->click();
    QCOMPARE(meaning(s.stored(QStringLiteral("T")).at(5)), meaning(stored));
}

// Key presses queued faster than they are handled, as a repeating key makes them,
// each reach the box that has the focus when its turn comes.
void TestFrmpas2::queuedKeysLoseNothing() {
    Sheet s;
    s.add(QStringLiteral("R"));
    s.open();
    s.choose(QStringLiteral("R"));
    QWindow* window = s.w->windowHandle();
    QVERIFY(window);
    const char pattern[] = "12201";
    for (int item = 1; item <= kItemCount; ++item) {
        const char c = pattern[item % 5];
        const QString text{QLatin1Char(c)};
        const int key = Qt::Key_0 + (c - '0');
        QCoreApplication::postEvent(
            window, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text, item > 1));
        QCoreApplication::postEvent(
            window, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text, item > 1));
    }
    QCoreApplication::processEvents();
    QCOMPARE(s.focusItem(), kItemCount);
    s.w->Command1->click();
    const AnswerSheet file = s.stored(QStringLiteral("R"));
    for (int item = 1; item <= kItemCount; ++item)
        QCOMPARE(meaning(file.at(item)), answerFor(pattern[item % 5]));
    QCOMPARE(s.fx.shell.beeps, 0);
}

// A write that fails is reported and its entries stay pending, instead of the silent
// skip that would lose them.
void TestFrmpas2::failedWritesAreReported() {
    Sheet s;
    s.add(QStringLiteral("F"));
    s.open();
    s.choose(QStringLiteral("F"));
    QVERIFY(s.fx.app.exec(QStringLiteral("HOVDB.mdb"),
                          QStringLiteral("DELETE FROM \"Answer2\" WHERE \"Code\" = 'F'")));
    s.type("11111111111111111111");
    QVERIFY(s.fx.dialogs.shown.isEmpty()); // typing goes on: no box in its way
    QVERIFY(!s.w->LblStatus->text().isEmpty());
    QCOMPARE(s.fx.shell.beeps, 1);
    QVERIFY(s.w->hasPendingEntries());

    s.w->Command1->click();
    QCOMPARE(s.fx.dialogs.shown.size(), 1);
    QCOMPARE(s.fx.dialogs.shown[0].kind, QStringLiteral("message"));
    QVERIFY(s.fx.dialogs.notices().isEmpty());

    s.fx.dialogs.queueYesNo(false);
    s.w->Command2->click();
    QVERIFY(s.w->isVisible());
    QCOMPARE(s.fx.dialogs.shown.last().kind, QStringLiteral("yesno"));

    // Once the row is back, the next write point catches up.
    QVERIFY(s.fx.app.exec(QStringLiteral("HOVDB.mdb"),
                          QStringLiteral("INSERT INTO \"Answer2\" (\"Code\") VALUES ('F')")));
    s.w->Command2->click();
    QVERIFY(!s.w->isVisible());
    QCOMPARE(s.stored(QStringLiteral("F")).at(20), QStringLiteral("1"));
    QVERIFY(s.fx.dialogs.allAnswersUsed());
}

// Three coloured pages of 8 columns by 20 rows, item k of column c at row k, column 0
// on the left; the number drawn beside each box.
void TestFrmpas2::pagesLookLikeTheSheet() {
    Sheet s;
    s.add(QStringLiteral("L"));
    s.open();
    const QColor colours[] = {QColor(0xC0, 0xC0, 0xFF), QColor(0xFF, 0xE0, 0xC0),
                              QColor(0xFF, 0xC0, 0xFF)};
    for (int p = 1; p <= Frmpas2::kPageCount; ++p) {
        AnswerSheetPage* page = s.w->page(p);
        QCOMPARE(page->palette().color(QPalette::Window), colours[p - 1]);
        QVERIFY(page->autoFillBackground());
        const int first = (p - 1) * Frmpas2::kItemsPerPage + 1;
        const QRect a = s.w->entryBox(first)->geometry();
        QCOMPARE(a.topLeft(), QPoint(48, 33));                      // 720, 495 twips
        QCOMPARE(a.size(), QSize(31, 25));                          // 465 x 375 twips
        QCOMPARE(s.w->entryBox(first + 19)->geometry().top(), 507); // 7605 twips
        QCOMPARE(s.w->entryBox(first + 20)->geometry().left(), 48 + 96);
        QCOMPARE(s.w->entryBox(first + 159)->geometry().left(), 48 + 7 * 96);
        for (int i = first; i < first + Frmpas2::kItemsPerPage; ++i)
            QCOMPARE(s.w->entryBox(i)->parentWidget(), page);
    }
    s.choose(QStringLiteral("L"));
    // The number of an item is drawn left of its box, in the label colour.
    AnswerSheetPage* page = s.w->page(1);
    const QImage image = page->grab().toImage();
    const QRect label = page->labelRect(s.w->entryBox(1));
    QVERIFY(label.right() < s.w->entryBox(1)->geometry().left());
    int inked = 0;
    for (int x = label.left(); x <= label.right(); ++x)
        for (int y = label.top(); y <= label.bottom(); ++y)
            inked += image.pixelColor(x, y) != QColor(0xC0, 0xC0, 0xFF) ? 1 : 0;
    QVERIFY(inked > 10);
}

// The second entry: off when the window opens; a blind second keying marks the items
// that differ, "ذخيره" waits for them, and keying such an item once more settles it.
void TestFrmpas2::secondEntryShowsAndSettlesDifferences() {
    Sheet s;
    s.add(QStringLiteral("D"));
    s.open();
    QVERIFY(!s.w->ChkSecondEntry->isChecked());
    QVERIFY(!s.w->ChkSecondEntry->isEnabled());
    s.choose(QStringLiteral("D"));
    s.type("1212121212"); // first entry, items 1-10
    s.w->ChkSecondEntry->click();
    QVERIFY(s.w->ChkSecondEntry->isChecked());
    QCOMPARE(s.stored(QStringLiteral("D")).at(10), QStringLiteral("2")); // first entry written
    QCOMPARE(s.focusItem(), 1);
    for (int item = 1; item <= 10; ++item)
        QVERIFY(s.w->entryBox(item)->text().isEmpty()); // blind

    s.type("1211110212"); // items 4, 6 and 7 differ
    for (int item = 1; item <= 10; ++item)
        QCOMPARE(s.w->entryBox(item)->property("open").toBool(),
                 item == 4 || item == 6 || item == 7);
    QVERIFY(s.w->LblDifferences->text().contains(QStringLiteral("4، 6، 7")));
    QCOMPARE(s.stored(QStringLiteral("D")).at(4), QStringLiteral("2")); // nothing stored
    QVERIFY(!s.w->hasPendingEntries());

    s.w->Command1->click();
    QCOMPARE(s.fx.dialogs.shown.size(), 1);
    QCOMPARE(s.fx.dialogs.shown[0].kind, QStringLiteral("message"));
    QVERIFY(s.fx.dialogs.shown[0].text.contains(QStringLiteral("4، 6، 7")));
    QCOMPARE(s.focusItem(), 4);

    // "اختلاف بعدي" clicked with the mouse moves on from the box the cursor is in,
    // settled or not, and wraps round.
    auto nextDifference = [&] { QTest::mouseClick(s.w->CmdNextDifference, Qt::LeftButton); };
    nextDifference();
    QCOMPARE(s.focusItem(), 6);
    nextDifference();
    QCOMPARE(s.focusItem(), 7);
    nextDifference();
    QCOMPARE(s.focusItem(), 4);

    s.key('1'); // the second entry was right: item 4 becomes "1"
    nextDifference();
    QCOMPARE(s.focusItem(), 6);
    s.key('2'); // the first entry was right
    nextDifference();
    QCOMPARE(s.focusItem(), 7);
    s.key(Qt::Key_Backspace); // settled as no answer
    QVERIFY(!s.w->CmdNextDifference->isEnabled());
    s.fx.dialogs.clear();
    s.w->Command1->click();
    QCOMPARE(s.fx.dialogs.notices(), QStringList{kSaved});
    const AnswerSheet file = s.stored(QStringLiteral("D"));
    QCOMPARE(file.at(4), QStringLiteral("1"));
    QCOMPARE(file.at(6), QStringLiteral("2"));
    QVERIFY(file.at(7).isEmpty());
    QCOMPARE(file.at(5), QStringLiteral("1"));
}

void TestFrmpas2::leavingSecondEntryWithOpenItemsAsks() {
    Sheet s;
    s.add(QStringLiteral("D"));
    s.open();
    s.choose(QStringLiteral("D"));
    s.type("11");
    s.w->ChkSecondEntry->click();
    s.type("2");
    s.fx.dialogs.queueYesNo(false);
    s.w->ChkSecondEntry->click();
    QVERIFY(s.w->ChkSecondEntry->isChecked());
    s.fx.dialogs.queueYesNo(false);
    s.w->Command2->click();
    QVERIFY(s.w->isVisible());
    s.add(QStringLiteral("D2"));
    s.fx.dialogs.queueYesNo(false);
    s.choose(QStringLiteral("D2"));
    QCOMPARE(s.w->attachedCode(), std::optional<QString>(QStringLiteral("D")));
    QVERIFY(s.w->ChkSecondEntry->isChecked());
    s.fx.dialogs.queueYesNo(true);
    s.w->ChkSecondEntry->click();
    QVERIFY(!s.w->ChkSecondEntry->isChecked());
    QCOMPARE(s.w->entryBox(1)->text(), QStringLiteral("1")); // the stored answers again
    QVERIFY(!s.w->entryBox(1)->property("open").toBool());
    QCOMPARE(s.stored(QStringLiteral("D")).at(1), QStringLiteral("1"));
    QVERIFY(s.fx.dialogs.allAnswersUsed());
}

QTEST_MAIN(TestFrmpas2)
#include "test_frmpas2.moc"
