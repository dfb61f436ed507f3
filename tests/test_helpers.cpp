// The helpers every window shares: the digits-only key guard, the self-closing
// notice and the theme.
#include "ui/kit/fonts.h"
#include "ui/kit/keyguard.h"
#include "ui/kit/realdialogs.h"
#include "tests/support/testsupport.h"
#include "ui/kit/theme.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLocale>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace hov;

class TestHelpers : public QObject {
    Q_OBJECT

private slots:
    void guardAcceptsDigitsBackspaceEnter_data();
    void guardAcceptsDigitsBackspaceEnter();
    void guardRefusesOtherKeys_data();
    void guardRefusesOtherKeys();
    void guardPassesEscapeToTheWindow();
    void timeTextFollowsTheLocale_data();
    void timeTextFollowsTheLocale();
    void noticeClosesItselfAfterASecond();
    void twoNoticesEachCloseASecondAfterTheirOwn();
    void noticeClosedEarlyLeavesNothingBehind();
    void themeNumberFile_data();
    void themeNumberFile();
    void skinFilesAreDistinctAndReadable();
    void parseSkinRejectsGarbage();
    void boxLinesWithoutLettersRunRightToLeft_data();
    void boxLinesWithoutLettersRunRightToLeft();
    void placeholderStandsApartFromTypedText();
};

void TestHelpers::guardAcceptsDigitsBackspaceEnter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("digits") << QStringLiteral("0123456789") << QStringLiteral("0123456789");
    QTest::newRow("backspace") << QStringLiteral("12\b") << QStringLiteral("1");
    QTest::newRow("enter") << QStringLiteral("7\r") << QStringLiteral("7");
}

void TestHelpers::guardAcceptsDigitsBackspaceEnter() {
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    hovtest::WindowFixture f;
    QLineEdit edit;
    DigitsOnlyGuard::install(&edit);
    for (const QChar c : typed) {
        if (c == QLatin1Char('\b'))
            QTest::keyClick(&edit, Qt::Key_Backspace);
        else if (c == QLatin1Char('\r'))
            QTest::keyClick(&edit, Qt::Key_Return);
        else
            QTest::keyClicks(&edit, QString(c));
    }
    QCOMPARE(edit.text(), expected);
    QCOMPARE(f.shell.beeps, 0);
    QVERIFY(f.dialogs.shown.isEmpty());
}

void TestHelpers::guardRefusesOtherKeys_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("latin letter") << QStringLiteral("a") << 0 << 0;
    QTest::newRow("persian digit") << QStringLiteral("۵") << 0 << 0;
    QTest::newRow("arabic-indic digit") << QStringLiteral("٣") << 0 << 0;
    QTest::newRow("persian letter") << QStringLiteral("ب") << 0 << 0;
    QTest::newRow("blank") << QStringLiteral(" ") << 0 << 0;
    QTest::newRow("minus") << QStringLiteral("-") << 0 << 0;
    QTest::newRow("ctrl+v") << QString() << int(Qt::Key_V) << int(Qt::ControlModifier);
    QTest::newRow("delete") << QString() << int(Qt::Key_Delete) << 0;
    QTest::newRow("escape") << QString() << int(Qt::Key_Escape) << 0;
}

void TestHelpers::guardRefusesOtherKeys() {
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    hovtest::WindowFixture f;
    QLineEdit edit;
    edit.setText(QStringLiteral("12"));
    DigitsOnlyGuard::install(&edit);
    edit.setCursorPosition(0); // where Delete would take a digit
    if (key)
        QTest::keyClick(&edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    else
        hovtest::typeText(&edit, typed);
    QCOMPARE(edit.text(), QStringLiteral("12"));
    QCOMPARE(f.shell.beeps, 1);
    QCOMPARE(f.dialogs.notices(), QStringList{kDigitsOnlyNotice});
}

namespace {

// The real notice, shown over a real window; returns how long it stayed. A notice that
// never closes itself is closed after a few seconds, so the test fails on its time
// instead of hanging.
qint64 showRealNotice(QWidget* owner, const QString& text) {
    RealDialogs real;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
                box->reject();
    });
    watchdog.start(5000);
    QElapsedTimer timer;
    timer.start();
    real.notice(owner, text);
    return timer.elapsed();
}

} // namespace

