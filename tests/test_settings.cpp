// The settings panels of the main window: the logo flag, the clinic profile, the logo, the
// theme chooser and the item-text editor.
#include "data/subjectdb.h"
#include "tests/support/testsupport.h"
#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/keyguard.h"
#include "ui/kit/theme.h"
#include "ui/main/frm1.h"
#include "ui/main/registrationpanel.h"
#include "ui/roster/frmcode.h"
#include "ui/settings/clinicprofilepanel.h"
#include "ui/settings/itemeditorpanel.h"
#include "ui/settings/settingspanel.h"
#include "ui/settings/settingspanels.h"
#include "ui/settings/themepanel.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QFileInfo>
#include <QTest>

using namespace hov;

namespace {

const QString kHov = QStringLiteral("HOVDB.mdb");
const QString kTheme = QStringLiteral("Theme.adz");

QVariant setting(hovtest::TestAppFolder& app, const QString& column) {
    return app.value(kTheme, QStringLiteral("SELECT \"%1\" FROM \"Theme\"").arg(column));
}

QString itemText(hovtest::TestAppFolder& app, int item) {
    return app.value(kHov, QStringLiteral("SELECT \"QU\" FROM \"QUS\" WHERE \"Code\" = '%1'").arg(item))
        .toString();
}

bool refuseWrites(hovtest::TestAppFolder& app, const QString& file, const QString& table) {
    return app.exec(file, QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON \"%1\" "
                                         "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                              .arg(table));
}

QByteArray pngBytes(const QColor& colour) {
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

QByteArray skinTxt(const hovtest::TestAppFolder& app) {
    QFile file(app.folder().skinNumberFile());
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QColor windowColour(const QWidget& w) {
    return w.palette().color(QPalette::Window);
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFonts(); }
    void panelsOpenAtTheirPlaces();
    void logoFlagIsWrittenAtOnce();
    void logoFlagWriteFailureIsReported();
    void unreadableSettingsAreReported();
    void profileSaves_data();
    void profileSaves();
    void profileWriteFailureKeepsTheInput();
    void subjectTermFollowsTheFieldLive();
    void instagramFieldResetsTheTitle();
    void themeNumbers_data();
    void themeNumbers();
    void themeStepsStayInRange();
    void themeReachesWindowsOpenedLater();
    void themeFileWriteFailureIsReported();
    void itemEditorShowsItems_data();
    void itemEditorShowsItems();
    void itemTextStartsAtTheRightEdge();
    void itemEditorSavesAndCancels();
    void itemEditorRefusesANonItemAndReportsFailures();
    void logoChoice();
    void logoRefusals_data();
    void logoRefusals();
};

void TestSettings::panelsOpenAtTheirPlaces() {
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.Command1->click(); // the registration panel, closed by "تنظيمات"
    w.Command9->click();
    SettingsPanels* s = w.settingsPanels;
    QVERIFY(s);
    QVERIFY(!w.Frame10->isVisibleTo(&w));
    QVERIFY(s->Frame8->isVisibleTo(&w));
    QCOMPARE(s->Frame8->geometry(), pxRect(2430, 3465, 5205, 3480));
    QCOMPARE(s->Frame8->Label1->text(), QStringLiteral("وضعيت نمايش آرم را مشخص نمائيد"));
    QCOMPARE(s->Frame8->Command68->text(), QStringLiteral("تغيير تم برنامه"));
    QCOMPARE(s->Frame8->Command67->text(), QStringLiteral(" مشخصات کلينيک"));
    QCOMPARE(s->Frame8->Cmndedit->text(), QStringLiteral(" ويرايش سوالات"));
    QCOMPARE(s->Frame8->Command65->text(), QStringLiteral("انتخاب آرم کلينيک"));
    QCOMPARE(s->Frame8->Command69->text(), QStringLiteral("خروج"));
    for (QWidget* hidden : {static_cast<QWidget*>(s->Frame9), static_cast<QWidget*>(s->Frame6),
                            static_cast<QWidget*>(s->Frame1)})
        QVERIFY(!hidden->isVisibleTo(&w));

    s->Frame8->Command67->click();
    QVERIFY(s->Frame8->isVisibleTo(&w));
    QCOMPARE(s->Frame9->geometry(), pxRect(435, 840, 7280, 4935));
    QVERIFY(s->Frame9->isVisibleTo(&w));
    QCOMPARE(s->Frame9->Command64->text(), QStringLiteral("ذخيره "));
    QCOMPARE(s->Frame9->Command7->text(), QStringLiteral("انصراف"));
    QStringList captions;
    for (QLabel* label : s->Frame9->findChildren<QLabel*>())
        captions << label->text();
    for (const char* caption :
         {":نام كلينيك ", " :آدرس", ":ايميل", " :تلگرام", ":اينستاگرام", " :سايت", ":تويتر", " :تلفن"})
        QVERIFY2(captions.contains(QString::fromUtf8(caption)), caption);
    QCOMPARE(s->Frame9->TxtT1->layoutDirection(), Qt::LeftToRight);
    QCOMPARE(s->Frame9->TxtName->layoutDirection(), Qt::RightToLeft);

    s->Frame8->Command68->click();
    QVERIFY(!s->Frame9->isVisibleTo(&w));
    QVERIFY(s->Frame6->isVisibleTo(&w));
    QCOMPARE(s->Frame6->geometry(), pxRect(3015, 1080, 3690, 2415));
    QCOMPARE(s->Frame6->Comdtback->text(), QStringLiteral("قبلي"));
    QCOMPARE(s->Frame6->Comdtnext->text(), QStringLiteral("بعدي"));
    QCOMPARE(s->Frame6->Command46->text(), QStringLiteral("خروج"));
    s->Frame6->Command46->click();
    QVERIFY(!s->Frame6->isVisibleTo(&w));
    QVERIFY(s->Frame8->isVisibleTo(&w));

    s->Frame8->Cmndedit->click();
    QVERIFY(s->Frame1->isVisibleTo(&w));
    QCOMPARE(s->Frame1->geometry(), pxRect(720, 500, 6915, 2970));
    QCOMPARE(s->Frame1->Label20->text(), QStringLiteral(": شماره سوال  "));
    QCOMPARE(s->Frame1->Command16->text(), QStringLiteral("ذخيره "));
    QCOMPARE(s->Frame1->Command15->text(), QStringLiteral("انصراف"));

    s->Frame8->Command69->click();
    for (QWidget* hidden : {static_cast<QWidget*>(s->Frame8), static_cast<QWidget*>(s->Frame9),
                            static_cast<QWidget*>(s->Frame6), static_cast<QWidget*>(s->Frame1)})
        QVERIFY(!hidden->isVisibleTo(&w));
    QVERIFY(f.dialogs.shown.isEmpty());
}

void TestSettings::logoFlagIsWrittenAtOnce() {
    hovtest::WindowFixture f;
    {
        Frm1 w(f.app.folder());
        w.Command9->click();
        QCheckBox* check = w.settingsPanels->Frame8->Check1;
        QVERIFY(!check->isChecked());
        QCOMPARE(check->text(), QStringLiteral("آرم را نمايش ندهد"));
        check->click();
        QCOMPARE(check->text(), QStringLiteral("آرم را نمايش دهد"));
        QCOMPARE(setting(f.app, QStringLiteral("Check1")).toInt(), 1);
    }
    // The next showing of the main window shows the stored state.
    Frm1 again(f.app.folder());
    again.Command9->click();
    QCheckBox* check = again.settingsPanels->Frame8->Check1;
    QVERIFY(check->isChecked());
    QCOMPARE(check->text(), QStringLiteral("آرم را نمايش دهد"));
    check->click();
    QCOMPARE(setting(f.app, QStringLiteral("Check1")).toInt(), 0);
    QCOMPARE(check->text(), QStringLiteral("آرم را نمايش ندهد"));
    QVERIFY(f.dialogs.shown.isEmpty());
}

void TestSettings::logoFlagWriteFailureIsReported() {
    hovtest::WindowFixture f;
    QVERIFY(refuseWrites(f.app, kTheme, QStringLiteral("Theme")));
    Frm1 w(f.app.folder());
    w.Command9->click();
    QCheckBox* check = w.settingsPanels->Frame8->Check1;
    check->click();
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QStringLiteral("message"));
    QVERIFY(f.dialogs.shown[0].text.contains(QStringLiteral("ذخيره نشد")));
    // The box shows what is stored.
    QVERIFY(!check->isChecked());
    QCOMPARE(check->text(), QStringLiteral("آرم را نمايش ندهد"));
    QCOMPARE(setting(f.app, QStringLiteral("Check1")).toInt(), 0);
}

// Settings that cannot be read are reported, not shown as "no logo, not printed".
void TestSettings::unreadableSettingsAreReported() {
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    QVERIFY(f.app.exec(kTheme, QStringLiteral("ALTER TABLE \"Theme\" RENAME TO \"Other\"")));
    f.dialogs.clear();
    w.Command9->click();
    QVERIFY(w.settingsPanels->Frame8->isVisibleTo(&w));
    QCOMPARE(f.dialogs.shown.size(), 1);
    QVERIFY(f.dialogs.shown[0].text.startsWith(QStringLiteral("مشخصات کلينيک خوانده نشد.")));
    QVERIFY(f.dialogs.shown[0].text.contains(kTheme));
}

void TestSettings::profileSaves_data() {
    QTest::addColumn<QStringList>("values"); // Name, Adress, T1..T6, T11
    QTest::addColumn<QString>("block");
    QTest::newRow("full") << QStringList{"كلينيك آرامش", "تهران، خيابان آزادي", "a@b.ir", "@clinic",
                                         "clinic.ig", "https://clinic.ir", "@tw", "021-555", "شماره پرونده"}
                          << "a@b.ir\r\n@clinic\r\nclinic.ig\r\nhttps://clinic.ir\r\n@tw\r\n021-555\r\n";
    QTest::newRow("empty contacts leave no lines")
        << QStringList{"كلينيك", "", "", "", "", "t4.ir", "", "", "کد"} << "t4.ir\r\n";
    QTest::newRow("apostrophes, quotes, SQL, marks")
        << QStringList{"O'Neil \"Clinic\"", "x'); DROP TABLE Theme; --", "\u202Eevil", "", "", "",
                       "", "", "کد 'ويژه'"}
        << "\u202Eevil\r\n";
    QTest::newRow("1000 characters") << QStringList{QString(1000, QChar(0x0628)), "", "", "", "", "",
                                                    "", QString(1000, QLatin1Char('9')), "کد"}
                                     << QString(1000, QLatin1Char('9')) + "\r\n";
}

void TestSettings::profileSaves() {
    QFETCH(QStringList, values);
    QFETCH(QString, block);
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.Command9->click();
    SettingsPanels* s = w.settingsPanels;
    s->Frame8->Command67->click();
    ClinicProfilePanel* p = s->Frame9;
    const QList<QLineEdit*> fields{p->TxtName, p->TxtAdress, p->TxtT1, p->TxtT2, p->TxtT3,
                                   p->TxtT4,   p->TxtT5,     p->TxtT6, p->TxtT11};
    for (int i = 0; i < fields.size(); ++i)
        fields[i]->setText(values[i]);
    p->Command64->click();
    QCOMPARE(f.dialogs.notices(), QStringList{QStringLiteral("تغييرات با موفقيت ذخيره شد")});
    const QStringList columns{"Name", "Adress", "T1", "T2", "T3", "T4", "T5", "T6", "T11"};
    for (int i = 0; i < columns.size(); ++i)
        QCOMPARE(setting(f.app, columns[i]).toString(), values[i]);
    // The text field keeps its lines with LF; the block's CR LF come from contactBlock().
    QCOMPARE(Frm1::contactBlock(p->edited()), block);
    QCOMPARE(w.Txtmosh->toPlainText(), QString(block).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QVERIFY(!p->isVisibleTo(&w));
    QVERIFY(s->Frame8->isVisibleTo(&w));
    QCOMPARE(f.app.value(kTheme, QStringLiteral("SELECT COUNT(*) FROM \"Theme\"")).toInt(), 1);
    // Reopened: the fields show what was stored.
    s->Frame8->Command67->click();
    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(fields[i]->text(), values[i]);
}

void TestSettings::profileWriteFailureKeepsTheInput() {
    hovtest::WindowFixture f;
    QVERIFY(refuseWrites(f.app, kTheme, QStringLiteral("Theme")));
    Frm1 w(f.app.folder());
    w.Command9->click();
    w.settingsPanels->Frame8->Command67->click();
    ClinicProfilePanel* p = w.settingsPanels->Frame9;
    p->TxtName->setText(QStringLiteral("كلينيك نو"));
    p->TxtT1->setText(QStringLiteral("x@y.ir"));
    p->Command64->click();
    QVERIFY(f.dialogs.notices().isEmpty());
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QStringLiteral("message"));
    QVERIFY(p->isVisibleTo(&w));
    QCOMPARE(p->TxtName->text(), QStringLiteral("كلينيك نو"));
    QCOMPARE(p->TxtT1->text(), QStringLiteral("x@y.ir"));
    QCOMPARE(setting(f.app, QStringLiteral("Name")).toString(), QString());
    QCOMPARE(w.Txtmosh->toPlainText(), QString());
}

void TestSettings::subjectTermFollowsTheFieldLive() {
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.Command1->click(); // makes the registration panel
    w.Command9->click();
    w.settingsPanels->Frame8->Command67->click();
    ClinicProfilePanel* p = w.settingsPanels->Frame9;
    p->TxtT11->clear();
    hovtest::typeText(p->TxtT11, QStringLiteral("شماره"));
    QCOMPARE(p->LblT11->text(), QStringLiteral("شماره"));
    QCOMPARE(w.Command4->text(), QStringLiteral("نمايش شماره"));
    QCOMPARE(w.Frame10->LblCode->text(), QStringLiteral("شماره"));
    QVERIFY(w.hintFor(QStringLiteral("Command4")).contains(QStringLiteral("شماره")));
    // Cancelled: the captions show the stored term again, and nothing was written.
    p->Command7->click();
    QCOMPARE(w.Command4->text(), QStringLiteral("نمايش کد آزمودني"));
    QCOMPARE(w.Frame10->LblCode->text(), QStringLiteral("کد آزمودني"));
    QCOMPARE(setting(f.app, QStringLiteral("T11")).toString(), QStringLiteral("کد آزمودني"));
    QVERIFY(!p->isVisibleTo(&w));
    QVERIFY(w.settingsPanels->Frame8->isVisibleTo(&w));
}

void TestSettings::instagramFieldResetsTheTitle() {
    hovtest::WindowFixture f;
    QVERIFY(f.app.exec(kTheme, QStringLiteral("UPDATE \"Theme\" SET \"Name\" = 'كلينيك'")));
    Frm1 w(f.app.folder());
    w.Command9->click();
    w.settingsPanels->Frame8->Command67->click();
    ClinicProfilePanel* p = w.settingsPanels->Frame9;
    p->TxtName->setText(QStringLiteral("مرکز نو"));
    QCOMPARE(w.SkinLabel1->text(), QStringLiteral("كلينيك"));
    hovtest::typeText(p->TxtT3, QStringLiteral("x"));
    QCOMPARE(w.SkinLabel1->text(), QStringLiteral("مرکز نو"));
}

void TestSettings::themeNumbers_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("number");
    QTest::newRow("7") << "7" << 7;
    QTest::newRow("0") << "0" << 1;
    QTest::newRow("60") << "60" << 48;
    QTest::newRow("48") << "48" << 48;
    QTest::newRow("empty") << "" << 1;
    QTest::newRow("letters") << "abc" << 1;
    QTest::newRow("Persian digits") << "۱۲" << 12;
    QTest::newRow("Arabic-Indic digits") << "٧" << 7;
    QTest::newRow("huge") << "99999999999999999999" << 48;
    QTest::newRow("digits then letters") << "9x" << 9;
}

void TestSettings::themeNumbers() {
    QFETCH(QString, typed);
    QFETCH(int, number);
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.Command9->click();
    w.settingsPanels->Frame8->Command68->click();
    ThemePanel* t = w.settingsPanels->Frame6;
    QCOMPARE(t->Txtthema->text(), QString::number(readThemeNumber(f.app.folder())));
    // Set as a paste would: the key guard only sees typed keys.
    t->Txtthema->setText(typed);
    QCOMPARE(t->Txtthema->text(), QString::number(number));
    QCOMPARE(skinTxt(f.app), QByteArray::number(number) + "\r\n");
    // The main window takes the theme at once.
    QCOMPARE(windowColour(w), loadSkin(f.app.folder(), number).window);
    QVERIFY(f.dialogs.shown.isEmpty());
}

void TestSettings::themeStepsStayInRange() {
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.Command9->click();
    w.settingsPanels->Frame8->Command68->click();
    ThemePanel* t = w.settingsPanels->Frame6;
    t->Txtthema->setText(QStringLiteral("1"));
    t->Comdtback->click();
    QCOMPARE(t->Txtthema->text(), QStringLiteral("1"));
    t->Comdtnext->click();
    QCOMPARE(t->Txtthema->text(), QStringLiteral("2"));
    QCOMPARE(skinTxt(f.app), QByteArray("2\r\n"));
    t->Txtthema->setText(QStringLiteral("48"));
    t->Comdtnext->click();
    QCOMPARE(t->Txtthema->text(), QStringLiteral("48"));
    t->Comdtback->click();
    QCOMPARE(t->Txtthema->text(), QStringLiteral("47"));
    QCOMPARE(skinTxt(f.app), QByteArray("47\r\n"));
    // Typed keys: a letter is refused by the guard, "60" ends at 48.
    t->Txtthema->clear();
    hovtest::typeText(t->Txtthema, QStringLiteral("a"));
    QCOMPARE(f.dialogs.notices(), QStringList{kDigitsOnlyNotice});
    t->Txtthema->selectAll();
    hovtest::typeText(t->Txtthema, QStringLiteral("60"));
    QCOMPARE(t->Txtthema->text(), QStringLiteral("48"));
}

void TestSettings::themeReachesWindowsOpenedLater() {
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.Command9->click();
    w.settingsPanels->Frame8->Command68->click();
    w.settingsPanels->Frame6->Txtthema->setText(QStringLiteral("7"));
    QCOMPARE(skinTxt(f.app), QByteArray("7\r\n"));
    const QColor seven = loadSkin(f.app.folder(), 7).window;
    QVERIFY(seven != loadSkin(f.app.folder(), 1).window);
    FrmCode roster(f.app.folder());
    QCOMPARE(windowColour(roster), seven);
    Frm1 next(f.app.folder());
    QCOMPARE(windowColour(next), seven);
}

void TestSettings::themeFileWriteFailureIsReported() {
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.Command9->click();
    w.settingsPanels->Frame8->Command68->click();
    f.dialogs.clear();
    // No skin folder: nothing can be written there.
    QVERIFY(QDir(f.app.folder().skinFolder()).removeRecursively());
    w.settingsPanels->Frame6->Txtthema->setText(QStringLiteral("5"));
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QStringLiteral("message"));
    QVERIFY(f.dialogs.shown[0].text.contains(QStringLiteral("ذخيره نشد")));
    QCOMPARE(w.settingsPanels->Frame6->Txtthema->text(), QStringLiteral("5"));
}

