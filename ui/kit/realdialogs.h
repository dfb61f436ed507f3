#pragma once

#include "ui/kit/services.h"

namespace hov {

inline const QString kNoticeCaption = QStringLiteral("پيام");
inline constexpr int kNoticeDelayMs = 1000;

// A file filter as Qt's file dialog reads it. Filters in the design's form, description and
// pattern between bars ("Database Backup |*.mdbB", several patterns split by ";"), become
// "Database Backup (*.mdbB)"; a filter in Qt's own form is left as it is.
QString qtFileFilter(const QString& filter);

// A message as the box shows it: a line without letters (a list of item numbers, a date)
// has no reading direction of its own and would run left to right; a right-to-left mark
// in front makes it run in the box's direction, like the Persian lines around it.
QString boxText(const QString& text);

// The message boxes, input box and file dialogs the operator sees.
class RealDialogs final : public Dialogs {
public:
    void notice(QWidget* owner, const QString& text) override;
    void message(QWidget* owner, const QString& caption, const QString& text, Icon icon) override;
    void error(QWidget* owner, const QString& caption, const QString& text, const QString& details,
               Icon icon) override;
    bool askYesNo(QWidget* owner, const QString& caption, const QString& text, Icon icon) override;
    QString input(QWidget* owner, const QString& title, const QString& prompt,
                  const QString& defaultText) override;
    QString openFileName(QWidget* owner, const QString& folder, const QString& filter) override;
    QString saveFileName(QWidget* owner, const QString& proposedPath,
                         const QString& filter) override;
};

} // namespace hov
