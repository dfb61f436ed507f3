// The printed report to PDF against a blank QPdfWriter page, and the .docx export (the picture
// already captured) against writing the same parts as a plain zip file with libzip.
#include "benchsupport.h"
#include "report/docxwriter.h"
#include "report/profilepainter.h"
#include "report/reportpainter.h"
#include "ui/kit/fonts.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QList>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextStream>

#include <zip.h>

namespace {

constexpr double kReportTargetMs = 100.0;
constexpr double kDocxTargetMs = 50.0;

// The profile as the report shows it: the window's picture in the print capture look.
hov::report::ProfileValues profileValues() {
    hov::report::ProfileValues p;
    p.sex = QStringLiteral("زن");
    for (int i = 0; i < hov::kScaleCount; ++i) {
        p.rawScores[static_cast<size_t>(i)] = QString::number(10 + i);
        p.tScores[static_cast<size_t>(i)] = QString::number(35 + (i * 7) % 30);
    }
    p.unanswered = QStringLiteral("7");
    p.yes = QStringLiteral("251");
    p.no = QStringLiteral("222");
    return p;
}

void paintChart(QPainter& painter, const QRectF& target) {
    static const hov::report::ProfileValues values = profileValues();
    hov::report::paintFitted(painter, target,
                             QSizeF(hov::report::profile::kWidth, hov::report::profile::kHeight),
                             [](QPainter& p) {
                                 hov::report::paintProfileWindow(
                                     p, values, hov::report::ProfileLook::printCapture());
                             });
}

hov::report::ReportValues values() {
    hov::report::ReportValues v;
    v.code = QStringLiteral("1042");
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
    QStringList lines;
    for (int i = 0; i < 12; ++i)
        lines << QStringLiteral("آزمودني در اين مقياس نمره اي بالاتر از ميانگين دارد و اين نشانه اي "
                                "از توان سازگاري و همکاري در گروه است.");
    v.interpretation = lines.join(QStringLiteral("\r\n"));
    return v;
}

QImage capturedPicture() {
    return hov::report::renderProfileWindow(profileValues(),
                                            hov::report::ProfileLook::wordCapture(), 96.0);
}

// The parts of a zip held in memory, read back with libzip.
QList<QPair<QByteArray, QByteArray>> entriesOf(const QByteArray& zipBytes) {
    QList<QPair<QByteArray, QByteArray>> entries;
    zip_error_t err;
    zip_error_init(&err);
    zip_source_t* src = zip_source_buffer_create(zipBytes.constData(),
                                                 static_cast<zip_uint64_t>(zipBytes.size()), 0, &err);
    zip_t* archive = src ? zip_open_from_source(src, ZIP_RDONLY, &err) : nullptr;
    zip_error_fini(&err);
    if (!archive)
        return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st);
        QByteArray data(static_cast<qsizetype>(st.size), '\0');
        zip_file_t* f = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        zip_fread(f, data.data(), st.size);
        zip_fclose(f);
        entries.append({QByteArray(st.name), data});
    }
    zip_close(archive);
    return entries;
}

bool writePlainZip(const QString& path, const QList<QPair<QByteArray, QByteArray>>& entries) {
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    for (const auto& [name, data] : entries) {
        zip_source_t* s =
            zip_source_buffer(archive, data.constData(), static_cast<zip_uint64_t>(data.size()), 0);
        const zip_int64_t index = zip_file_add(archive, name.constData(), s, ZIP_FL_ENC_UTF_8);
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    return zip_close(archive) == 0;
}

} // namespace

int main(int argc, char** argv) {
    hovbench::prepareHeadless();
    QGuiApplication app(argc, argv);
    hov::installFonts();
    QTemporaryDir dir;
    QTextStream out(stdout);

    // Report: the whole report into a PDF file, against one blank page of the same writer.
    const hov::report::ReportValues v = values();
    const QString reportPdf = dir.filePath(QStringLiteral("report.pdf"));
    const double reportMs = hovbench::medianMs(
        [&] {
            QPdfWriter writer(reportPdf);
            hov::report::setUpReportPage(writer);
            hov::report::paintReport(writer, v, paintChart);
        },
        15);
    const QString blankPdf = dir.filePath(QStringLiteral("blank.pdf"));
    const double blankMs = hovbench::medianMs(
        [&] {
            QPdfWriter writer(blankPdf);
            hov::report::setUpReportPage(writer);
            QPainter p(&writer);
        },
        15);
    hovbench::report(QStringLiteral("report to PDF"), reportMs, QStringLiteral("a blank PDF page"),
                     blankMs, blankMs > 0 ? kReportTargetMs / blankMs : 0);
    const bool reportOk = reportMs <= kReportTargetMs;
    out << "report to PDF: " << QString::number(reportMs, 'f', 1) << " ms, target <= "
        << kReportTargetMs << " ms " << (reportOk ? "OK" : "MISSED") << Qt::endl;

    // Export: the document with the captured picture and the interpretation, built and saved,
    // against writing its parts (already made) as a plain stored zip file.
    const hov::report::DocxContent content{v.interpretation, capturedPicture()};
    const QString docx = dir.filePath(QStringLiteral("ss11.docx"));
    const double docxMs =
        hovbench::medianMs([&] { hov::report::saveDocx(docx, content); }, 30);
    const auto entries = entriesOf(*hov::report::buildDocx(content));
    const QString plain = dir.filePath(QStringLiteral("plain.zip"));
    const double zipMs = hovbench::medianMs([&] { writePlainZip(plain, entries); }, 30);
    hovbench::report(QStringLiteral(".docx export"), docxMs,
                     QStringLiteral("the same parts as a plain zip"), zipMs,
                     zipMs > 0 ? kDocxTargetMs / zipMs : 0);
    const bool docxOk = docxMs <= kDocxTargetMs && !entries.isEmpty();
    out << ".docx export: " << QString::number(docxMs, 'f', 1) << " ms, target <= "
        << kDocxTargetMs << " ms " << (docxOk ? "OK" : "MISSED") << Qt::endl;
    return reportOk && docxOk ? 0 : 1;
}
