#include "ui/main/about.h"

#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/links.h"
#include "ui/kit/version.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace hov {

About::About(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("درباره ما"));
    setModal(true);
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(pxSize(6000, 4200));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x10, 0x20, 0x38));
    setPalette(pal);
    setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(this);
    const struct {
        QString text;
        QFont font;
    } lines[] = {
        {QStringLiteral("HOV-480"), designFont(kArial, 22, true)},
        {QStringLiteral("نرم افزار اجرا، نمره گذاري و تفسير پرسشنامه شخصيت ۴۸۰ سؤالي"),
         designFont(kNazanin, 13, true)},
        {QStringLiteral("نسخه ") + QString::number(kVersionMajor) + QLatin1Char('.') +
             QString::number(kVersionMinor),
         designFont(kNazanin, 12, true)},
        {QStringLiteral("سايت: ") + QString(links::kSite).remove(QStringLiteral("https://")),
         designFont(kNazanin, 11)},
        {QStringLiteral("ايميل: ") + links::kEmail, designFont(kNazanin, 11)},
        {QStringLiteral("کانال تلگرام: ") + links::isolatedChannelName(), designFont(kNazanin, 11)},
    };
    for (const auto& line : lines) {
        auto* label = new QLabel(line.text, this);
        label->setFont(line.font);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        layout->addWidget(label);
        captions << label;
    }
    captions.front()->setObjectName(QStringLiteral("LblTitle"));
    auto* ok = new QPushButton(QStringLiteral("تاييد"), this);
    ok->setObjectName(QStringLiteral("CmdOk"));
    ok->setFont(designFont(kNazanin, 12, true));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignCenter);

    Timer1 = new QTimer(this);
    Timer1->setInterval(300);
    connect(Timer1, &QTimer::timeout, this, &About::step);
    step();
    Timer1->start();
}

// Each caption walks round the colour wheel, a little behind the one above it, and
// the title breathes in size.
void About::step() {
    ++phase_;
    for (int i = 0; i < captions.size(); ++i) {
        const QColor colour = QColor::fromHsv((phase_ * 12 + i * 40) % 360, 150, 255);
        captions[i]->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
    }
    QFont title = captions.front()->font();
    title.setPointSize(20 + (phase_ % 6 < 3 ? phase_ % 3 : 3 - phase_ % 3));
    captions.front()->setFont(title);
}

} // namespace hov
