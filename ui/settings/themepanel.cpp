#include "ui/settings/themepanel.h"

#include "data/bidi.h"
#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/keyguard.h"
#include "ui/kit/services.h"
#include "ui/kit/theme.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace hov {

ThemePanel::ThemePanel(const AppFolder& folder, QWidget* parent)
    : QFrame(parent), folder_(folder) {
    setObjectName(QStringLiteral("Frame6"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setFont(designFont(kNazanin, 12, true));

    Txtthema = new QLineEdit(this);
    Txtthema->setObjectName(QStringLiteral("Txtthema"));
    Txtthema->setAlignment(Qt::AlignCenter);
    Txtthema->setFont(designFont(kArial, 14, true));
    Txtthema->setMaxLength(4);
    DigitsOnlyGuard::install(Txtthema);
    Comdtback = new QPushButton(QStringLiteral("قبلي"), this);
    Comdtback->setObjectName(QStringLiteral("Comdtback"));
    Comdtnext = new QPushButton(QStringLiteral("بعدي"), this);
    Comdtnext->setObjectName(QStringLiteral("Comdtnext"));
    Command46 = new QPushButton(QStringLiteral("خروج"), this);
    Command46->setObjectName(QStringLiteral("Command46"));

    auto* steps = new QHBoxLayout;
    // "بعدي" on the left and "قبلي" on the right, as the panel reads right to left.
    steps->addWidget(Comdtback);
    steps->addWidget(Txtthema);
    steps->addWidget(Comdtnext);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(px(150), px(150), px(150), px(150));
    layout->addStretch();
    layout->addLayout(steps);
    layout->addStretch();
    layout->addWidget(Command46, 0, Qt::AlignHCenter);

    connect(Txtthema, &QLineEdit::textChanged, this, &ThemePanel::apply);
    connect(Comdtback, &QPushButton::clicked, this, [this] { step(-1); });
    connect(Comdtnext, &QPushButton::clicked, this, [this] { step(+1); });
    connect(Command46, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

int ThemePanel::themeNumberOf(const QString& text) {
    qint64 number = 0;
    for (QChar c : text) {
        int digit = -1;
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= 0x06F0 && u <= 0x06F9)
            digit = u - 0x06F0;
        else if (u >= 0x0660 && u <= 0x0669)
            digit = u - 0x0660;
        if (digit < 0)
            break;
        number = std::min<qint64>(number * 10 + digit, 1000);
    }
    return static_cast<int>(std::clamp<qint64>(number, 1, kThemeCount));
}

void ThemePanel::open() {
    setGeometry(pxRect(3015, 1080, 3690, 2415));
    show();
    raise();
    const int inForce = readThemeNumber(folder_);
    const QString text = QString::number(inForce);
    if (Txtthema->text() == text)
        apply(text);
    else
        Txtthema->setText(text);
    Txtthema->setFocus();
}

void ThemePanel::step(int by) {
    Txtthema->setText(QString::number(themeNumberOf(Txtthema->text()) + by));
}

void ThemePanel::apply(const QString& text) {
    if (applying_)
        return;
    applying_ = true;
    const int number = themeNumberOf(text);
    applySkin(window(), loadSkin(folder_, number));
    if (!writeThemeNumber(folder_, number))
        dialogs().message(this, QStringLiteral("خطا"),
                          QStringLiteral("شماره تم در فايل %1 ذخيره نشد؛ پنجره هايي که از اين پس باز مي شوند تم قبلي را دارند.")
                              .arg(isolated(folder_.skinNumberFile())),
                          Dialogs::Icon::Critical);
    const QString shown = QString::number(number);
    if (Txtthema->text() != shown)
        Txtthema->setText(shown);
    applying_ = false;
}

} // namespace hov
