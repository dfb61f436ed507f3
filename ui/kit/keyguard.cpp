#include "ui/kit/keyguard.h"

#include "ui/kit/services.h"

#include <QKeyEvent>
#include <QWidget>

namespace hov {

void DigitsOnlyGuard::install(QWidget* field) {
    field->installEventFilter(new DigitsOnlyGuard(field));
}

bool DigitsOnlyGuard::accepts(const QString& typed) {
    if (typed.size() != 1)
        return typed.isEmpty();
    const QChar c = typed.front();
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('\b') ||
           c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

bool DigitsOnlyGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default: break;
    }
    QString typed = key->text();
    // Delete and Escape are typed characters (DEL, ESC) whatever text the platform gives.
    if (key->key() == Qt::Key_Delete)
        typed = QChar(0x7f);
    else if (key->key() == Qt::Key_Escape)
        typed = QChar(0x1b);
    // Ctrl+letter arrives as its control character (Ctrl+V is 22), even where the
    // platform leaves the text empty.
    if (typed.isEmpty() && (key->modifiers() & Qt::ControlModifier) && key->key() >= Qt::Key_A &&
        key->key() <= Qt::Key_Z)
        typed = QChar(key->key() - Qt::Key_A + 1);
    if (accepts(typed))
        return false;
    shell().beep();
    dialogs().notice(qobject_cast<QWidget*>(watched) ? static_cast<QWidget*>(watched)->window()
                                                     : nullptr,
                     kDigitsOnlyNotice);
    // A field does nothing with Escape but pass it on, to the window's Escape action.
    return key->key() != Qt::Key_Escape;
}

} // namespace hov
