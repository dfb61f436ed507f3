#pragma once

#include "report/profilepainter.h"
#include "report/reportpainter.h"

#include <QPrintPreviewDialog>

namespace hov {

// The printed report's preview: modeless and independent of the profile window (it keeps
// its own copy of everything it shows, so it outlives the window). Prints through the
// toolbar's print button and saves a PDF through "ذخيره PDF".
class ReportPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    ReportPreview(const report::ReportValues& values, const report::ProfileValues& profile,
                  QWidget* parent = nullptr);

    const report::ReportValues& values() const { return values_; }

    // Paints the report onto a printer's or writer's pages; the number of pages, 0 on failure.
    int paintOn(QPagedPaintDevice& device) const;
    // Writes the report as a PDF file, replacing `path` only once the file is complete.
    bool savePdf(const QString& path, QString* error = nullptr) const;

private:
    void askAndSavePdf();

    report::ReportValues values_;
    report::ProfileValues profile_;
};

} // namespace hov
