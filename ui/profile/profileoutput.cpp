#include "ui/profile/profileoutput.h"

#include "data/bidi.h"
#include "data/settingsdb.h"
#include "report/docxwriter.h"
#include "ui/kit/services.h"
#include "ui/profile/frmnemudar.h"
#include "ui/profile/reportpreview.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QStandardPaths>
#include <QUrl>

namespace hov {

namespace {

const QString kCaption = QStringLiteral("پيام");
const QString kCrLf = QStringLiteral("\r\n");

// A store's failure: what could not be done, then the store's Persian sentence.
void complain(QWidget* owner, const QString& what, const StoreFailure& failure) {
    showStoreFailure(owner, QStringLiteral("خطا"), what, failure, Dialogs::Icon::Warning);
}

// The stored interpretation; nullopt (after telling the operator) when it could not be read,
// so that an unreadable text is never taken for "none stored".
std::optional<QString> readStored(FrmNemudar& window) {
    const SubjectDb::StoredInterpretation stored = window.storedInterpretation();
    if (stored.status == SubjectDb::StoredInterpretation::Status::Failed) {
        complain(&window, QStringLiteral("تفسير ذخيره شده خوانده نشد"), window.storeFailure());
        return std::nullopt;
    }
    return stored.text;
}

} // namespace

CaptureState::CaptureState(FrmNemudar& window, const report::ProfileLook& look)
    : window_(window), hadCursor_(window.testAttribute(Qt::WA_SetCursor)),
      cursor_(window.cursor()) {
    window_.setLook(look);
    window_.FramTaf->hide();
    window_.setCursor(Qt::WaitCursor);
}

CaptureState::~CaptureState() {
    if (hadCursor_)
        window_.setCursor(cursor_);
    else
        window_.unsetCursor();
    window_.setLook(report::ProfileLook::rest());
}

namespace profileoutput {

QString wordDocumentPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("ss11.docx"));
}

report::ReportValues reportValues(FrmNemudar& window, const QString& interpretation) {
    const ProfileHandOver& in = window.handedOver();
    const report::ProfileValues shown = window.profileValues();
    report::ReportValues v;
    v.code = in.subject.code;
    v.group = in.subject.group;
    v.firstName = in.subject.firstName;
    v.lastName = in.subject.lastName;
    v.sex = in.subject.sex;
    v.age = in.subject.age;
    v.marital = in.subject.marital;
    v.education = in.subject.education;
    v.testDate = in.subject.date;
    // The counts as the window shows them.
    v.unanswered = shown.unanswered;
    v.yes = shown.yes;
    v.no = shown.no;
    v.clinicName = in.clinicName;
    v.clinicAddress = in.clinicAddress;
    v.logoPicture = in.clinicLogo.toImage();
    v.printLogo = in.printLogo;
    v.interpretation = interpretation;
    // The contact block as the main window assembles it, read now from the settings.
    SettingsDb settings(window.folder());
    const ClinicSettings clinic = settings.load();
    if (settings.lastFailure().isFailure())
        complain(&window, QStringLiteral("اطلاعات تماس مركز خوانده نشد؛ گزارش بدون آن چاپ مي شود"),
                 settings.lastFailure());
    else
        v.contacts = clinic.contactBlock();
    return v;
}

ReportPreview* print(FrmNemudar& window, bool withInterpretation) {
    // Only the stored text prints, never the editor's unsaved edits; a report without
    // interpretation is a new report, so it never carries an earlier one.
    QString interpretation;
    if (withInterpretation) {
        const std::optional<QString> stored = readStored(window);
        if (!stored)
            return nullptr;
        interpretation = *stored;
    }
    const report::ReportValues values = reportValues(window, interpretation);
    ReportPreview* preview = nullptr;
    {
        // The report is filled and shown in the print state; the window is then at rest.
        CaptureState capture(window, report::ProfileLook::printCapture());
        preview = new ReportPreview(values, window.profileValues());
        preview->show();
    }
    return preview;
}

bool exportWord(FrmNemudar& window, bool withProfile) {
    window.FramTaf->hide();
    const std::optional<QString> stored = readStored(window);
    if (!stored)
        return false;
    QString text = *stored;
    if (text.isEmpty() && !window.interpretationSourcesRead()) {
        // A new interpretation without its norms and paragraphs would be stored without
        // asking and then stand as the subject's interpretation: nothing is made.
        dialogs().message(&window, QStringLiteral("خطا"),
                          QStringLiteral("جدول نرم ها و متنهاي تفسير خوانده نشد؛ تفسير جديد ساخته "
                                         "نشد و فايل Word ساخته نشد."),
                          Dialogs::Icon::Warning);
        return false;
    }
    if (text.isEmpty()) {
        // No stored interpretation: a new one, stored without asking.
        window.LblTaf->setText(QStringLiteral("تفسير جديد"));
        text = window.newInterpretation();
        window.setEditorText(text);
        if (!window.storeInterpretation(text))
            complain(&window, QStringLiteral("تفسير جديد ذخيره نشد"), window.storeFailure());
    }

    QImage picture;
    {
        CaptureState capture(window, report::ProfileLook::wordCapture());
        if (withProfile)
            picture = report::renderProfileWindow(window.profileValues(),
                                                  report::ProfileLook::wordCapture(), 96.0);
    }

    // The finished document replaces an earlier one only once it is whole on disk; on any
    // failure the operator is told, and no success follows.
    const QString path = wordDocumentPath();
    const QString folder = QFileInfo(path).path();
    QString error;
    if (!QDir().mkpath(folder))
        error = QStringLiteral("پوشه اسناد ساخته نشد: ") + isolatedPath(folder);
    else if (report::saveDocx(path, {text, picture}, &error))
        error.clear();
    else if (error.isEmpty())
        error = QStringLiteral("علت خطا معلوم نيست");
    if (!error.isEmpty()) {
        dialogs().error(&window, QStringLiteral("خطا"),
                        QStringLiteral("فايل Word ساخته نشد:") + kCrLf +
                            isolatedPath(path),
                        error, Dialogs::Icon::Critical);
        return false;
    }
    const bool opened = shell().openUrl(QUrl::fromLocalFile(path));
    dialogs().message(&window, kCaption,
                      QStringLiteral(": فايل شما") + kCrLf + kCrLf + kCrLf + kCrLf +
                          QStringLiteral(". ساخته شد"),
                      Dialogs::Icon::Information);
    // Without a word processor to open it the operator would not know where the document
    // is: say so, with its place.
    if (!opened)
        dialogs().message(&window, kCaption,
                          QStringLiteral("برنامه اي براي باز کردن فايل Word پيدا نشد. فايل در اين مسير است:") +
                              kCrLf + isolated(QDir::toNativeSeparators(path)),
                          Dialogs::Icon::Warning);
    return true;
}

} // namespace profileoutput

} // namespace hov
