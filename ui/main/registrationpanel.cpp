#include "ui/main/registrationpanel.h"

#include "ui/kit/controls.h"

#include "ui/kit/captionlabel.h"
#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "data/jalali.h"
#include "ui/kit/keyguard.h"
#include "scoring/rawscores.h"
#include "ui/kit/services.h"
#include "data/subjectdb.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace hov {

namespace {

QComboBox* pickList(QWidget* parent, const QString& name, const QStringList& entries) {
    return makePickList(name, entries, parent);
}

QLineEdit* field(QWidget* parent, const QString& name) {
    return makeLineEdit(name, parent);
}

} // namespace

RegistrationPanel::RegistrationPanel(const AppFolder& folder, const QString& subjectTerm,
                                     QWidget* parent)
    : QFrame(parent), folder_(folder) {
    setObjectName(QStringLiteral("Frame10"));
    setFrameShape(QFrame::StyledPanel);
    setFont(designFont(kNazanin, 12, true));

    Text11 = field(this, QStringLiteral("Text11"));
    Text6 = field(this, QStringLiteral("Text6"));
    Text4 = field(this, QStringLiteral("Text4"));
    Text5 = field(this, QStringLiteral("Text5"));
    Text5->setMaxLength(3);
    DigitsOnlyGuard::install(Text5);
    Combo1 = pickList(this, QStringLiteral("Combo1"), maritalStates());
    Combo1->setToolTip(QStringLiteral("وضعيت تأهل خود را مشخص کنيد"));
    Text8 = field(this, QStringLiteral("Text8"));
    Text9 = field(this, QStringLiteral("Text9"));
    Text9->setReadOnly(true);
    Combo2 = pickList(this, QStringLiteral("Combo2"), sexes());
    Combo2->setToolTip(QStringLiteral("جنسيت را انتخاب كنيد"));
    Combo3 = pickList(this, QStringLiteral("Combo3"), groups());
    Text7 = field(this, QStringLiteral("Text7"));
    Text15 = field(this, QStringLiteral("Text15"));
    Text16 = field(this, QStringLiteral("Text16"));
    Text17 = field(this, QStringLiteral("Text17"));
    for (QLineEdit* hidden : {Text15, Text16, Text17})
        hidden->hide();
    // Choosing an entry copies it into the hidden field bound to the column.
    connect(Combo1, &QComboBox::textActivated, Text15, &QLineEdit::setText);
    connect(Combo2, &QComboBox::textActivated, Text16, &QLineEdit::setText);
    connect(Combo3, &QComboBox::textActivated, Text17, &QLineEdit::setText);

    LblCode = new CaptionLabel(subjectTerm.isEmpty() ? QStringLiteral(" :کد آزمودني") : subjectTerm, this);
    LblCode->setObjectName(QStringLiteral("Label11"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(px(90));
    grid->setVerticalSpacing(px(30));
    const struct {
        QWidget* label;
        QWidget* input;
    } rows[] = {
        {LblCode, Text11},
        {new CaptionLabel(QStringLiteral(" :نام"), this), Text6},
        {new CaptionLabel(QStringLiteral(" :نام خانوادگي"), this), Text4},
        {new CaptionLabel(QStringLiteral(" :سن"), this), Text5},
        {new CaptionLabel(QStringLiteral(" :تاهل"), this), Combo1},
        {new CaptionLabel(QStringLiteral(" :تاريخ"), this), Text8},
        {new CaptionLabel(QStringLiteral(" :ساعت"), this), Text9},
        {new CaptionLabel(QStringLiteral(" :جنس"), this), Combo2},
        {new CaptionLabel(QStringLiteral(" :گروه"), this), Combo3},
        {new CaptionLabel(QStringLiteral(" :تحصيلات"), this), Text7},
    };
    for (int i = 0; i < 10; ++i) {
        const int row = i % 5;
        const int column = (i / 5) * 2;
        grid->addWidget(rows[i].label, row, column);
        grid->addWidget(rows[i].input, row, column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    Command8 = new QPushButton(QStringLiteral("ذخيره"), this);
    Command8->setObjectName(QStringLiteral("Command8"));
    Command10 = new QPushButton(QStringLiteral("انصراف"), this);
    Command10->setObjectName(QStringLiteral("Command10"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command8);
    buttons->addWidget(Command10);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(px(120), px(90), px(120), px(90));
    layout->setSpacing(px(60));
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(Command8, &QPushButton::clicked, this, &RegistrationPanel::save);
    connect(Command10, &QPushButton::clicked, this, &RegistrationPanel::finished);
    hide();
}

void RegistrationPanel::open() {
    setGeometry(pxRect(90, 870, 7575, 2985));
    show();
    raise();
    for (QLineEdit* edit : {Text11, Text6, Text4, Text5, Text8, Text9, Text7, Text15, Text16, Text17})
        edit->clear();
    const QDateTime now = clock().now();
    Text9->setText(timeText(now.time()));
    Text8->setText(jalali::dateText(now.date(), 0));
    Text11->setFocus();
    SubjectDb db(folder_);
    const Result<QString> proposal = db.proposeCode();
    Text11->setText(proposal.isFound() ? *proposal : QString());
    if (proposal.isFailed())
        showStoreFailure(window(), QStringLiteral("خطا"), QString(), proposal.failure());
}

bool RegistrationPanel::check() {
    const struct {
        QString text;
        QWidget* focus;
        bool empty;
    } checks[] = {
        {QStringLiteral("کد آزمودني را وارد کنيد"), Text11, Text11->text().isEmpty()},
        {QStringLiteral("نام آزمودني را وارد کنيد"), Text6, Text6->text().isEmpty()},
        {QStringLiteral("نام خانوادگي آزمودني را وارد کنيد"), Text4, Text4->text().isEmpty()},
        {QStringLiteral("جنسيت آزمودني را مشخص کنيد"), Combo2, Text16->text().isEmpty()},
        {QStringLiteral("سن آزمودني را وارد کنيد"), Text5, Text5->text().isEmpty()},
        {QStringLiteral("وضعيت تاهل آزمودني را مشخص کنيد"), Combo1, Text15->text().isEmpty()},
        {QStringLiteral("گروه را مشخص کنيد"), Combo3, Text17->text().isEmpty()},
        {QStringLiteral("ميزان تحصيلات آزمودني را وارد کنيد"), Text7, Text7->text().isEmpty()},
    };
    for (const auto& c : checks) {
        if (c.empty) {
            dialogs().notice(window(), c.text);
            c.focus->setFocus();
            return false;
        }
    }
    return true;
}

void RegistrationPanel::save() {
    Text15->setText(Combo1->currentText());
    Text16->setText(Combo2->currentText());
    Text17->setText(Combo3->currentText());
    if (!check())
        return;
    SubjectDb db(folder_);
    const QString code = Text11->text();
    switch (db.codeExists(code)) {
    case Lookup::Found:
        dialogs().notice(window(), QStringLiteral("فردديگري با اين کد ثبت شده"));
        return;
    case Lookup::Failed:
        showStoreFailure(window(), QStringLiteral("خطا"),
                         QStringLiteral("ثبت آزمودني انجام نشد و هيچ اطلاعاتي ذخيره نگرديد."),
                         db.lastFailure());
        return;
    case Lookup::NotFound: break;
    }
    Subject s;
    s.code = code;
    s.firstName = Text6->text();
    s.lastName = Text4->text();
    s.age = Text5->text();
    s.sex = Text16->text();
    s.marital = Text15->text();
    s.group = Text17->text();
    s.education = Text7->text();
    s.date = Text8->text();
    s.time = Text9->text();
    // All four rows or none: a subject half registered would have no answer rows.
    if (!db.registerSubject(s)) {
        showStoreFailure(window(), QStringLiteral("خطا"),
                         QStringLiteral("ثبت آزمودني انجام نشد و هيچ اطلاعاتي ذخيره نگرديد."),
                         db.lastFailure());
        return;
    }
    emit finished();
    dialogs().notice(window(), QStringLiteral("ذخيره شد"));
}

} // namespace hov