// The inked columns of a text box's drawing: a short Persian wording sits at the right edge.
void TestSettings::itemTextStartsAtTheRightEdge() {
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.show();
    w.Command9->click();
    w.settingsPanels->Frame8->Cmndedit->click();
    QPlainTextEdit* box = w.settingsPanels->Frame1->Text19;
    box->setPlainText(QStringLiteral("سلام"));
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QImage image = box->viewport()->grab().toImage();
    const QColor base = box->palette().color(QPalette::Base);
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAbs(image.pixelColor(x, y).lightness() - base.lightness()) > 80) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
    QVERIFY2(right >= 0, "no text drawn");
    QVERIFY2(left > image.width() / 2,
             qPrintable(QStringLiteral("ink from %1 to %2 of %3").arg(left).arg(right).arg(image.width())));
}

void TestSettings::itemEditorShowsItems_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("item"); // 0: an empty text
    QTest::newRow("480") << "480" << 480;
    QTest::newRow("161") << "161" << 161;
    QTest::newRow("481") << "481" << 0;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("99999") << "99999" << 0;
    QTest::newRow("emptied box shows item 1") << "" << 1;
}

void TestSettings::itemEditorShowsItems() {
    QFETCH(QString, number);
    QFETCH(int, item);
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.Command9->click();
    w.settingsPanels->Frame8->Cmndedit->click();
    ItemEditorPanel* e = w.settingsPanels->Frame1;
    QCOMPARE(e->Text20->text(), QStringLiteral("1"));
    QCOMPARE(e->Text19->toPlainText(), itemText(f.app, 1));
    QVERIFY(!itemText(f.app, 1).isEmpty());
    e->Text20->setText(number);
    QCOMPARE(e->Text19->toPlainText(), item ? itemText(f.app, item) : QString());
    if (number.isEmpty())
        QCOMPARE(e->Text20->text(), QStringLiteral("1"));
    QVERIFY(f.dialogs.shown.isEmpty());
}

