// The .docx writer and the printed report, read back as a word processor and a PDF reader
// would: python-docx for the document, pdftotext and pdftoppm for the report.

#include "report/docxwriter.h"
#include "report/reportpainter.h"
#include "report/storedzip.h"
#include "tests/support/documents.h"
#include "ui/kit/fonts.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace hov::report;
using hovtest::inspectDocx;
using hovtest::normalised;
using hovtest::pdfPages;
using hovtest::pdfText;

namespace {

// Offscreen: a private runtime folder keeps QStandardPaths quiet.
void prepareEnvironment() {
    static QTemporaryDir runtime;
    if (runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
}
Q_CONSTRUCTOR_FUNCTION(prepareEnvironment)

QImage renderPage(const QString& pdf, int page, int dpi) {
    QTemporaryDir dir;
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
             QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
             QString::number(page), QStringLiteral("-singlefile"), pdf,
             dir.filePath(QStringLiteral("page"))});
    p.waitForFinished(60000);
    return QImage(dir.filePath(QStringLiteral("page.png")));
}

QImage testPicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(0, 0, w - 1, h - 1);
    return image;
}

ReportValues sampleValues() {
    ReportValues v;
    v.code = QStringLiteral("C-1042");
    v.group = QStringLiteral("B");
    v.firstName = QStringLiteral("مريم");
    v.lastName = QStringLiteral("احمدي");
    v.sex = QStringLiteral("زن");
    v.age = QStringLiteral("34");
    v.marital = QStringLiteral("متاهل");
    v.education = QStringLiteral("ليسانس");
    v.testDate = QStringLiteral("1403/05/12");
    v.unanswered = QStringLiteral("7");
    v.yes = QStringLiteral("251");
    v.no = QStringLiteral("222");
    v.clinicName = QStringLiteral("مرکز مشاوره آرامش");
    v.clinicAddress = QStringLiteral("تهران، خيابان وليعصر، پلاک ۱۲");
    v.contacts = QStringLiteral("info@example.org\r\n021-55551234\r\n");
    return v;
}

// Paints a marker into the profile's frame, so the tests see that it was called.
void markProfile(QPainter& painter, const QRectF& target) {
    painter.setPen(Qt::black);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 1));
    QFont f = painter.font();
    f.setPixelSize(200);
    painter.setFont(f);
    painter.drawText(target, Qt::AlignCenter, QStringLiteral("PROFILEMARK"));
}

int writeReport(const QString& path, const ReportValues& values) {
    QPdfWriter writer(path);
    setUpReportPage(writer);
    return paintReport(writer, values, markProfile);
}

QString longInterpretation(int lines) {
    QStringList text;
    for (int i = 1; i <= lines; ++i)
        text << QStringLiteral("بند %1 آزمودني در اين مقياس نمره اي بالاتر از ميانگين دارد و "
                               "اين نشانه اي از توان سازگاري است.")
                    .arg(i);
    return text.join(QStringLiteral("\r\n"));
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void docxParagraphs_data();
    void docxParagraphs();
    void docxPictureKeepsItsPixels();
    void docxIsAStoredZip();
    void saveFailures_data();
    void saveFailures();
    void failedWriteKeepsEarlierDocument();

    void reportHoldsFieldsCountsAndInterpretation();
    void reportWithoutInterpretation();
    void reportTakesAnyInterpretation();
    void longInterpretationRunsOnWithFooterOnEveryPage();
    void badClinicDataStaysInsideItsLabels_data();
    void badClinicDataStaysInsideItsLabels();

private:
    // HOV_TEST_OUTPUT keeps the documents and reports for a look afterwards.
    QString outPath(const QString& name) const {
        const QString keep = qEnvironmentVariable("HOV_TEST_OUTPUT");
        return keep.isEmpty() ? dir_.filePath(name) : QDir(keep).filePath(name);
    }
    QTemporaryDir dir_;
};

void TestReport::initTestCase() {
    hov::installFonts();
    QVERIFY(dir_.isValid());
    QVERIFY2(QFile::exists(QStringLiteral("/usr/bin/pdftotext")), "poppler-utils missing");
}

