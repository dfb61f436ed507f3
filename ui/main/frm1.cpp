#include "ui/main/frm1.h"

#include "ui/main/about.h"
#include "ui/main/exitpro.h"
#include "ui/main/profilehandover.h"
#include "ui/kit/controls.h"
#include "ui/kit/fonts.h"
#include "ui/scoring/frmklid.h"
#include "ui/answersheet/frmpas2.h"
#include "ui/test/frmtest.h"
#include "ui/updatecheck/frmupdate.h"
#include "ui/kit/geometry.h"
#include "ui/kit/links.h"
#include "ui/kit/navigator.h"
#include "ui/main/registrationpanel.h"
#include "ui/roster/frmcode.h"
#include "ui/settings/settingspanels.h"
#include "ui/kit/services.h"
#include "ui/kit/subjectcode.h"
#include "data/subjectdb.h"
#include "ui/kit/theme.h"
#include "ui/kit/version.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

namespace hov {

namespace {

const QString kErrorCaption = QStringLiteral("خطا");

// Whether a menu action that needs rows has any. A count that could not be read (a file
// that does not open, a table that cannot be read) is reported, not taken for zero:
// the action would otherwise do nothing without a word.
bool hasRows(QWidget* owner, SubjectDb& db, const std::optional<int>& count) {
    if (!count) {
        showStoreFailure(owner, kErrorCaption, QString(), db.lastFailure());
        return false;
    }
    return *count > 0;
}

const char* const kHintProperty = "hovHint";

QPushButton* menuButton(QWidget* parent, const QString& name, const QString& caption) {
    QPushButton* b = makeButton(name, caption, parent);
    b->setFont(designFont(kNazanin, 12, true));
    b->setMinimumHeight(px(495));
    b->setMouseTracking(true);
    return b;
}

// The banner: our own picture, drawn rather than shipped.
QPixmap bannerPicture(const QSize& size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    g.setColorAt(1, QColor(0x2e, 0x86, 0x8c));
    p.fillRect(pixmap.rect(), g);
    p.setPen(Qt::white);
    // The fonts of the version label and the clock: no further font to load at start.
    QFont title = designFont(kArial, 11, true);
    title.setLetterSpacing(QFont::PercentageSpacing, 130);
    p.setFont(title);
    p.save();
    p.translate(size.width() / 2.0, size.height() / 3.0);
    p.scale(2, 2);
    p.drawText(QRectF(-size.width() / 4.0, -size.height() / 6.0, size.width() / 2.0,
                      size.height() / 3.0),
               Qt::AlignCenter, QStringLiteral("HOV-480"));
    p.restore();
    p.setFont(designFont(kTahoma, 10, true));
    p.drawText(pixmap.rect().adjusted(0, size.height() / 3, 0, 0), Qt::AlignCenter,
               QString(links::kSite).remove(QStringLiteral("https://")));
    return pixmap;
}

} // namespace

void Frm1::installAsMainWindow() {
    nav::setProgramMainWindow([]() -> QWidget* {
        auto* window = new Frm1(nav::appFolder());
        window->show();
        return window;
    });
}

Frm1::Frm1(const AppFolder& folder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      folder_(folder) {
    setObjectName(QStringLiteral("Frm1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("HOV"));
    setFixedSize(pxSize(10215, 8535));
    setLayoutDirection(Qt::RightToLeft);
    setFont(designFont(kNazanin, 12, true));
    setMouseTracking(true);

    Text3 = new QLineEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->hide();
    Txtmosh = new QPlainTextEdit(this);
    Txtmosh->setObjectName(QStringLiteral("Txtmosh"));
    Txtmosh->hide();

    SkinLabel1 = new QLabel(this);
    SkinLabel1->setObjectName(QStringLiteral("SkinLabel1"));
    SkinLabel1->setFont(designFont(kNazanin, 20, true));
    SkinLabel1->setAlignment(Qt::AlignCenter);
    SkinLabel1->setGeometry(pxRect(300, 60, 7300, 700));
    markSkinLabel(SkinLabel1);

    SkinLabel9 = new QLabel(this);
    SkinLabel9->setObjectName(QStringLiteral("SkinLabel9"));
    SkinLabel9->setFont(designFont(kArial, 11, true));
    SkinLabel9->setGeometry(pxRect(7800, 60, 2200, 360));
    SkinLabel9->setAlignment(Qt::AlignCenter);
    markSkinLabel(SkinLabel9);

    SkinLabel6 = new QLabel(this);
    SkinLabel6->setObjectName(QStringLiteral("SkinLabel6"));
    SkinLabel6->setFont(designFont(kTahoma, 10, true));
    SkinLabel6->setGeometry(pxRect(7800, 420, 2200, 330));
    SkinLabel6->setAlignment(Qt::AlignCenter);
    SkinLabel6->setToolTip(QStringLiteral("اگر ساعت دقيق نباشد ساعت سيستم خود را تنظيم کنيد"));
    markSkinLabel(SkinLabel6);

    buildMenu();
    buildFooter();

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Frm1::tick);

    // Start-up, in order: connections, theme, place, version, hand-over flag, logo,
    // title, contact block. (The second-copy check is made once per process, before
    // the first main window.)
    loadSettings();
    themeNumber_ = applyTheme(this, folder_);
    move(pxPoint(2085, 745));
    SkinLabel9->setText(versionCaption());
    Text3->setText(QStringLiteral("2"));
    SkinLabel1->setText(settings_.name);
    Txtmosh->setPlainText(contactBlock(settings_));
    tick();
    Timer1->start();
}

Frm1::~Frm1() = default;

void Frm1::buildMenu() {
    Frame7 = new QFrame(this);
    Frame7->setObjectName(QStringLiteral("Frame7"));
    Frame7->setGeometry(pxRect(7800, 870, 2200, 5700));
    Frame7->setMouseTracking(true);
    Frame7->installEventFilter(this);
    installEventFilter(this);
    auto* column = new QVBoxLayout(Frame7);
    column->setContentsMargins(px(60), px(60), px(60), px(60));
    column->setSpacing(px(45));

    Command1 = menuButton(Frame7, QStringLiteral("Command1"), QStringLiteral("ثبت نام آزمودني"));
    Command2 = menuButton(Frame7, QStringLiteral("Command2"), QStringLiteral("اجراي تست"));
    Command3 = menuButton(Frame7, QStringLiteral("Command3"), QStringLiteral("کليد گذاري"));
    Command4 = menuButton(Frame7, QStringLiteral("Command4"), QStringLiteral("نمايش کد آزمودني"));
    Command5 = menuButton(Frame7, QStringLiteral("Command5"), QStringLiteral("ماشين حساب"));
    Command9 = menuButton(Frame7, QStringLiteral("Command9"), QStringLiteral("تنظيمات"));
    Command13 = menuButton(Frame7, QStringLiteral("Command13"), QStringLiteral("پاسخنامه"));
    Command14 = menuButton(Frame7, QStringLiteral("Command14"), QStringLiteral("درباره ما"));
    Command17 = menuButton(Frame7, QStringLiteral("Command17"), QStringLiteral("بروز رساني"));
    Command6 = menuButton(Frame7, QStringLiteral("Command6"), QStringLiteral("خروج"));
    for (QPushButton* b : {Command1, Command2, Command3, Command4, Command5, Command9, Command13,
                           Command14, Command17, Command6}) {
        column->addWidget(b);
        b->installEventFilter(this);
        b->setProperty(kHintProperty, b->objectName());
    }
    column->addStretch();

    SkinLabel2 = new QLabel(this);
    SkinLabel2->setObjectName(QStringLiteral("SkinLabel2"));
    SkinLabel2->setFont(designFont(kNazanin, 11, true));
    SkinLabel2->setWordWrap(true);
    SkinLabel2->setAlignment(Qt::AlignTop | Qt::AlignLeading);
    SkinLabel2->setGeometry(pxRect(5400, 6600, 4600, 1100));
    markSkinLabel(SkinLabel2);
    SkinLabel2->hide();

    connect(Command1, &QPushButton::clicked, this, [this] {
        closePanels();
        // Made at its first opening, kept for the rest of this showing of the window.
        if (!Frame10) {
            Frame10 = new RegistrationPanel(folder_, settings_.subjectTerm, this);
            connect(Frame10, &RegistrationPanel::finished, this, &Frm1::closePanels);
        }
        Frame10->open();
        Command1->setEnabled(false);
    });
    connect(Command2, &QPushButton::clicked, this, &Frm1::startTest);
    connect(Command3, &QPushButton::clicked, this, &Frm1::openScoring);
    connect(Command4, &QPushButton::clicked, this, &Frm1::openRoster);
    connect(Command9, &QPushButton::clicked, this, &Frm1::openSettings);
    connect(Command5, &QPushButton::clicked, this, &Frm1::startCalculator);
    connect(Command13, &QPushButton::clicked, this, &Frm1::openAnswerSheet);
    connect(Command14, &QPushButton::clicked, this, &Frm1::openAbout);
    connect(Command17, &QPushButton::clicked, this, &Frm1::openUpdate);
    connect(Command6, &QPushButton::clicked, this, &Frm1::leave);
}

void Frm1::buildFooter() {
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(pxRect(300, 4800, 4800, 1500));
    Picture1->setPixmap(bannerPicture(Picture1->size()));
    Picture1->setCursor(Qt::PointingHandCursor);
    Picture1->setToolTip(QStringLiteral("جهت ورود به سايت کليک کنيد"));
    Picture1->installEventFilter(this);

    auto* notice = new QLabel(
        QStringLiteral("جهت اطلاع از بروزرساني نرم افزارها، در کانال تلگرام ما عضو شويد") +
            QLatin1Char(' ') + links::isolatedChannelName(),
        this);
    notice->setObjectName(QStringLiteral("Label2"));
    notice->setFont(designFont(kNazanin, 10, true));
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignCenter);
    notice->setGeometry(pxRect(300, 6400, 4800, 600));
    markSkinLabel(notice);

    Cmandkanal = new QPushButton(QStringLiteral("عضويت در کانال"), this);
    Cmandkanal->setObjectName(QStringLiteral("Cmandkanal"));
    Cmandkanal->setGeometry(pxRect(2800, 7050, 2300, 450));
    Command11 = new QPushButton(QStringLiteral("دانلود ليست نرم افزار "), this);
    Command11->setObjectName(QStringLiteral("Command11"));
    Command11->setGeometry(pxRect(300, 7050, 2400, 450));
    CmdHelp = new QPushButton(QStringLiteral("Help"), this);
    CmdHelp->setObjectName(QStringLiteral("CmdHelp"));
    CmdHelp->setFont(designFont(kArial, 10, true));
    CmdHelp->setToolTip(QStringLiteral("براي مشاهده اين قسمت بايد به اينترنت کانکت شويد"));
    CmdHelp->setGeometry(pxRect(300, 7650, 1200, 450));
    for (QPushButton* b : {Cmandkanal, Command11})
        b->setFont(designFont(kNazanin, 10, true));

    connect(CmdHelp, &QPushButton::clicked, this,
            [] { shell().openUrl(QUrl(links::kDiscussions)); });
    connect(Cmandkanal, &QPushButton::clicked, this,
            [] { shell().openUrl(QUrl(links::kChannel)); });
    connect(Command11, &QPushButton::clicked, this,
            [] { shell().openUrl(QUrl(links::kSoftwareList)); });
}

void Frm1::loadSettings() {
    SettingsDb db(folder_);
    settings_ = db.load();
    // An unreadable settings file is not an empty clinic profile.
    if (db.lastFailure().isFailure())
        showStoreFailure(this, QStringLiteral("خطا"), QStringLiteral("مشخصات کلينيک خوانده نشد."),
                         db.lastFailure(), Dialogs::Icon::Warning);
    if (!settings_.subjectTerm.isEmpty())
        Command4->setText(QStringLiteral("نمايش ") + settings_.subjectTerm);
}

QString Frm1::contactBlock(const ClinicSettings& settings) {
    return settings.contactBlock();
}

QString Frm1::hintFor(const QString& name) const {
    const QString& t11 = settings_.subjectTerm;
    if (name == QLatin1String("Command1"))
        return QStringLiteral(" شما بايد هر آزمودني را ابتدا ثبت نام کرده و سپس روي دکمه اجراي تست کليک کرده و ") +
               t11 + QStringLiteral(" را وارد کنيد");
    if (name == QLatin1String("Command2"))
        return QStringLiteral(" جهت پاسخ دادن به سؤالها روي اين دکمه کليک کنيد و  ") + t11 +
               QStringLiteral(" مورد نظر را وارد کنيد");
    if (name == QLatin1String("Command3"))
        return QStringLiteral(" جهت کليد گذاري و محاسبه نتيجه تست روي اين دکمه کليک مي کنيد");
    if (name == QLatin1String("Command4"))
        return QStringLiteral(" درصورتيکه ") + t11 +
               QStringLiteral(" را فراموش کرده ايد با کليک بر روي  اين قسمت مي توانيد آن را بدست بياوريد. همچنين براي حذف آزمودني به اين قسمت مراجه نمائيد");
    if (name == QLatin1String("Command9"))
        return QStringLiteral("با کليک بر روي اين دکمه شمامي توانيد:1- تم برنامه را عوض کنيد 2- نام و آدرس کلينيک و ساير اطلاعات را وارد کنيد");
    if (name == QLatin1String("Command17"))
        return QStringLiteral(" ابتدا سيستم را به اينترنت وصل نموده سپس جهت بروز رساني نرم افزار به اين قسمت مراجعه نماييد");
    return QString();
}

bool Frm1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseMove || type == QEvent::Enter) {
        if (watched == this || watched == Frame7) {
            SkinLabel2->clear();
            SkinLabel2->hide();
        } else if (const QVariant name = watched->property(kHintProperty); name.isValid()) {
            const QString hint = hintFor(name.toString());
            // Buttons without a hint leave the label as it is.
            if (!hint.isEmpty()) {
                SkinLabel2->setText(hint);
                SkinLabel2->show();
            }
            // A move the button ignores would travel on to the menu column and clear
            // the hint again.
            if (type == QEvent::MouseMove &&
                static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
                return true;
        }
    } else if (type == QEvent::MouseButtonRelease && watched == Picture1) {
        for (const QString& url : {links::kSite, links::kShop, links::kStore})
            shell().openUrl(QUrl(url));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Frm1::tick() {
    SkinLabel6->setText(timeText(clock().now().time()));
}

void Frm1::closePanels() {
    if (Frame10)
        Frame10->hide();
    if (settingsPanels)
        settingsPanels->hideAll();
    Command1->setEnabled(true);
}

void Frm1::openSettings() {
    closePanels();
    if (!settingsPanels) {
        settingsPanels = new SettingsPanels(folder_, this);
        connect(settingsPanels, &SettingsPanels::closePanelsRequested, this, &Frm1::closePanels);
        connect(settingsPanels, &SettingsPanels::subjectTermEdited, this, &Frm1::showSubjectTerm);
        connect(settingsPanels, &SettingsPanels::clinicNameShown, SkinLabel1, &QLabel::setText);
        connect(settingsPanels, &SettingsPanels::profileSaved, this,
                [this](const ClinicSettings& saved) {
                    settings_ = saved;
                    Txtmosh->setPlainText(contactBlock(settings_));
                });
    }
    settingsPanels->openSettings();
}

// The clinic's word for a subject's code, as the profile field shows it, in every caption
// that carries it.
void Frm1::showSubjectTerm(const QString& term) {
    settings_.subjectTerm = term;
    Command4->setText(QStringLiteral("نمايش ") + term);
    if (Frame10)
        Frame10->LblCode->setText(term);
}

void Frm1::startTest() {
    SubjectDb db(folder_);
    if (!hasRows(this, db, db.subjectCount()))
        return;
    closePanels();
    // Shown only once the code is settled; dropped on every way out before that.
    auto test = std::make_unique<FrmTest>(folder_);
    test->showPreparing();
    const QString code = askSubjectCode(this, settings_.subjectTerm);
    if (code.isEmpty())
        return;
    // Opening adds the answer rows the subject lacks: without its three rows the test
    // could store nothing, and the operator hears of it now rather than after the
    // subject has answered.
    const Result<OpenedSubject> opened = db.openSubject(code);
    if (opened.isNotFound()) {
        test.reset();
        noticeNoSuchSubject(this);
        return;
    }
    if (opened.isFailed()) {
        test.reset();
        showStoreFailure(this, kErrorCaption,
                         QStringLiteral("آزمودني در فايل اطلاعاتي آماده نشد؛ تست اجرا نمي شود"),
                         opened.failure());
        return;
    }
    if (!test->attachSubject(code)) {
        const QString why = test->lastError();
        const StoreFailure failure = test->lastFailure();
        test.reset();
        dialogs().error(this, kErrorCaption, why, failure.detail);
        return;
    }
    // From here the window owns itself (it deletes itself when closed).
    test.release()->showWaiting();
    closeForHandOver();
}

void Frm1::openScoring() {
    SubjectDb db(folder_);
    if (!hasRows(this, db, db.subjectCount()))
        return;
    closePanels();
    auto* scoring = new FrmkLID(folder_);
    connectProfileWindow(scoring, folder_);
    scoring->show();
    closeForHandOver();
}

void Frm1::openRoster() {
    SubjectDb db(folder_);
    if (!hasRows(this, db, db.answerRowCount(2)))
        return;
    closePanels();
    FrmCode roster(folder_, this);
    roster.exec();
}

void Frm1::startCalculator() {
    closePanels();
    for (const QString& program : links::kCalculators) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty()) {
            shell().startProgram(path, {});
            return;
        }
    }
}

void Frm1::openAnswerSheet() {
    Frmpas2 sheet(folder_, this);
    sheet.exec();
}

void Frm1::openAbout() {
    closePanels();
    About about(this);
    about.exec();
}

void Frm1::openUpdate() {
    FrmUpdate update(folder_, this);
    update.exec();
}

Exitpro* Frm1::openExitWindow(int leftTwips, int topTwips) {
    if (!exitWindow_) {
        exitWindow_ = new Exitpro();
        exitWindow_->show();
        emit exitWindowShown(exitWindow_);
    }
    exitWindow_->move(pxPoint(leftTwips, topTwips));
    return exitWindow_;
}

void Frm1::closeForHandOver() {
    handingOver_ = true;
    Text3->setText(QStringLiteral("1"));
    close();
}

void Frm1::leave() {
    closePanels();
    openExitWindow(5000, 4500);
    close();
}

void Frm1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Command6->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Frm1::closeEvent(QCloseEvent* event) {
    // The closing is never cancelled; a hand-over to the test or scoring window
    // closes quietly, any other close asks through the exit window.
    if (!handingOver_ && !nav::isEnding()) {
        closePanels();
        openExitWindow(5000, 1500);
    }
    Timer1->stop();
    event->accept();
}

} // namespace hov