void TestSettings::itemEditorSavesAndCancels() {
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.Command9->click();
    w.settingsPanels->Frame8->Cmndedit->click();
    ItemEditorPanel* e = w.settingsPanels->Frame1;
    e->Text20->setText(QStringLiteral("5"));
    const QString wording = QStringLiteral("متن تازه ' \"x\"; DROP TABLE QUS;\nسطر دوم");
    e->Text19->setPlainText(wording);
    e->Command16->click();
    QCOMPARE(f.dialogs.notices(), QStringList{QStringLiteral("ذخيره شد")});
    QCOMPARE(itemText(f.app, 5), wording);
    QVERIFY(e->isVisibleTo(&w));
    // An edit that is cancelled leaves the item as it was.
    const QString before = itemText(f.app, 3);
    e->Text20->setText(QStringLiteral("3"));
    e->Text19->setPlainText(QStringLiteral("نبايد ذخيره شود"));
    e->Command15->click();
    QCOMPARE(itemText(f.app, 3), before);
    QVERIFY(!e->isVisibleTo(&w));
    QCOMPARE(e->Text20->text(), QStringLiteral("1"));
    QCOMPARE(e->Text19->toPlainText(), itemText(f.app, 1));
    // So does an edit left by choosing another item.
    w.settingsPanels->Frame8->Cmndedit->click();
    e->Text20->setText(QStringLiteral("3"));
    e->Text19->setPlainText(QStringLiteral("نبايد ذخيره شود"));
    e->Text20->setText(QStringLiteral("4"));
    QCOMPARE(itemText(f.app, 3), before);
}

