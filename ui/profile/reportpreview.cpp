#include "ui/profile/reportpreview.h"

#include "data/bidi.h"
#include "report/docxwriter.h"
#include "ui/kit/services.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolBar>

namespace hov {

ReportPreview::ReportPreview(const report::ReportValues& values,
                             const report::ProfileValues& profile, QWidget* parent)
    : QPrintPreviewDialog(parent), values_(values), profile_(profile) {
    setObjectName(QStringLiteral("ReportPreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    report::setUpReportPage(*printer());
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { paintOn(*printer); });
    if (auto* bar = findChild<QToolBar*>()) {
        QAction* save = bar->addAction(QStringLiteral("ذخيره PDF"));
        save->setObjectName(QStringLiteral("SavePdf"));
        connect(save, &QAction::triggered, this, &ReportPreview::askAndSavePdf);
    }
}

int ReportPreview::paintOn(QPagedPaintDevice& device) const {
    const report::ProfileValues profile = profile_;
    return report::paintReport(device, values_, [profile](QPainter& p, const QRectF& target) {
        report::paintFitted(p, target, QSizeF(report::profile::kWidth, report::profile::kHeight),
                            [&](QPainter& c) {
                                report::paintProfileWindow(c, profile,
                                                           report::ProfileLook::printCapture());
                            });
    });
}

bool ReportPreview::savePdf(const QString& path, QString* error) const {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("HOV-480"));
        report::setUpReportPage(writer);
        if (paintOn(writer) == 0) {
            if (error)
                *error = QStringLiteral("the report could not be painted");
            return false;
        }
    }
    return report::saveFileAtomically(path, bytes, error);
}

void ReportPreview::askAndSavePdf() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    // The code as part of a file name: no folder separators or characters a file system refuses.
    QString code = values_.code;
    code.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]")), QStringLiteral("_"));
    const QString name = code.isEmpty() ? QStringLiteral("report.pdf")
                                        : QStringLiteral("report-%1.pdf").arg(code);
    const QString path =
        dialogs().saveFileName(this, QDir(folder).filePath(name), QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    QString error;
    // The system's own (English) words go to the details, as for every other failure.
    if (!savePdf(path, &error))
        dialogs().error(this, QStringLiteral("پيام"),
                        QStringLiteral("فايل PDF ساخته نشد:") + QStringLiteral("\r\n") +
                            isolatedPath(path),
                        error, Dialogs::Icon::Critical);
}

} // namespace hov
