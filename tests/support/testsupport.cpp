#include "tests/support/testsupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

namespace hovtest {

void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        const int key = c.isDigit() && c.unicode() < 128 ? Qt::Key_0 + (c.unicode() - '0')
                        : c.unicode() < 128                 ? QChar(c).toUpper().unicode()
                                                            : 0;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

void hoverOver(QWidget* widget, QPoint pos) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

QStringList ScriptedDialogs::notices() const {
    QStringList out;
    for (const Shown& s : shown)
        if (s.kind == QLatin1String("notice"))
            out << s.text;
    return out;
}

QStringList ScriptedDialogs::texts() const {
    QStringList out;
    for (const Shown& s : shown)
        out << s.text;
    return out;
}

void ScriptedDialogs::record(const Shown& s) {
    shown << s;
    if (onShow)
        onShow(s);
}

void ScriptedDialogs::notice(QWidget*, const QString& text) {
    record({QStringLiteral("notice"), QStringLiteral("پيام"), text, {}});
}

void ScriptedDialogs::message(QWidget*, const QString& caption, const QString& text, Icon icon) {
    lastIcon = icon;
    record({QStringLiteral("message"), caption, text, {}});
}

void ScriptedDialogs::error(QWidget*, const QString& caption, const QString& text,
                            const QString& details, Icon icon) {
    lastIcon = icon;
    record({QStringLiteral("message"), caption, text, details});
}

bool ScriptedDialogs::askYesNo(QWidget*, const QString& caption, const QString& text, Icon icon) {
    lastIcon = icon;
    record({QStringLiteral("yesno"), caption, text, {}});
    if (answers_.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted Yes/No box: ") + text), __FILE__, __LINE__);
        return false;
    }
    return answers_.dequeue();
}

QString ScriptedDialogs::input(QWidget*, const QString& title, const QString& prompt,
                               const QString&) {
    record({QStringLiteral("input"), title, prompt, {}});
    if (inputs_.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted input box: ") + title), __FILE__, __LINE__);
        return QString();
    }
    return inputs_.dequeue();
}

QString ScriptedDialogs::openFileName(QWidget*, const QString& folder, const QString& filter) {
    record({QStringLiteral("open"), folder, filter, {}});
    if (files_.isEmpty()) {
        QTest::qFail("unscripted open dialog", __FILE__, __LINE__);
        return QString();
    }
    return files_.dequeue();
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString& proposedPath, const QString& filter) {
    record({QStringLiteral("save"), proposedPath, filter, {}});
    if (files_.isEmpty()) {
        QTest::qFail("unscripted save dialog", __FILE__, __LINE__);
        return QString();
    }
    return files_.dequeue();
}

} // namespace hovtest
