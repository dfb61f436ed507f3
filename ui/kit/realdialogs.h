#pragma once

#include "ui/kit/services.h"

namespace hov {

inline const QString kNoticeCaption = QStringLiteral("پيام");
inline constexpr int kNoticeDelayMs = 1000;

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