// Escape, refused in a numeric field, still reaches the window's Escape action.
void TestHelpers::guardPassesEscapeToTheWindow() {
    hovtest::WindowFixture f;
    struct Window : QWidget {
        int escapes = 0;
        void keyPressEvent(QKeyEvent* e) override {
            if (e->key() == Qt::Key_Escape)
                ++escapes;
        }
    } window;
    auto* edit = new QLineEdit(&window);
    DigitsOnlyGuard::install(edit);
    window.show();
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(window.escapes, 1);
    QCOMPARE(f.dialogs.notices(), QStringList{kDigitsOnlyNotice});
}

// The clock and the registration time: the locale's long time format, without the zone.
void TestHelpers::timeTextFollowsTheLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("C") << QLocale::c() << QStringLiteral("09:05:07");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << QStringLiteral("9:05:07 AM");
    QTest::newRow("fa_IR") << QLocale(QLocale::Persian, QLocale::Iran)
                           << QStringLiteral("۹:۰۵:۰۷");
}

void TestHelpers::timeTextFollowsTheLocale() {
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    const QLocale before;
    QLocale::setDefault(locale);
    const QString text = timeText(QTime(9, 5, 7));
    QLocale::setDefault(before);
    QCOMPARE(text, expected);
}

void TestHelpers::noticeClosesItselfAfterASecond() {
    QWidget owner;
    owner.show();
    QString caption;
    QString text;
    QTimer::singleShot(300, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            caption = box->windowTitle();
            text = box->text();
            QCOMPARE(box->buttons().size(), 1);
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
        }
    });
    const qint64 stayed = showRealNotice(&owner, QStringLiteral("ذخيره شد"));
    QCOMPARE(caption, QStringLiteral("پيام"));
    QCOMPARE(text, QStringLiteral("ذخيره شد"));
    QVERIFY2(stayed >= 900 && stayed < 3000, qPrintable(QString::number(stayed)));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestHelpers::twoNoticesEachCloseASecondAfterTheirOwn() {
    QWidget owner;
    owner.show();
    const qint64 first = showRealNotice(&owner, QStringLiteral("1"));
    const qint64 second = showRealNotice(&owner, QStringLiteral("2"));
    QVERIFY2(first >= 900 && first < 3000, qPrintable(QString::number(first)));
    QVERIFY2(second >= 900 && second < 3000, qPrintable(QString::number(second)));
}

void TestHelpers::noticeClosedEarlyLeavesNothingBehind() {
    QWidget owner;
    owner.show();
    QTimer::singleShot(100, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    const qint64 stayed = showRealNotice(&owner, QStringLiteral("x"));
    QVERIFY2(stayed < 800, qPrintable(QString::number(stayed)));
    // The expired timer of the first box must not close a box shown after it.
    QMessageBox later(QMessageBox::NoIcon, QStringLiteral("پيام"), QStringLiteral("later"),
                      QMessageBox::Ok, &owner);
    later.show();
    QTest::qWait(1200);
    QVERIFY(later.isVisible());
}

void TestHelpers::themeNumberFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("isDefault");
    QTest::newRow("12") << QByteArray("12\r\n") << true << 12 << false;
    QTest::newRow("48 without line end") << QByteArray("48") << true << 48 << false;
    QTest::newRow("missing") << QByteArray() << false << 0 << true;
    QTest::newRow("empty") << QByteArray() << true << 0 << true;
    QTest::newRow("garbage") << QByteArray("\xff\xfe garbage\n7") << true << 0 << true;
    QTest::newRow("60, no such skin") << QByteArray("60\r\n") << true << 60 << true;
    QTest::newRow("0") << QByteArray("0\r\n") << true << 0 << true;
}

