#include "ui/settings/itemeditorpanel.h"

#include "data/bidi.h"
#include "data/subject.h"
#include "data/subjectdb.h"
#include "ui/kit/captionlabel.h"
#include "ui/kit/controls.h"
#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/keyguard.h"
#include "ui/kit/services.h"
#include "ui/kit/theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>
#include <QVBoxLayout>

namespace hov {

ItemEditorPanel::ItemEditorPanel(const AppFolder& folder, QWidget* parent)
    : QFrame(parent), folder_(folder) {
    setObjectName(QStringLiteral("Frame1"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setFont(designFont(kNazanin, 12, true));

    Label20 = new CaptionLabel(QStringLiteral(": شماره سوال  "), this);
    Label20->setObjectName(QStringLiteral("Label20"));
    markSkinLabel(Label20);
    Text20 = new QLineEdit(this);
    Text20->setObjectName(QStringLiteral("Text20"));
    Text20->setFont(designFont(kArial, 12, true));
    Text20->setMaxLength(6);
    Text20->setFixedWidth(px(1100));
    DigitsOnlyGuard::install(Text20);
    Text19 = makePersianTextBox(QStringLiteral("Text19"), this);
    Text19->setFont(designFont(kNazanin, 13, true));
    Command16 = new QPushButton(QStringLiteral("ذخيره "), this);
    Command16->setObjectName(QStringLiteral("Command16"));
    Command15 = new QPushButton(QStringLiteral("انصراف"), this);
    Command15->setObjectName(QStringLiteral("Command15"));

    auto* number = new QHBoxLayout;
    number->addWidget(Label20);
    number->addWidget(Text20);
    number->addStretch();
    number->addWidget(Command16);
    number->addWidget(Command15);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(px(120), px(90), px(120), px(120));
    layout->addLayout(number);
    layout->addWidget(Text19, 1);

    connect(Text20, &QLineEdit::textChanged, this, &ItemEditorPanel::numberChanged);
    connect(Command16, &QPushButton::clicked, this, &ItemEditorPanel::save);
    connect(Command15, &QPushButton::clicked, this, &ItemEditorPanel::cancel);
    hide();
}

void ItemEditorPanel::open() {
    setGeometry(pxRect(720, 500, 6915, 2970));
    show();
    raise();
    if (Text20->text() == QLatin1String("1"))
        showItem();
    else
        Text20->setText(QStringLiteral("1"));
    Text20->setFocus();
}

int ItemEditorPanel::itemNumber() const {
    bool ok = false;
    const int n = Text20->text().toInt(&ok);
    return ok ? n : 0;
}

void ItemEditorPanel::numberChanged(const QString& text) {
    if (text.isEmpty()) {
        Text20->setText(QStringLiteral("1"));
        return;
    }
    showItem();
}

void ItemEditorPanel::showItem() {
    const int item = itemNumber();
    // A number without an item shows an empty text.
    if (!isItem(item)) {
        Text19->setPlainText(QString());
        return;
    }
    SubjectDb db(folder_);
    const std::optional<QString> text = db.readItemText(item);
    Text19->setPlainText(text.value_or(QString()));
    unreadItem_ = text ? 0 : item;
    if (!text)
        showStoreFailure(this, QStringLiteral("خطا"), QStringLiteral("متن سؤال %1 خوانده نشد.").arg(item), db.lastFailure());
}

void ItemEditorPanel::save() {
    const int item = itemNumber();
    if (!isItem(item)) {
        dialogs().message(this, QStringLiteral("خطا"),
                          QStringLiteral("سؤالي با شماره %1 وجود ندارد؛ شماره سؤال بايد از 1 تا 480 باشد. چيزي ذخيره نشد.")
                              .arg(isolated(Text20->text())),
                          Dialogs::Icon::Warning);
        return;
    }
    // The empty field of a wording that could not be read would store an empty wording
    // over the real one; a wording the operator typed there is stored.
    if (item == unreadItem_ && !Text19->document()->isModified()) {
        dialogs().message(this, QStringLiteral("خطا"),
                          QStringLiteral("متن سؤال %1 خوانده نشده بود؛ چيزي ذخيره نشد.").arg(item),
                          Dialogs::Icon::Warning);
        return;
    }
    SubjectDb db(folder_);
    if (!db.storeItemText(item, Text19->toPlainText())) {
        // The edited wording stays in the field for another try.
        showStoreFailure(this, QStringLiteral("خطا"), QStringLiteral("متن سؤال %1 ذخيره نشد.").arg(item), db.lastFailure());
        return;
    }
    dialogs().notice(parentWidget(), QStringLiteral("ذخيره شد"));
}

void ItemEditorPanel::cancel() {
    hide();
    if (Text20->text() == QLatin1String("1"))
        showItem();
    else
        Text20->setText(QStringLiteral("1"));
}

} // namespace hov
