#include "ui/answersheet/answersheetbox.h"

#include "ui/kit/services.h"

#include <QKeyEvent>

namespace hov {

AnswerSheetBox::AnswerSheetBox(int item, QWidget* parent) : QLineEdit(parent), item_(item) {
    setAlignment(Qt::AlignCenter);
    // No length limit: typing puts one character at most, and a stored value other
    // than "1" or "2" is shown whole rather than cut to its first character.
    setAcceptDrops(false);
    // Input methods would insert text behind the key handling.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString& text) { emit editedOtherwise(item_, text); });
}

void AnswerSheetBox::showAnswer(const QString& text) {
    accepted_ = text;
    setText(text);
}

AnswerSheetBox::KeyAction AnswerSheetBox::actionFor(const QKeyEvent& event, QChar* digit) {
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return KeyAction::Clear;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        return KeyAction::Pass;
    default:
        break;
    }
    if (event.matches(QKeySequence::Paste))
        return KeyAction::Refuse;
    const Qt::KeyboardModifiers mods = event.modifiers();
    const QString text = event.text();
    if (text.isEmpty()) {
        // Ctrl+letter may arrive without its control character.
        const bool controlLetter =
            (mods & Qt::ControlModifier) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z;
        return controlLetter ? KeyAction::Refuse : KeyAction::Pass;
    }
    if (text.size() == 1 && !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        const QChar c = text.front();
        if (c == QLatin1Char('0') || c == QLatin1Char('1') || c == QLatin1Char('2')) {
            if (digit)
                *digit = c;
            return KeyAction::Digit;
        }
    }
    return KeyAction::Refuse;
}

void AnswerSheetBox::keyPressEvent(QKeyEvent* event) {
    QChar digit;
    switch (actionFor(*event, &digit)) {
    case KeyAction::Digit:
        event->accept();
        emit digitTyped(item_, digit);
        return;
    case KeyAction::Clear:
        event->accept();
        emit clearedByKey(item_);
        return;
    case KeyAction::Refuse:
        event->accept();
        shell().beep();
        return;
    case KeyAction::Pass:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

void AnswerSheetBox::inputMethodEvent(QInputMethodEvent* event) {
    event->accept();
}

} // namespace hov