void TestSettings::itemEditorRefusesANonItemAndReportsFailures() {
    hovtest::WindowFixture f;
    Frm1 w(f.app.folder());
    w.Command9->click();
    w.settingsPanels->Frame8->Cmndedit->click();
    ItemEditorPanel* e = w.settingsPanels->Frame1;
    const int rows = f.app.value(kHov, QStringLiteral("SELECT COUNT(*) FROM \"QUS\"")).toInt();
    for (const QString& number : {QStringLiteral("481"), QStringLiteral("0"), QStringLiteral("99999")}) {
        e->Text20->setText(number);
        e->Text19->setPlainText(QStringLiteral("متن"));
        e->Command16->click();
    }
    QVERIFY(f.dialogs.notices().isEmpty());
    QCOMPARE(f.dialogs.shown.size(), 3);
    QCOMPARE(f.app.value(kHov, QStringLiteral("SELECT COUNT(*) FROM \"QUS\"")).toInt(), rows);

    f.dialogs.clear();
    QVERIFY(refuseWrites(f.app, kHov, QStringLiteral("QUS")));
    const QString before = itemText(f.app, 2);
    e->Text20->setText(QStringLiteral("2"));
    e->Text19->setPlainText(QStringLiteral("ويرايش"));
    e->Command16->click();
    QVERIFY(f.dialogs.notices().isEmpty());
    QCOMPARE(f.dialogs.shown.size(), 1);
    QVERIFY(f.dialogs.shown[0].text.contains(QStringLiteral("ذخيره نشد")));
    QCOMPARE(e->Text19->toPlainText(), QStringLiteral("ويرايش"));
    QCOMPARE(itemText(f.app, 2), before);

    // A wording that could not be read: its empty field is never saved over the real one.
    QVERIFY(f.app.exec(kHov, QStringLiteral("ALTER TABLE \"QUS\" RENAME TO \"Other\"")));
    f.dialogs.clear();
    e->Text20->setText(QStringLiteral("3"));
    QCOMPARE(f.dialogs.shown.size(), 1);
    QVERIFY(f.dialogs.shown[0].text.startsWith(QStringLiteral("متن سؤال 3 خوانده نشد.")));
    e->Command16->click();
    QCOMPARE(f.dialogs.shown.size(), 2);
    QCOMPARE(f.dialogs.shown[1].text, QStringLiteral("متن سؤال 3 خوانده نشده بود؛ چيزي ذخيره نشد."));
    // A wording typed there is the operator's own: it is stored (here the file refuses).
    QTest::keyClicks(e->Text19, QStringLiteral("x"));
    e->Command16->click();
    QCOMPARE(f.dialogs.shown.size(), 3);
    QVERIFY(f.dialogs.shown[2].text.startsWith(QStringLiteral("متن سؤال 3 ذخيره نشد.")));
    QVERIFY(f.dialogs.notices().isEmpty());
}

