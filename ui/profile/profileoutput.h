#pragma once

// The profile window's printed report (Cmdprint, Cmdprint2) and Word export (Cmdword,
// Cmdword2), and the capture state the window is put into for them.

#include "report/profilepainter.h"
#include "report/reportpainter.h"

#include <QCursor>
#include <QString>

namespace hov {

class FrmNemudar;
class ReportPreview;

// The window in a capture state for as long as this lives: the look (white back colour and
// plot fill; title, buttons and, for print, the counts row hidden), the interpretation panel
// hidden and the busy pointer. Its end puts the window back at rest with the pointer it had;
// the panel stays hidden. The window frame is left as it is: the picture is painted from the
// window's values, never copied from the screen, so the frame is never part of it.
class CaptureState {
public:
    CaptureState(FrmNemudar& window, const report::ProfileLook& look);
    ~CaptureState();
    CaptureState(const CaptureState&) = delete;
    CaptureState& operator=(const CaptureState&) = delete;

private:
    FrmNemudar& window_;
    bool hadCursor_;
    QCursor cursor_;
};

namespace profileoutput {

// Cmdprint (with the stored interpretation) and Cmdprint2 (without): the report in a new,
// modeless preview, returned (nullptr when nothing was shown).
ReportPreview* print(FrmNemudar& window, bool withInterpretation);

// Cmdword (with the profile picture) and Cmdword2 (without): the stored interpretation,
// generated and stored first when there is none, as ss11.docx in the documents folder,
// opened with the system's handler. True when the document was written.
bool exportWord(FrmNemudar& window, bool withProfile);

// Where the export writes: ss11.docx in the user's documents folder.
QString wordDocumentPath();

// The report's values for the window's subject, counts and clinic, with the given text.
report::ReportValues reportValues(FrmNemudar& window, const QString& interpretation);

} // namespace profileoutput

} // namespace hov
