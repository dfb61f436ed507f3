#include "ui/updatecheck/frmupdate.h"

#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/navigator.h"
#include "ui/kit/services.h"
#include "ui/kit/theme.h"
#include "ui/kit/version.h"
#include "update/updateserver.h"
#include "update/versionfetch.h"
#include "update/versionnumber.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace hov {

namespace {

const QString kInstruction = QStringLiteral(
    "جهت به روز رساني نرم افزار ابتدا اتصال به اينترنت را چک کنيد سپس روي دکمه آپديت کليک کنيد");
const QString kNoUpdate = QStringLiteral(
    "شما آخرين ورژن نرم افزار را داريد و يا اينکه ارتباط شما با اينترنت برقرار نمي باشد ");

QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                    const QRect& place) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFont(designFont(kNazanin, 12, true));
    b->setGeometry(place);
    b->setAutoDefault(false);
    return b;
}

} // namespace

FrmUpdate::FrmUpdate(const AppFolder& folder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      folder_(folder), fetch_(new update::VersionFetch(this)) {
    setObjectName(QStringLiteral("FrmUpdate"));
    setModal(true);
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(pxSize(5055, 3120));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    Label1 = new QLabel(versionCaption(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(designFont(kArial, 16, true));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(pxRect(120, 120, 4815, 540));

    SkinLabel1 = new QLabel(kInstruction, this);
    SkinLabel1->setObjectName(QStringLiteral("SkinLabel1"));
    SkinLabel1->setFont(designFont(kNazanin, 12, true));
    SkinLabel1->setAlignment(Qt::AlignCenter);
    SkinLabel1->setWordWrap(true);
    SkinLabel1->setGeometry(pxRect(240, 720, 4575, 1080));
    markSkinLabel(SkinLabel1);

    // Right to left: the check button on the right, the exit button on the left.
    Command1 = button(this, QStringLiteral("Command1"), QStringLiteral("بررسي آپديت جديد"),
                      pxRect(2640, 2040, 2055, 540));
    Command2 = button(this, QStringLiteral("Command2"), QStringLiteral("خروج"),
                      pxRect(360, 2040, 1695, 540));
    connect(Command1, &QPushButton::clicked, this, &FrmUpdate::check);
    connect(Command2, &QPushButton::clicked, this, &FrmUpdate::close);
    connect(fetch_, &update::VersionFetch::finished, this, &FrmUpdate::versionArrived);

    applyTheme(this, folder_);
    move(pxPoint(4085, 2745));
    setWindowTitle(Label1->text());
}

FrmUpdate::~FrmUpdate() {
    fetch_->abort();
    if (checking_)
        QApplication::restoreOverrideCursor();
}

void FrmUpdate::setFetchTimeoutMs(int ms) {
    fetch_->setTimeoutMs(ms);
}

void FrmUpdate::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Command2->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Leaving the window while the server is asked drops the question and the busy pointer.
void FrmUpdate::done(int result) {
    if (checking_) {
        fetch_->abort();
        checking_ = false;
        QApplication::restoreOverrideCursor();
    }
    QDialog::done(result);
}

void FrmUpdate::check() {
    if (checking_)
        return;
    checking_ = true;
    Command1->setEnabled(false);
    setWindowTitle(QStringLiteral("Please wait..."));
    QApplication::setOverrideCursor(Qt::WaitCursor);

    const update::ServerAddress server = update::updateServerBase(folder_.path());
    if (!server.valid) {
        const QString file = folder_.file(update::kUpdateServerFileName);
        endCheck();
        dialogs().error(this, kProgramTitle,
                        QStringLiteral("آدرس سرور به روز رساني در فايل update-server.txt قابل "
                                       "استفاده نيست. در اين فايل بايد يک خط با آدرسي که با "
                                       "https:// يا http:// شروع مي شود نوشته شده باشد."),
                        QDir::toNativeSeparators(file));
        emit checkEnded();
        return;
    }
    // The window keeps painting and answering while the server is asked; the fetch gives
    // up after its time-out.
    fetch_->start(update::versionFileUrl(server.base));
}

void FrmUpdate::versionArrived(const QByteArray& text) {
    if (update::isNewerVersion(text, kVersionMajor, kVersionMinor)) {
        startUpdater();
        return;
    }
    endCheck();
    dialogs().message(this, kProgramTitle, kNoUpdate, Dialogs::Icon::Information);
    emit checkEnded();
}

void FrmUpdate::startUpdater() {
    const QString program = folder_.file(update::kUpdaterProgramName);
    if (shell().startProgram(program, {})) {
        checking_ = false;
        QApplication::restoreOverrideCursor();
        close();
        // The installer the updater fetches replaces this program: it ends at once.
        nav::endProgram();
        return;
    }
    endCheck();
    dialogs().error(this, kProgramTitle,
                    QStringLiteral("نسخه جديد نرم افزار آماده است، اما برنامه به روز رساني اجرا "
                                   "نشد: فايل آن در پوشه برنامه نيست يا قابل اجرا نيست."),
                    QDir::toNativeSeparators(program));
    emit checkEnded();
}

// Back to the window's title, the normal pointer and an enabled button.
void FrmUpdate::endCheck() {
    checking_ = false;
    QApplication::restoreOverrideCursor();
    setWindowTitle(versionCaption());
    Command1->setEnabled(true);
}

} // namespace hov
