#pragma once

#include <QObject>

class QWidget;

namespace hov {

// The key filter of numeric fields: ASCII digits, Backspace and Enter reach the
// field; any other typed character (Persian digits, letters, Ctrl+V, Delete, Escape) is
// refused with a beep and the notice "شما بايد عدد وارد كنيد". The guard keeps to typed
// characters: keys that type nothing (arrows, Tab, Home) pass, and Escape, though
// refused in the field, still reaches the window's own Escape action.
class DigitsOnlyGuard : public QObject {
    Q_OBJECT
public:
    // Installs a guard on the field; it lives as long as the field.
    static void install(QWidget* field);

    // Whether a typed character passes the guard.
    static bool accepts(const QString& typed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DigitsOnlyGuard(QObject* parent) : QObject(parent) {}
};

inline const QString kDigitsOnlyNotice = QStringLiteral("شما بايد عدد وارد كنيد");

} // namespace hov
