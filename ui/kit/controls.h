#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace hov {

// The controls the windows make, each named (objectName) as in the design. Fonts,
// geometry and behaviour of one window stay with that window.

// A text box.
QLineEdit* makeLineEdit(const QString& name, QWidget* parent);
// A list to pick from, nothing picked yet.
QComboBox* makePickList(const QString& name, const QStringList& entries, QWidget* parent);
// A list that only shows a stored value: any text shows, also one not in the list, and
// neither a key nor Enter changes it or adds to the list.
QComboBox* makeShownList(const QString& name, const QStringList& entries, QWidget* parent);
// A caption in the design's colon-first form (" :کد"), in the skin's label colour.
QLabel* makeCaption(const QString& text, QWidget* parent);
QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent);
// A multi-line box of Persian text: its lines run right to left and start at the right
// edge. (A right-to-left window alone does not do it: the box's document keeps a
// left-to-right default, so Persian lines would hug the left edge.)
QPlainTextEdit* makePersianTextBox(const QString& name, QWidget* parent);

} // namespace hov