void TestHelpers::themeNumberFile() {
    QFETCH(QByteArray, content);
    QFETCH(bool, present);
    QFETCH(int, number);
    QFETCH(bool, isDefault);
    hovtest::TestAppFolder app;
    const AppFolder folder = app.folder();
    QFile::remove(folder.skinNumberFile());
    if (present) {
        QFile file(folder.skinNumberFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QCOMPARE(readThemeNumber(folder), number);
    QWidget window;
    QCOMPARE(applyTheme(&window, folder), number);
    const QColor expected = isDefault ? defaultSkin().window : loadSkin(folder, number).window;
    QCOMPARE(window.palette().color(QPalette::Window), expected);
}

void TestHelpers::skinFilesAreDistinctAndReadable() {
    hovtest::TestAppFolder app;
    QSet<QString> looks;
    int dark = 0;
    for (int n = 1; n <= kThemeCount; ++n) {
        QFile file(app.folder().skinFile(n));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const auto skin = parseSkin(QString::fromUtf8(file.readAll()));
        QVERIFY2(skin, qPrintable(file.fileName()));
        looks.insert(skin->window.name() + skin->button.name() + skin->label.name());
        dark += skin->dark;
        // Legible: text and window far apart in lightness.
        QVERIFY2(qAbs(skin->text.lightness() - skin->window.lightness()) > 90,
                 qPrintable(file.fileName()));
        QVERIFY2(qAbs(skin->baseText.lightness() - skin->base.lightness()) > 90,
                 qPrintable(file.fileName()));
    }
    QCOMPARE(looks.size(), kThemeCount);
    QVERIFY(dark > 0 && dark < kThemeCount);
    QVERIFY(writeThemeNumber(app.folder(), 17));
    QFile written(app.folder().skinNumberFile());
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("17\r\n"));
}

void TestHelpers::parseSkinRejectsGarbage() {
    QVERIFY(!parseSkin(QString()));
    QVERIFY(!parseSkin(QStringLiteral("just words\nwindow = not-a-colour")));
    const auto skin = parseSkin(QStringLiteral("# a comment\nname = x\nwindow = #102030\n"));
    QVERIFY(skin);
    QCOMPARE(skin->window, QColor(0x10, 0x20, 0x30));
    QCOMPARE(skin->text, defaultSkin().text);
}

void TestHelpers::boxLinesWithoutLettersRunRightToLeft_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    const QString rlm = QString(QChar(0x200F));
    const QString warning = QStringLiteral("شما به سوالات زير را پاسخ نداده ايد");
    QTest::newRow("list of item numbers")
        << warning + QStringLiteral("\r\n\r\n471   472   480")
        << warning + QStringLiteral("\r\n\r\n") + rlm + QStringLiteral("471   472   480");
    QTest::newRow("date alone") << QStringLiteral("1403/01/05") << rlm + QStringLiteral("1403/01/05");
    QTest::newRow("persian") << QStringLiteral("ذخيره شد") << QStringLiteral("ذخيره شد");
    QTest::newRow("latin") << QStringLiteral("Cannot establish connection.")
                           << QStringLiteral("Cannot establish connection.");
    QTest::newRow("path") << QStringLiteral("/home/x/ss11.docx") << QStringLiteral("/home/x/ss11.docx");
    QTest::newRow("blank lines") << QStringLiteral(": فايل شما\r\n\r\n  \r\n. ساخته شد")
                                 << QStringLiteral(": فايل شما\r\n\r\n  \r\n. ساخته شد");
    QTest::newRow("empty") << QString() << QString();
}

void TestHelpers::boxLinesWithoutLettersRunRightToLeft() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(boxText(text), shown);
}

// In every theme a box's hint (the roster's search box) is told apart from typed text and
// still read against the box.
void TestHelpers::placeholderStandsApartFromTypedText() {
    hovtest::TestAppFolder app;
    for (int n = 1; n <= kThemeCount; ++n) {
        QWidget window;
        applySkin(&window, loadSkin(app.folder(), n));
        const QPalette p = window.palette();
        const int hint = p.color(QPalette::PlaceholderText).lightness();
        const int text = p.color(QPalette::Text).lightness();
        const int base = p.color(QPalette::Base).lightness();
        QVERIFY2(qAbs(hint - text) > 50 && qAbs(hint - base) > 40,
                 qPrintable(QStringLiteral("theme %1: hint %2, text %3, box %4")
                                .arg(n).arg(hint).arg(text).arg(base)));
    }
}

QTEST_MAIN(TestHelpers)
#include "test_helpers.moc"