void TestReport::docxParagraphs_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("withPicture");
    QTest::addColumn<QStringList>("expected"); // body paragraphs; "<picture>" for the picture

    const QString two = QStringLiteral("سطر اول\r\nسطر دوم");
    QTest::newRow("text only") << two << false
                               << QStringList{QStringLiteral("سطر اول"), QStringLiteral("سطر دوم")};
    QTest::newRow("with picture")
        << two << true
        << QStringList{QString(), QStringLiteral("<picture>"), QString(), QString(), QString(),
                       QStringLiteral("سطر اول"), QStringLiteral("سطر دوم")};
    QTest::newRow("empty text") << QString() << false << QStringList{QString()};
    QTest::newRow("empty text, picture")
        << QString() << true
        << QStringList{QString(), QStringLiteral("<picture>"), QString(), QString(), QString()};
    QTest::newRow("markup and quotes")
        << QStringLiteral("a < b && c > d ]]> \"x\" 'y' <w:p/> &amp;") << false
        << QStringList{QStringLiteral("a < b && c > d ]]> \"x\" 'y' <w:p/> &amp;")};
    QTest::newRow("control characters dropped")
        << QStringLiteral("پيش") + QChar(0) + QChar(1) + QChar(0x0B) + QChar(0x0C) + QChar(0x1F)
               + QChar(0x7F) + QChar(0x85) + QChar(0xFFFE) + QChar(0xD800) + QStringLiteral("پس")
        << false << QStringList{QStringLiteral("پيشپس")};
    QTest::newRow("bidirectional marks and tab kept")
        << QStringLiteral("\u200Fنام\u200E ABC \u202Bمتن\u202C\u2067x\u2069\tپايان") << false
        << QStringList{QStringLiteral("\u200Fنام\u200E ABC \u202Bمتن\u202C\u2067x\u2069\tپايان")};
    QTest::newRow("LF, CR and blank lines")
        << QStringLiteral("يک\nدو\r\rسه\r\n") << false
        << QStringList{QStringLiteral("يک"), QStringLiteral("دو"), QString(), QStringLiteral("سه"),
                       QString()};
    QTest::newRow("emoji (surrogate pair) kept") << QStringLiteral("خوب 😀") << false
                                                 << QStringList{QStringLiteral("خوب 😀")};
    const QString huge = QString(QStringLiteral("ت")).repeated(100000);
    QTest::newRow("100000 characters") << huge << false << QStringList{huge};
}

void TestReport::docxParagraphs() {
    QFETCH(QString, text);
    QFETCH(bool, withPicture);
    QFETCH(QStringList, expected);

    const QString path = outPath(QStringLiteral("paragraphs.docx"));
    QString error;
    QVERIFY2(saveDocx(path, {text, withPicture ? testPicture(840, 670) : QImage()}, &error),
             qPrintable(error));
    const QJsonObject doc = inspectDocx(path);
    QVERIFY2(!doc.isEmpty(), "python-docx could not open the document");
    QVERIFY(doc.value(QStringLiteral("sectionBidi")).toBool());

    const QJsonArray paragraphs = doc.value(QStringLiteral("paragraphs")).toArray();
    QCOMPARE(paragraphs.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const QJsonObject p = paragraphs.at(i).toObject();
        const bool picture = p.value(QStringLiteral("picture")).toBool();
        QCOMPARE(picture, expected[i] == QLatin1String("<picture>"));
        if (!picture)
            QCOMPARE(p.value(QStringLiteral("text")).toString(), expected[i]);
        QVERIFY2(p.value(QStringLiteral("bidi")).toBool(), qPrintable(QString::number(i)));
        QVERIFY2(p.value(QStringLiteral("justified")).toBool(), qPrintable(QString::number(i)));
        QVERIFY2(p.value(QStringLiteral("rtlRuns")).toBool(), qPrintable(QString::number(i)));
    }
    QCOMPARE(doc.value(QStringLiteral("pictures")).toArray().size(), withPicture ? 1 : 0);
}

void TestReport::docxPictureKeepsItsPixels() {
    const QString path = outPath(QStringLiteral("picture.docx"));
    QVERIFY(saveDocx(path, {QStringLiteral("متن"), testPicture(840, 670)}));
    const QJsonObject picture =
        inspectDocx(path).value(QStringLiteral("pictures")).toArray().at(0).toObject();
    QCOMPARE(picture.value(QStringLiteral("pxWidth")).toInt(), 840);
    QCOMPARE(picture.value(QStringLiteral("pxHeight")).toInt(), 670);
    QCOMPARE(picture.value(QStringLiteral("contentType")).toString(), QStringLiteral("image/png"));
    // Wider than the text (9638 twips), so shown at the text width with its proportions.
    const double w = picture.value(QStringLiteral("emuWidth")).toDouble();
    const double h = picture.value(QStringLiteral("emuHeight")).toDouble();
    QCOMPARE(w, 9638.0 * 635);
    QVERIFY(qAbs(w / h - 840.0 / 670.0) < 0.001);

    // A small picture keeps its 96-dpi size.
    QVERIFY(saveDocx(path, {QString(), testPicture(200, 100)}));
    const QJsonObject small =
        inspectDocx(path).value(QStringLiteral("pictures")).toArray().at(0).toObject();
    QCOMPARE(small.value(QStringLiteral("emuWidth")).toInt(), 200 * 9525);
    QCOMPARE(small.value(QStringLiteral("emuHeight")).toInt(), 100 * 9525);
}

