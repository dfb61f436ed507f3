#include "updater/progress.h"

#include "updater/filedownloader.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace hovupdate {

namespace {

const QString kDownload = QStringLiteral("دانلود");
const QString kCancel = QStringLiteral("انصراف");
const QString kSuccess = QStringLiteral("دانلود فايل با موفقيت به پايان رسيد ");
const QString kSite = QStringLiteral("hov480.example.com");
const QString kEmail = QStringLiteral("info@hov480.example.com");

// The window is laid out in twips, 15 to a pixel.
constexpr int px(int twips) { return (twips + 7) / 15; }

QString isolated(const QString& text) {
    return QChar(0x2066) + text + QChar(0x2069);
}

bool startDetached(const QString& program) {
#ifndef Q_OS_WIN
    // The verified installer is made runnable; the download wrote it as plain data.
    QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner |
                                       QFileDevice::ExeUser);
#endif
    return QProcess::startDetached(program, {});
}

} // namespace

void installFonts() {
    for (const char* name : {"NotoNaskhArabic-Regular.ttf", "NotoNaskhArabic-Bold.ttf",
                             "DejaVuSans.ttf", "DejaVuSans-Bold.ttf"})
        QFontDatabase::addApplicationFont(QStringLiteral(":/updater-fonts/") + QLatin1String(name));
    QFont font(QStringLiteral("Noto Naskh Arabic"), 11);
    QApplication::setFont(font);
}

