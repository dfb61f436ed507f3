#include "ui/kit/controls.h"

#include "ui/kit/captionlabel.h"
#include "ui/kit/theme.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextOption>
#include <QPushButton>

namespace hov {

QLineEdit* makeLineEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QComboBox* makePickList(const QString& name, const QStringList& entries, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(entries);
    list->setCurrentIndex(-1);
    return list;
}

QComboBox* makeShownList(const QString& name, const QStringList& entries, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(entries);
    // Editable so that any stored text shows, even one not in the list.
    list->setEditable(true);
    list->lineEdit()->setReadOnly(true);
    // Enter in an editable list would add the shown text to the list's values.
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCurrentText(QString());
    return list;
}

QLabel* makeCaption(const QString& text, QWidget* parent) {
    auto* label = new CaptionLabel(text, parent);
    markSkinLabel(label);
    return label;
}

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QPlainTextEdit* makePersianTextBox(const QString& name, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setLayoutDirection(Qt::RightToLeft);
    QTextOption option = box->document()->defaultTextOption();
    option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    option.setTextDirection(Qt::RightToLeft);
    box->document()->setDefaultTextOption(option);
    return box;
}

} // namespace hov