void TestReport::docxIsAStoredZip() {
    const std::optional<QByteArray> bytes = buildDocx({QStringLiteral("متن"), testPicture(40, 30)});
    QVERIFY(bytes);
    QVERIFY(bytes->startsWith("PK\x03\x04"));
    // Local file headers: compression method 0 (stored) in every one.
    qsizetype at = 0;
    int headers = 0;
    while ((at = bytes->indexOf("PK\x03\x04", at)) >= 0) {
        QCOMPARE(quint8(bytes->at(at + 8)) | quint8(bytes->at(at + 9)) << 8, 0);
        ++headers;
        at += 4;
    }
    QCOMPARE(headers, 6);
    // The same content gives the same bytes.
    QCOMPARE(*bytes, *buildDocx({QStringLiteral("متن"), testPicture(40, 30)}));
}

void TestReport::saveFailures_data() {
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<QString>("setUp");
    QTest::newRow("folder missing") << QStringLiteral("missing/ss11.docx") << QString();
    QTest::newRow("target is a folder") << QStringLiteral("isdir/ss11.docx")
                                        << QStringLiteral("mkdir-target");
    QTest::newRow("folder is a file") << QStringLiteral("plainfile/ss11.docx")
                                      << QStringLiteral("file-parent");
}

void TestReport::saveFailures() {
    QFETCH(QString, relativePath);
    QFETCH(QString, setUp);
    QTemporaryDir dir;
    const QString path = dir.filePath(relativePath);
    if (setUp == QLatin1String("mkdir-target"))
        QVERIFY(QDir().mkpath(path));
    if (setUp == QLatin1String("file-parent")) {
        QFile f(QFileInfo(path).path());
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QString error;
    QVERIFY(!saveDocx(path, {QStringLiteral("متن"), QImage()}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo(path).isFile());
    // Nothing half-written is left next to it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), setUp == "file-parent" ? 1 : 0);
}

// A disk that fills up half way: the earlier document stays as it was.
void TestReport::failedWriteKeepsEarlierDocument() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ss11.docx"));
    {
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier document");
    }
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool saved = saveDocx(path, {QStringLiteral("متن"), testPicture(840, 670)}, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY(!saved);
    QVERIFY(!error.isEmpty());
    QFile earlier(path);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("earlier document"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("ss11.docx")});
}

void TestReport::reportHoldsFieldsCountsAndInterpretation() {
    ReportValues v = sampleValues();
    v.interpretation = QStringLiteral("كد  C-1042  گروه: B\r\nآزمودني فردي اجتماعي است.");
    const QString pdf = outPath(QStringLiteral("report.pdf"));
    QCOMPARE(writeReport(pdf, v), 1);
    QCOMPARE(pdfPages(pdf), 1);
    const QString text = pdfText(pdf);
    for (const QString& expected :
         {v.code, v.group, v.firstName, v.lastName, v.sex, v.age, v.marital, v.education,
          QStringLiteral("251"), QStringLiteral("222"), v.clinicName, v.clinicAddress,
          QStringLiteral("info@example.org"), QStringLiteral("021-55551234"),
          QStringLiteral("آزمون شخصيتي ورناسا HOV"), QStringLiteral("تعداد پاسخ بلي"),
          QStringLiteral("آزمودني فردي اجتماعي است."), QStringLiteral("PROFILEMARK")})
        QVERIFY2(text.contains(normalised(expected)), qPrintable(expected));
    QVERIFY(text.contains(QStringLiteral("1403/05/12")) || text.contains(QStringLiteral("12/05/1403")));
}

void TestReport::reportWithoutInterpretation() {
    ReportValues v = sampleValues();
    const QString pdf = outPath(QStringLiteral("plain.pdf"));
    QCOMPARE(writeReport(pdf, v), 1);
    const QString text = pdfText(pdf);
    QVERIFY(text.contains(normalised(v.lastName)));
    QVERIFY(!text.contains(normalised(QStringLiteral("بند"))));
}

// Markup, control characters and directional marks: a valid report with the readable text.
void TestReport::reportTakesAnyInterpretation() {
    ReportValues v = sampleValues();
    v.interpretation = QStringLiteral("<b>&amp; ]]> \"نقل\"") + QChar(0) + QChar(7) + QChar(0x1B)
                       + QStringLiteral("\u200Fپايان\u202Bمتن\u202C\tبعد");
    const QString pdf = outPath(QStringLiteral("odd.pdf"));
    QCOMPARE(writeReport(pdf, v), 1);
    const QString text = pdfText(pdf);
    // Neutral signs between the runs come out of pdftotext in display order; the runs whole.
    for (const char* expected : {"b>&amp", "نقل", "پايان", "متن", "بعد"})
        QVERIFY2(text.contains(normalised(QString::fromUtf8(expected))), expected);
}

void TestReport::longInterpretationRunsOnWithFooterOnEveryPage() {
    ReportValues v = sampleValues();
    v.interpretation = longInterpretation(60);
    const QString pdf = outPath(QStringLiteral("long.pdf"));
    const int pages = writeReport(pdf, v);
    QVERIFY(pages >= 2);
    QCOMPARE(pdfPages(pdf), pages);
    QString all;
    for (int page = 1; page <= pages; ++page) {
        const QString text = pdfText(pdf, page);
        QVERIFY2(text.contains(normalised(v.clinicAddress)), qPrintable(QString::number(page)));
        QVERIFY(text.contains(QStringLiteral("info@example.org")));
        all += text;
    }
    // Every line arrives whole and once, in order.
    qsizetype from = 0;
    for (int i = 1; i <= 60; ++i) {
        const QString line = normalised(QStringLiteral("بند %1 آزمودني").arg(i));
        const qsizetype at = all.indexOf(line, from);
        QVERIFY2(at >= 0, qPrintable(QString::number(i)));
        from = at + line.size();
    }
    // The subject header is on the first page only.
    QVERIFY(!pdfText(pdf, 2).contains(normalised(QStringLiteral("تعداد پاسخ بلي"))));

    // One huge paragraph without a single space still wraps and runs on.
    v.interpretation = QString(QStringLiteral("ب")).repeated(100000);
    QVERIFY(writeReport(pdf, v) >= 2);
}

void TestReport::badClinicDataStaysInsideItsLabels_data() {
    QTest::addColumn<QByteArray>("logo");
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage(6000, 4000, QImage::Format_RGB32).save(&buffer, "PNG");
    QByteArray tiny;
    QBuffer tinyBuffer(&tiny);
    tinyBuffer.open(QIODevice::WriteOnly);
    QImage(1, 1, QImage::Format_RGB32).save(&tinyBuffer, "PNG");
    QTest::addColumn<QImage>("picture");
    QImage decoded(7000, 300, QImage::Format_RGB32);
    decoded.fill(Qt::darkGreen);
    QTest::newRow("huge logo") << png << QImage();
    QTest::newRow("tiny logo") << tiny << QImage();
    QTest::newRow("not a picture")
        << QByteArray("GIF89a this is not a picture\0\1\2", 32) << QImage();
    QTest::newRow("no logo") << QByteArray() << QImage();
    QTest::newRow("huge decoded logo") << QByteArray() << decoded;
}

void TestReport::badClinicDataStaysInsideItsLabels() {
    QFETCH(QByteArray, logo);
    QFETCH(QImage, picture);
    ReportValues v = sampleValues();
    v.logo = logo;
    v.logoPicture = picture;
    v.printLogo = true;
    v.clinicName = QStringLiteral("مرکز مشاوره و روان درماني ").repeated(12);
    v.clinicAddress = QStringLiteral("استان تهران، شهر تهران، خيابان بسيار طولاني ").repeated(20);
    v.contacts = QStringLiteral("very.long.address.of.the.clinic@example.org\r\n").repeated(15);
    v.lastName = QStringLiteral("نام خانوادگي بسيار بسيار طولاني");
    const QString pdf = outPath(QStringLiteral("bad.pdf"));
    QCOMPARE(writeReport(pdf, v), 1);

    // Rendered at 72 dpi (20 twips a pixel): the strips between controls stay blank.
    const QImage page = renderPage(pdf, 1, 72);
    QVERIFY(!page.isNull());
    const auto blank = [&](double x, double y, double w, double h) {
        // Section coordinates in twips, shifted by the page margins.
        const QRect r(qRound((x + 440) / 20), qRound((y + 1440) / 20), qRound(w / 20),
                      qRound(h / 20));
        for (int py = r.top(); py <= r.bottom(); ++py)
            for (int px = r.left(); px <= r.right(); ++px) {
                const QColor c = page.pixelColor(px, py);
                if (c.lightness() < 200)
                    return false;
            }
        return true;
    };
    // Between the clinic name (ends at 749) and the title (starts at 950).
    QVERIFY(blank(2300, 830, 8300, 60));
    // Between the address (from 5511) and the contacts (to 5457) in the footer, and below
    // the footer's labels (they end at 1446, the page's margin).
    const double footerTop = 16838 - 2 * 1440 - 1446;
    QVERIFY(blank(5470, footerTop + 150, 30, 1250));
    QVERIFY(blank(0, footerTop + 1460, 10700, 300));
    // The logo stays in its frame (177, 81, 1515 x 1395): nothing right of it before the
    // clinic name, nothing below it before the subject row's band.
    QVERIFY(blank(1700, 81, 450, 1395));
    QVERIFY(blank(177, 1480, 1515, 40));
}

QTEST_MAIN(TestReport)
#include "test_report.moc"