Progress::Progress(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      folder_(folder), server_(serverAddress(folder)) {
    setObjectName(QStringLiteral("Progress"));
    setWindowTitle(QStringLiteral("Downloading File ... "));
    setLayoutDirection(Qt::RightToLeft);
    // A tool window does not keep the program running by itself.
    setAttribute(Qt::WA_QuitOnClose);

    showMessage = [this](QMessageBox::Icon icon, const QString& title, const QString& text) {
        QString shown = text;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QMessageBox box(icon, title, shown, QMessageBox::Ok, this);
        box.exec();
    };
    startProgram = startDetached;
    endProgram = [] { QCoreApplication::quit(); };

    QFont bold = font();
    bold.setBold(true);

    Label1 = new QLabel(QStringLiteral("آدرس فايل:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text = new QLineEdit(this);
    Text->setObjectName(QStringLiteral("Text"));
    Text->setText(server_.base + kInstallerPath);
    // Outside the window's visible area, and hidden as well.
    Label1->setGeometry(px(7200), px(3300), px(1000), px(300));
    Text->setGeometry(px(120), px(3300), px(7000), px(300));
    Label1->hide();
    Text->hide();

    Label3 = new QLabel(QStringLiteral("HOV-480"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont title(QStringLiteral("DejaVu Sans"), 18, QFont::Bold);
    Label3->setFont(title);
    Label3->setStyleSheet(QStringLiteral("color: #1f4e8c;"));
    Label3->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
    Label3->setGeometry(px(3000), px(120), px(5250), px(600));

    FileDownloader1 = new FileDownloader(this);
    FileDownloader1->move(px(180), px(120));

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    ProgressBar->setGeometry(px(1320), px(900), px(5700), px(360));

    Label4 = new QLabel(QStringLiteral("0"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFont(QFont(QStringLiteral("DejaVu Sans"), 20, QFont::Bold));
    Label4->setStyleSheet(QStringLiteral("color: #ff00ff;"));
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setGeometry(px(7080), px(780), px(1200), px(600));

    cmdUpdate = new QPushButton(kDownload, this);
    cmdUpdate->setObjectName(QStringLiteral("cmdUpdate"));
    cmdUpdate->setFont(bold);
    cmdUpdate->setGeometry(px(6000), px(1500), px(1500), px(480));
    Command1 = new QPushButton(QStringLiteral("خروج"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(bold);
    Command1->setGeometry(px(4320), px(1500), px(1500), px(480));

    Label2 = new QLabel(QStringLiteral("سايت: ") + isolated(kSite), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(px(4200), px(2220), px(4050), px(360));
    Label5 = new QLabel(QStringLiteral("ايميل: ") + isolated(kEmail), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setGeometry(px(180), px(2220), px(3900), px(360));
    for (QLabel* l : {Label2, Label5})
        l->setStyleSheet(QStringLiteral("color: #203040;"));

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this,
            [this] { Label4->setText(QString::number(ProgressBar->value())); });
    Timer1->start();

    connect(cmdUpdate, &QPushButton::clicked, this, &Progress::updateClicked);
    connect(Command1, &QPushButton::clicked, this, &Progress::leave);
    connect(FileDownloader1, &FileDownloader::DownloadProgress, this,
            [this](const QString& value) { ProgressBar->setValue(qBound(0, value.toInt(), 100)); });
    connect(FileDownloader1, &FileDownloader::DownloadErrors, this, &Progress::downloadFailed);
    connect(FileDownloader1, &FileDownloader::DowloadComplete, this, &Progress::downloadComplete);

    move(px(2475), px(1620));
    setFixedSize(px(8400), px(2900));
}

QString Progress::GetFileName(const QString& address) {
    // Our server may speak https as well as http.
    const bool http = address.startsWith(QLatin1String("http://"));
    const bool https = address.startsWith(QLatin1String("https://"));
    if (address.size() < 2 || (!http && !https) || address == QLatin1String("http://") ||
        address == QLatin1String("https://"))
        return {};
    // The last character is not searched: "…/dir/" keeps its final "/".
    const qsizetype slash = address.lastIndexOf(QLatin1Char('/'), address.size() - 2);
    if (slash < 0)
        return {};
    const QString name = address.mid(slash + 1);
    if (!name.left(name.size() - 1).contains(QLatin1Char('.')))
        return {};
    return name;
}

QString Progress::targetFile() const {
    const QString name = GetFileName(Text->text());
    return name.isEmpty() ? QString() : folder_ + QLatin1Char('/') + name;
}

void Progress::updateClicked() {
    if (cmdUpdate->text() != kDownload) {
        FileDownloader1->Cancel();
        ProgressBar->setValue(0);
        cmdUpdate->setText(kDownload);
        return;
    }
    if (!server_.valid || targetFile().isEmpty()) {
        showMessage(QMessageBox::Critical, QStringLiteral("Error"),
                    QStringLiteral("آدرس سرور به روز رساني در فايل ") + kServerFileName +
                        QStringLiteral(" قابل استفاده نيست. اين فايل بايد يک خط با آدرسي داشته باشد "
                                       "که با https:// يا http:// شروع مي شود."));
        return;
    }
    cmdUpdate->setText(kCancel);
    ProgressBar->setValue(0);
    FileDownloader1->DownloadFile(Text->text(), targetFile());
    if (!leaving_)
        cmdUpdate->setText(kDownload);
}

void Progress::downloadFailed(const QString& text) {
    showMessage(QMessageBox::Critical, QStringLiteral("Error"), text);
    cmdUpdate->setText(kDownload);
    ProgressBar->setValue(0);
    FileDownloader1->Cancel();
}

void Progress::downloadComplete() {
    showMessage(QMessageBox::Information, QStringLiteral("Success"), kSuccess);
    cmdUpdate->setText(kDownload);
    ProgressBar->setValue(0);
    const QString installer = targetFile();
    if (!startProgram(installer)) {
        showMessage(QMessageBox::Critical, QStringLiteral("Error"),
                    QStringLiteral("برنامه نصب دانلود شد اما اجرا نشد. آن را از پوشه زير خودتان اجرا کنيد:\n") +
                        isolated(installer));
        return;
    }
    leave();
}

// Ends the updater at once, also in the middle of a download (whose part file goes).
void Progress::leave() {
    if (leaving_)
        return;
    leaving_ = true;
    FileDownloader1->Cancel();
    endProgram();
}

void Progress::closeEvent(QCloseEvent* event) {
    leave();
    event->accept();
}

// The window's background picture.
void Progress::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(0xf4, 0xf8, 0xff));
    sky.setColorAt(1, QColor(0xc9, 0xdc, 0xf2));
    p.fillRect(rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.5));
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(QPointF(width() * 0.15, height() * 1.1), 60.0 + i * 34, 40.0 + i * 26);
}

} // namespace hovupdate
