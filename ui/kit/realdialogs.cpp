#include "ui/kit/realdialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace hov {

namespace {

QMessageBox::Icon boxIcon(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Warning: return QMessageBox::Warning;
    case Dialogs::Icon::Critical: return QMessageBox::Critical;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    case Dialogs::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString boxText(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        bool visible = false;
        bool strong = false;
        for (const QChar c : line) {
            visible = visible || !c.isSpace();
            const QChar::Direction d = c.direction();
            strong = strong || d == QChar::DirL || d == QChar::DirR || d == QChar::DirAL;
        }
        if (visible && !strong)
            line.prepend(QChar(0x200F));
    }
    return lines.join(QLatin1Char('\n'));
}

void RealDialogs::notice(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kNoticeCaption, boxText(text), QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("notice"));
    // Each notice has its own timer, started when it appears: two notices in a row
    // each close a second after their own appearance, and a box the operator closed
    // early leaves nothing behind.
    QTimer timer;
    timer.setSingleShot(true);
    timer.setInterval(kNoticeDelayMs);
    QPointer<QMessageBox> guard(&box);
    QObject::connect(&timer, &QTimer::timeout, &box, [guard] {
        if (guard && guard->isVisible())
            guard->accept();
    });
    QTimer::singleShot(0, &box, [&timer] { timer.start(); });
    box.exec();
}

void RealDialogs::message(QWidget* owner, const QString& caption, const QString& text, Icon icon) {
    QMessageBox box(boxIcon(icon), caption, boxText(text), QMessageBox::Ok, owner);
    box.exec();
}

void RealDialogs::error(QWidget* owner, const QString& caption, const QString& text,
                        const QString& details, Icon icon) {
    QMessageBox box(boxIcon(icon), caption, boxText(text), QMessageBox::Ok, owner);
    if (!details.isEmpty())
        box.setDetailedText(details);
    box.exec();
}

bool RealDialogs::askYesNo(QWidget* owner, const QString& caption, const QString& text,
                           Icon icon) {
    QMessageBox box(boxIcon(icon), caption, boxText(text), QMessageBox::Yes | QMessageBox::No,
                    owner);
    return box.exec() == QMessageBox::Yes;
}

QString RealDialogs::input(QWidget* owner, const QString& title, const QString& prompt,
                           const QString& defaultText) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(owner, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

QString qtFileFilter(const QString& filter) {
    if (!filter.contains(QLatin1Char('|')) || filter.contains(QLatin1Char('(')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)
                                     .join(QLatin1Char(' '))
                                     .trimmed();
        filters << parts[i].trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString RealDialogs::openFileName(QWidget* owner, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(owner, QString(), folder, qtFileFilter(filter));
}

QString RealDialogs::saveFileName(QWidget* owner, const QString& proposedPath,
                                  const QString& filter) {
    return QFileDialog::getSaveFileName(owner, QString(), proposedPath, qtFileFilter(filter));
}

} // namespace hov