void TestSettings::logoChoice() {
    hovtest::WindowFixture f;
    QTemporaryDir dir;
    Frm1 w(f.app.folder());
    w.Command9->click();
    SettingsPanel* panel = w.settingsPanels->Frame8;
    // Cancelled the first time: nothing changes, nothing is said.
    f.dialogs.queueFile(QString());
    panel->Command65->click();
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QStringLiteral("open"));
    QVERIFY(setting(f.app, QStringLiteral("logo")).isNull());

    const QByteArray red = pngBytes(Qt::red);
    f.dialogs.clear();
    f.dialogs.queueFile(writeFile(dir, QStringLiteral("آرم.png"), red));
    panel->Command65->click();
    QCOMPARE(f.dialogs.shown.last().kind, QStringLiteral("message"));
    QCOMPARE(f.dialogs.shown.last().caption, QStringLiteral("توجه"));
    QCOMPARE(f.dialogs.shown.last().text, QStringLiteral(" لوگو ذخيره شد"));
    QCOMPARE(f.dialogs.lastIcon, Dialogs::Icon::Information);
    QCOMPARE(setting(f.app, QStringLiteral("logo")).toByteArray(), red);
    QVERIFY(!panel->Picture2->pixmap().isNull());
    QVERIFY(panel->isVisibleTo(&w));
    // Shown again on the next opening.
    w.closePanels();
    w.Command9->click();
    QVERIFY(!panel->Picture2->pixmap().isNull());
}

