#include "ui/settings/clinicprofilepanel.h"

#include "data/bidi.h"
#include "ui/kit/captionlabel.h"
#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/services.h"
#include "ui/kit/theme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hov {

ClinicProfilePanel::ClinicProfilePanel(const AppFolder& folder, QWidget* parent)
    : QFrame(parent), folder_(folder) {
    setObjectName(QStringLiteral("Frame9"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setFont(designFont(kNazanin, 12, true));

    auto field = [this](const char* name, bool contact) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        if (contact) {
            // Addresses, handles and numbers read left to right.
            edit->setLayoutDirection(Qt::LeftToRight);
            edit->setFont(designFont(kArial, 12, true));
        }
        return edit;
    };
    TxtName = field("TxtName", false);
    TxtAdress = field("TxtAdress", false);
    TxtT1 = field("TxtT1", true);
    TxtT2 = field("TxtT2", true);
    TxtT3 = field("TxtT3", true);
    TxtT4 = field("TxtT4", true);
    TxtT5 = field("TxtT5", true);
    TxtT6 = field("TxtT6", true);
    TxtT11 = field("TxtT11", false);
    LblT11 = new CaptionLabel(QStringLiteral(" :كد آزمودني"), this);
    LblT11->setObjectName(QStringLiteral("LblT11"));

    const struct {
        QString caption;
        QLineEdit* edit;
    } rows[] = {
        {QStringLiteral(":نام كلينيك "), TxtName}, {QStringLiteral(" :آدرس"), TxtAdress},
        {QStringLiteral(":ايميل"), TxtT1},         {QStringLiteral(" :تلگرام"), TxtT2},
        {QStringLiteral(":اينستاگرام"), TxtT3},    {QStringLiteral(" :سايت"), TxtT4},
        {QStringLiteral(":تويتر"), TxtT5},         {QStringLiteral(" :تلفن"), TxtT6},
    };
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(px(30));
    grid->setHorizontalSpacing(px(120));
    int row = 0;
    for (const auto& r : rows) {
        auto* label = new CaptionLabel(r.caption, this);
        label->setObjectName(QStringLiteral("Lbl") + r.edit->objectName().mid(3));
        markSkinLabel(label);
        grid->addWidget(label, row, 0);
        grid->addWidget(r.edit, row++, 1);
    }
    markSkinLabel(LblT11);
    grid->addWidget(LblT11, row, 0);
    grid->addWidget(TxtT11, row, 1);
    grid->setColumnStretch(1, 1);

    Command64 = new QPushButton(QStringLiteral("ذخيره "), this);
    Command64->setObjectName(QStringLiteral("Command64"));
    Command7 = new QPushButton(QStringLiteral("انصراف"), this);
    Command7->setObjectName(QStringLiteral("Command7"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command64);
    buttons->addWidget(Command7);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(px(150), px(90), px(150), px(90));
    layout->setSpacing(px(60));
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(TxtT11, &QLineEdit::textChanged, this, [this](const QString& term) {
        LblT11->setText(term);
        emit subjectTermEdited(term);
    });
    connect(TxtT3, &QLineEdit::textChanged, this,
            [this] { emit clinicNameShown(TxtName->text()); });
    connect(Command64, &QPushButton::clicked, this, &ClinicProfilePanel::save);
    connect(Command7, &QPushButton::clicked, this, &ClinicProfilePanel::cancel);
    hide();
}

bool ClinicProfilePanel::open() {
    SettingsDb db(folder_);
    const std::optional<ClinicSettings> s = db.read();
    if (!s) {
        showStoreFailure(this, QStringLiteral("خطا"), QStringLiteral("مشخصات کلينيک خوانده نشد."), db.lastFailure());
        return false;
    }
    stored_ = *s;
    setGeometry(pxRect(435, 840, 7280, 4935));
    TxtName->setText(s->name);
    TxtAdress->setText(s->address);
    TxtT1->setText(s->email);
    TxtT2->setText(s->telegram);
    TxtT3->setText(s->instagram);
    TxtT4->setText(s->website);
    TxtT5->setText(s->twitter);
    TxtT6->setText(s->phone);
    TxtT11->setText(s->subjectTerm);
    show();
    raise();
    TxtName->setFocus();
    return true;
}

ClinicSettings ClinicProfilePanel::edited() const {
    ClinicSettings s = stored_;
    s.name = TxtName->text();
    s.address = TxtAdress->text();
    s.email = TxtT1->text();
    s.telegram = TxtT2->text();
    s.instagram = TxtT3->text();
    s.website = TxtT4->text();
    s.twitter = TxtT5->text();
    s.phone = TxtT6->text();
    s.subjectTerm = TxtT11->text();
    return s;
}

void ClinicProfilePanel::save() {
    const ClinicSettings s = edited();
    SettingsDb db(folder_);
    if (!db.saveProfile(s)) {
        // The fields keep what the operator typed, for another try.
        showStoreFailure(this, QStringLiteral("خطا"), QStringLiteral("مشخصات کلينيک ذخيره نشد."), db.lastFailure());
        return;
    }
    stored_ = s;
    hide();
    emit saved(s);
    dialogs().notice(parentWidget(), QStringLiteral("تغييرات با موفقيت ذخيره شد"));
    applyTheme(window(), folder_);
}

void ClinicProfilePanel::cancel() {
    hide();
    // Edits that were not saved leave nothing behind: the captions they changed show the
    // stored values again.
    if (TxtT11->text() != stored_.subjectTerm)
        emit subjectTermEdited(stored_.subjectTerm);
    emit clinicNameShown(stored_.name);
    emit cancelled();
    applyTheme(window(), folder_);
}

} // namespace hov
