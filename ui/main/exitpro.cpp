#include "ui/main/exitpro.h"

#include "ui/backup/frmbackup.h"

#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/navigator.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace hov {

namespace {

// The picture buttons are drawn here: a rounded plate with the caption, the highlighted
// one lighter with a bright rim.
QPixmap plate(const QSize& size, const QString& caption, const QColor& colour, bool highlighted) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor fill = highlighted ? colour.lighter(135) : colour;
    p.setPen(QPen(highlighted ? QColor(Qt::yellow) : fill.darker(140), highlighted ? 3 : 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(pixmap.rect()).adjusted(2, 2, -2, -2), 8, 8);
    p.setPen(Qt::white);
    p.setFont(designFont(kNazanin, 13, true));
    p.drawText(pixmap.rect(), Qt::AlignCenter, caption);
    return pixmap;
}

QLabel* pictureButton(QWidget* parent, const QString& name, const QPixmap& pixmap,
                      const QRect& place) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(pixmap);
    label->setGeometry(place);
    label->setCursor(Qt::PointingHandCursor);
    label->setMouseTracking(true);
    return label;
}

} // namespace

Exitpro::Exitpro(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::Tool) {
    setObjectName(QStringLiteral("exitpro"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window (kept out of the taskbar) does not count as an open window for Qt,
    // and once the main window has closed behind it the program would quit at once.
    setAttribute(Qt::WA_QuitOnClose);
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(pxSize(4275, 3075));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x00, 0xC0, 0xC0));
    setPalette(pal);
    setAutoFillBackground(true);

    Label1 = new QLabel(QStringLiteral("آيا براي خروج از برنامه اطمينان داريد"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(designFont(kNazanin, 13, true));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setGeometry(pxRect(150, 300, 3975, 800));

    Check1 = new QCheckBox(QStringLiteral("تهيه نسخه پشتيبان"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setFont(designFont(kNazanin, 12, true));
    Check1->setGeometry(pxRect(600, 1300, 3075, 450));

    const QSize buttonSize = pxSize(1440, 525);
    const QRect leavePlace(QPoint(width() - px(300) - buttonSize.width(), px(2200)), buttonSize);
    const QRect stayPlace(QPoint(px(300), px(2200)), buttonSize);
    const QString leaveCaption = QStringLiteral("خروج");
    const QString stayCaption = QStringLiteral("بازگشت");
    k1 = pictureButton(this, QStringLiteral("k1"), plate(buttonSize, leaveCaption, QColor(0xb0, 0x30, 0x30), false), leavePlace);
    k2 = pictureButton(this, QStringLiteral("k2"), plate(buttonSize, leaveCaption, QColor(0xb0, 0x30, 0x30), true), leavePlace);
    c1 = pictureButton(this, QStringLiteral("c1"), plate(buttonSize, stayCaption, QColor(0x2a, 0x6a, 0x30), false), stayPlace);
    c2 = pictureButton(this, QStringLiteral("c2"), plate(buttonSize, stayCaption, QColor(0x2a, 0x6a, 0x30), true), stayPlace);
    for (QLabel* l : {k1, k2, c1, c2})
        l->installEventFilter(this);
    showNormalPictures();

    // The check box caption alternates: two timers take turns setting the window
    // caption, a third copies the caption into the check box.
    Timer1 = new QTimer(this);
    Timer2 = new QTimer(this);
    Timer3 = new QTimer(this);
    for (QTimer* t : {Timer1, Timer2, Timer3})
        t->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, [this] {
        setWindowTitle(QStringLiteral(" تهيه نسخه پشتيبان"));
        Timer1->stop();
        Timer2->start();
    });
    connect(Timer2, &QTimer::timeout, this, [this] {
        setWindowTitle(QStringLiteral("پشتيبان گيري"));
        Timer2->stop();
        Timer1->start();
    });
    connect(Timer3, &QTimer::timeout, this, [this] { Check1->setText(windowTitle()); });
    Timer1->start();
    Timer3->start();

    move(pxPoint(5000, 4500));
}

void Exitpro::showNormalPictures() {
    k1->show();
    k2->hide();
    c1->show();
    c2->hide();
}

bool Exitpro::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched == k1) {
            k1->hide();
            k2->show();
        } else if (watched == c1) {
            c1->hide();
            c2->show();
        }
        // Moves over a picture stop here; only the background restores the pictures.
        if (event->type() == QEvent::MouseMove)
            return true;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == k1 || watched == k2) {
            leave();
            return true;
        }
        if (watched == c1 || watched == c2) {
            stay();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Exitpro::mouseMoveEvent(QMouseEvent* event) {
    showNormalPictures();
    QWidget::mouseMoveEvent(event);
}

void Exitpro::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        leave();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Exitpro::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A frameless tool window is not given the keyboard by every window manager; Escape
    // must reach it all the same.
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void Exitpro::leave() {
    if (Check1->isChecked()) {
        backUpBeforeLeaving();
        return;
    }
    nav::endProgram();
}

void Exitpro::backUpBeforeLeaving() {
    // Nothing else is open by now, so no window writes while the backup is taken.
    auto* backup = new Frmbackup(nav::appFolder());
    backup->show();
    close();
}

void Exitpro::stay() {
    nav::showMainWindow();
    close();
}

} // namespace hov
