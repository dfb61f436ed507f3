#include "ui/backup/frmbackup.h"

#include "data/backup.h"
#include "data/bidi.h"
#include "data/jalali.h"
#include "ui/kit/controls.h"
#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/navigator.h"
#include "ui/kit/services.h"
#include "ui/kit/theme.h"
#include "ui/kit/version.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

// Resources of a static library are registered by hand.
static void initBackupResources() {
    Q_INIT_RESOURCE(backup);
}

namespace hov {

namespace {

const QString kErrorCaption = QStringLiteral("خطا");
const QString kNoTarget = QStringLiteral("لطفا مسير تهيه نسخه پشتيبان را وارد کنيد");
const QString kOverwrite = QStringLiteral(
    "فايل پشتيباني با اين نام قبلا ايجاد شده آيا ميخواهيد اين فايل را جايگزين کنيد؟");
const QString kBackupRefused = QStringLiteral("عدم موفقيت در تهيه نسخه پشتيبان");
const QString kBackupDone = QStringLiteral("نسخه پشتيبان تهيه گرديد");
const QString kNoSource = QStringLiteral("لطفا مسير فايل مربوطه را وارد کنيد");
const QString kRestoreQuestion = QStringLiteral("آيا ميخواهيد اطلاعات را بازيابي کنيد؟");
const QString kRestoreRefused = QStringLiteral("عدم موفقيت در بازيابي اطلاعات ");
const QString kRestoreDone = QStringLiteral("بازيابي اطلاعات انجام شد");
const QString kCopyFailed = QStringLiteral("اشکال در ايجاد نسخه پشتيباني");
const QString kCloseOthers = QStringLiteral("تمامي فرم ها را ببندبد به جز فرم اصلي و اين پنجره");
constexpr qint64 kEventIntervalNs = 2'000'000;

QPushButton* button(const QString& name, const QString& caption, const QRect& place,
                    QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(place);
    return b;
}

QLineEdit* pathField(const QString& name, const QRect& place, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(place);
    edit->setFont(designFont(kTahoma, 9));
    // A path reads from left to right, whatever its letters.
    edit->setLayoutDirection(Qt::LeftToRight);
    return edit;
}

QString helpText() {
    initBackupResources();
    QFile file(QStringLiteral(":/texts/backup-help.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

Frmbackup::Frmbackup(const AppFolder& folder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      folder_(folder) {
    setObjectName(QStringLiteral("Frmbackup"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Back up ...  Reastor"));
    setFixedSize(pxSize(7425, 3000));
    setLayoutDirection(Qt::RightToLeft);
    setFont(designFont(kNazanin, 12, true));

    // Placed by hand, so right to left here means the path on the right, then its "---",
    // then the copy button on the left.
    Text1 = pathField(QStringLiteral("Text1"), pxRect(2520, 360, 4680, 390), this);
    b1 = button(QStringLiteral("b1"), QStringLiteral("---"), pxRect(1920, 345, 495, 420), this);
    VisualButtonEx2 = button(QStringLiteral("VisualButtonEx2"), QStringLiteral("BACKUP"),
                             pxRect(225, 300, 1575, 510), this);
    Text2 = pathField(QStringLiteral("Text2"), pxRect(2520, 1080, 4680, 390), this);
    b2 = button(QStringLiteral("b2"), QStringLiteral("---"), pxRect(1920, 1065, 495, 420), this);
    VisualButtonEx3 = button(QStringLiteral("VisualButtonEx3"), QStringLiteral("REASTOR"),
                             pxRect(225, 1020, 1575, 510), this);
    for (QPushButton* b : {VisualButtonEx2, VisualButtonEx3})
        b->setFont(designFont(kArial, 11, true));

    // Beyond the design: how far a running copy has come.
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(pxRect(225, 1725, 6975, 270));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide(); // shown while a copy runs

    const QString today = jalali::dateText(clock().now().date(), 4);
    Label1 = new QLabel(today, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(pxRect(5520, 2265, 1680, 420));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(pxRect(4080, 2265, 1200, 420));
    for (QLabel* l : {Label1, Label2}) {
        l->setFont(designFont(kTahoma, 11, true));
        l->setAlignment(Qt::AlignCenter);
        markSkinLabel(l);
    }
    Label3 = new QLabel(today, this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->hide();

    Command3 = button(QStringLiteral("Command3"), QStringLiteral("راهنما"),
                      pxRect(1260, 2235, 1215, 480), this);
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("خروج"),
                      pxRect(120, 2235, 990, 480), this);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setProperty("skinFrame", true);
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setAutoFillBackground(true);
    Frame1->setGeometry(pxRect(1170, 45, 5535, 2880));
    Text3 = makePersianTextBox(QStringLiteral("Text3"), Frame1);
    Text3->setReadOnly(true);
    Text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text3->setFont(designFont(kNazanin, 11));
    Text3->setPlainText(helpText());
    Text3->setGeometry(pxRect(90, 90, 5355, 2160));
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("خروج"),
                      pxRect(2160, 2340, 1215, 450), Frame1);
    Frame1->hide();

    connect(b1, &QPushButton::clicked, this, &Frmbackup::chooseBackupTarget);
    connect(b2, &QPushButton::clicked, this, &Frmbackup::chooseBackupFile);
    connect(VisualButtonEx2, &QPushButton::clicked, this, &Frmbackup::makeBackup);
    connect(VisualButtonEx3, &QPushButton::clicked, this, &Frmbackup::restore);
    connect(Command3, &QPushButton::clicked, this, [this] {
        Frame1->show();
        Frame1->raise();
    });
    connect(Command2, &QPushButton::clicked, Frame1, &QFrame::hide);
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Frmbackup::tick);
    tick();
    Timer1->start();

    move(pxPoint(2085, 745));
    applyTheme(this, folder_);
}

void Frmbackup::tick() {
    Label2->setText(clock().now().time().toString(QStringLiteral("h.mm")));
}

QString Frmbackup::backupFolderForDialogs() {
    const QString folder = folder_.backupFolder();
    if (!QDir().mkpath(folder)) {
        // The dialog still opens, in the program's folder: another place may do.
        dialogs().message(
            this, QStringLiteral("Error"),
            QStringLiteral("پوشه %1 ساخته نشد").arg(isolatedPath(folder)),
            Dialogs::Icon::Warning);
        return folder_.path();
    }
    return folder;
}

void Frmbackup::chooseBackupTarget() {
    const QString folder = backupFolderForDialogs();
    // The time is the dialog's, the date the window's.
    const QString proposed =
        folder + QLatin1Char('/') + proposedBackupName(Label3->text(), clock().now().time());
    const QString chosen = dialogs().saveFileName(this, proposed, kBackupFilter);
    if (!chosen.isEmpty())
        Text1->setText(QDir::toNativeSeparators(chosen));
}

void Frmbackup::chooseBackupFile() {
    const QString chosen = dialogs().openFileName(this, backupFolderForDialogs(), kBackupFilter);
    if (!chosen.isEmpty())
        Text2->setText(QDir::toNativeSeparators(chosen));
}

void Frmbackup::makeBackup() {
    if (copying_)
        return;
    const QString target = QDir::fromNativeSeparators(Text1->text());
    if (target.isEmpty()) {
        dialogs().message(this, kErrorCaption, kNoTarget, Dialogs::Icon::Warning);
        return;
    }
    if (QFileInfo(target).isFile() &&
        !dialogs().askYesNo(this, kProgramTitle, kOverwrite, Dialogs::Icon::None)) {
        dialogs().message(this, kProgramTitle, kBackupRefused, Dialogs::Icon::Information);
        return;
    }
    setCopying(true);
    const CopyResult result = backupDatabase(folder_, target, copyProgress());
    setCopying(false);
    if (!result.ok) {
        copyFailed(result);
        return;
    }
    dialogs().message(this, kProgramTitle, kBackupDone);
    endProgram();
}

void Frmbackup::restore() {
    if (copying_)
        return;
    const QString source = QDir::fromNativeSeparators(Text2->text());
    if (source.isEmpty()) {
        dialogs().message(this, kErrorCaption, kNoSource, Dialogs::Icon::Warning);
        return;
    }
    if (!dialogs().askYesNo(this, kProgramTitle, kRestoreQuestion, Dialogs::Icon::None)) {
        dialogs().message(this, kProgramTitle, kRestoreRefused);
        return;
    }
    setCopying(true);
    const RestoreResult result = restoreDatabase(folder_, source, clock().now(), copyProgress());
    setCopying(false);
    if (!result.ok && result.atReplace) {
        // Checked and ready, but HOVDB.mdb would not give way: something still holds it.
        dialogs().error(this, kErrorCaption, result.error + QLatin1Char('\n') + kCloseOthers,
                        result.detail, Dialogs::Icon::Warning);
        if (endAfterCopy_)
            endProgram();
        return;
    }
    if (!result.ok) {
        copyFailed(result);
        return;
    }
    dialogs().message(this, kProgramTitle, kRestoreDone);
    endProgram();
}

void Frmbackup::copyFailed(const CopyResult& result) {
    dialogs().error(this, kProgramTitle, kCopyFailed + QLatin1Char('\n') + result.error,
                    result.detail, Dialogs::Icon::Critical);
    // The operator asked to leave while the copy ran.
    if (endAfterCopy_)
        endProgram();
}

void Frmbackup::setCopying(bool copying) {
    copying_ = copying;
    // One copy at a time: a second one started from inside the first would write the
    // same files.
    for (QWidget* w :
         std::initializer_list<QWidget*>{Text1, b1, VisualButtonEx2, Text2, b2, VisualButtonEx3})
        w->setEnabled(!copying);
    ProgressBar1->setValue(0);
    ProgressBar1->setVisible(copying);
    eventsRan_.invalidate();
}

CopyProgress Frmbackup::copyProgress() {
    CopyProgress progress;
    progress.chunkCopied = [this](qint64 done, qint64 total) { step(done, total); };
    progress.waiting = [] { QApplication::processEvents(); };
    return progress;
}

void Frmbackup::step(qint64 done, qint64 total) {
    const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
    if (percent != ProgressBar1->value())
        ProgressBar1->setValue(percent);
    // Chunks come faster than anyone can click: the events run whenever a couple of
    // milliseconds have passed, which keeps the window responsive without slowing the copy.
    if (!eventsRan_.isValid() || eventsRan_.nsecsElapsed() >= kEventIntervalNs) {
        QApplication::processEvents();
        eventsRan_.start();
    }
    emit copyStepped(done, total);
}

void Frmbackup::endProgram() {
    endAfterCopy_ = false;
    nav::endProgram();
}

void Frmbackup::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Frmbackup::closeEvent(QCloseEvent* event) {
    if (copying_) {
        // Leaving in the middle of a copy would abandon it half done: the program ends
        // when the copy is over.
        endAfterCopy_ = true;
        event->ignore();
        return;
    }
    event->accept();
    if (!nav::isEnding())
        nav::endProgram();
}

} // namespace hov