void TestSettings::logoRefusals_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("not a picture") << "text";
    QTest::newRow("truncated picture") << "truncated";
    QTest::newRow("50 MB") << "huge";
    QTest::newRow("file gone") << "missing";
    QTest::newRow("write refused") << "refused";
}

void TestSettings::logoRefusals() {
    QFETCH(QString, kind);
    hovtest::WindowFixture f;
    QTemporaryDir dir;
    // An earlier logo, which a refused choice must neither replace nor store again.
    const QByteArray earlier = pngBytes(Qt::blue);
    {
        Frm1 w(f.app.folder());
        w.Command9->click();
        f.dialogs.queueFile(writeFile(dir, QStringLiteral("first.png"), earlier));
        w.settingsPanels->Frame8->Command65->click();
    }
    QCOMPARE(setting(f.app, QStringLiteral("logo")).toByteArray(), earlier);
    f.dialogs.clear();
    QString path;
    if (kind == QLatin1String("text")) {
        path = writeFile(dir, QStringLiteral("notes.png"), "this is no picture");
    } else if (kind == QLatin1String("truncated")) {
        path = writeFile(dir, QStringLiteral("cut.png"), pngBytes(Qt::green).left(60));
    } else if (kind == QLatin1String("huge")) {
        path = dir.filePath(QStringLiteral("huge.bmp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(50LL * 1024 * 1024));
    } else if (kind == QLatin1String("missing")) {
        path = dir.filePath(QStringLiteral("gone.png"));
    } else {
        path = writeFile(dir, QStringLiteral("green.png"), pngBytes(Qt::green));
        QVERIFY(refuseWrites(f.app, kTheme, QStringLiteral("Theme")));
    }
    Frm1 w(f.app.folder());
    w.Command9->click();
    f.dialogs.queueFile(path);
    w.settingsPanels->Frame8->Command65->click();
    QCOMPARE(f.dialogs.shown.size(), 2);
    QCOMPARE(f.dialogs.shown[1].kind, QStringLiteral("message"));
    QVERIFY(f.dialogs.shown[1].text != QStringLiteral(" لوگو ذخيره شد"));
    QCOMPARE(setting(f.app, QStringLiteral("logo")).toByteArray(), earlier);
    // Persian for the operator; the system's words only as details.
    QString withoutName = f.dialogs.shown[1].text;
    withoutName.remove(QFileInfo(path).fileName()).remove(kTheme).remove(QDir::toNativeSeparators(f.app.path()));
    static const QRegularExpression english(QStringLiteral("[A-Za-z]{4,}"));
    QVERIFY2(!withoutName.contains(english), qPrintable(f.dialogs.shown[1].text));
    if (kind == QLatin1String("missing"))
        QVERIFY(!f.dialogs.shown[1].details.isEmpty());
}

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
