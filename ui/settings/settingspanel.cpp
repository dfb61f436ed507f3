#include "ui/settings/settingspanel.h"

#include "data/bidi.h"
#include "data/settingsdb.h"
#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/services.h"
#include "ui/kit/theme.h"

#include <QBuffer>
#include <QCheckBox>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace hov {

SettingsPanel::SettingsPanel(const AppFolder& folder, QWidget* parent)
    : QFrame(parent), folder_(folder) {
    setObjectName(QStringLiteral("Frame8"));
    setFrameShape(QFrame::StyledPanel);
    // The panel lies over the banner.
    setAutoFillBackground(true);
    setFont(designFont(kNazanin, 12, true));

    Picture2 = new QLabel(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setFrameShape(QFrame::Box);
    Picture2->setAlignment(Qt::AlignCenter);
    Picture2->setFixedSize(pxSize(2100, 1200));
    Label1 = new QLabel(QStringLiteral("وضعيت نمايش آرم را مشخص نمائيد"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setFont(designFont(kNazanin, 11, true));
    markSkinLabel(Label1);
    Check1 = new QCheckBox(this);
    Check1->setObjectName(QStringLiteral("Check1"));

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    Command68 = button("Command68", QStringLiteral("تغيير تم برنامه"));
    Command67 = button("Command67", QStringLiteral(" مشخصات کلينيک"));
    Cmndedit = button("Cmndedit", QStringLiteral(" ويرايش سوالات"));
    Command65 = button("Command65", QStringLiteral("انتخاب آرم کلينيک"));
    Command69 = button("Command69", QStringLiteral("خروج"));

    auto* logo = new QVBoxLayout;
    logo->setSpacing(px(90));
    logo->addWidget(Picture2, 0, Qt::AlignHCenter);
    logo->addWidget(Label1);
    logo->addWidget(Check1);
    logo->addStretch();
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {Command68, Command67, Cmndedit, Command65, Command69})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(px(120), px(120), px(120), px(120));
    layout->setHorizontalSpacing(px(150));
    layout->addLayout(buttons, 0, 0);
    layout->addLayout(logo, 0, 1);

    connect(Check1, &QCheckBox::clicked, this, &SettingsPanel::storePrintLogo);
    hide();
}

void SettingsPanel::open() {
    setGeometry(pxRect(2430, 3465, 5205, 3480));
    SettingsDb db(folder_);
    const std::optional<ClinicSettings> s = db.read();
    {
        const QSignalBlocker block(Check1);
        Check1->setChecked(s && s->printLogo);
    }
    setCheckCaption();
    showLogo(s ? s->logo : QByteArray());
    show();
    raise();
    // An unread flag and logo show as "none": the operator must know they are not.
    if (!s)
        showStoreFailure(this, QStringLiteral("خطا"), QStringLiteral("مشخصات کلينيک خوانده نشد."),
                         db.lastFailure());
}

void SettingsPanel::showLogo(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    const QImage image = bytes.isEmpty() ? QImage() : reader.read();
    if (image.isNull()) {
        Picture2->clear();
        return;
    }
    Picture2->setPixmap(QPixmap::fromImage(image.scaled(Picture2->size() - QSize(4, 4),
                                                        Qt::KeepAspectRatio,
                                                        Qt::SmoothTransformation)));
}

void SettingsPanel::setCheckCaption() {
    Check1->setText(Check1->isChecked() ? QStringLiteral("آرم را نمايش دهد")
                                        : QStringLiteral("آرم را نمايش ندهد"));
}

void SettingsPanel::storePrintLogo(bool print) {
    setCheckCaption();
    SettingsDb db(folder_);
    if (db.storePrintLogo(print))
        return;
    // The box shows what is stored, not what failed to be.
    {
        const QSignalBlocker block(Check1);
        Check1->setChecked(!print);
    }
    setCheckCaption();
    showStoreFailure(this, QStringLiteral("خطا"), QStringLiteral("وضعيت نمايش آرم ذخيره نشد."), db.lastFailure());
}

} // namespace hov
