#pragma once

#include "data/storefailure.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

namespace hov {

// Every message box, self-closing notice, input box and file dialog goes through here,
// so the windows' flows run headless in tests with a scripted stand-in.
class Dialogs {
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    virtual ~Dialogs() = default;

    // Caption "پيام", OK only, no icon; closes itself about a second after it appears.
    // Returns when the box has gone.
    virtual void notice(QWidget* owner, const QString& text) = 0;
    // A box with OK only that waits for the operator.
    virtual void message(QWidget* owner, const QString& caption, const QString& text,
                         Icon icon = Icon::None) = 0;
    // A box with OK only that waits for the operator, with a details section the operator
    // may open (QMessageBox's detailed text): for the driver's own words under a Persian
    // message, say. Empty details show no section.
    virtual void error(QWidget* owner, const QString& caption, const QString& text,
                       const QString& details, Icon icon = Icon::Critical) = 0;
    // Yes/No box; true for Yes.
    virtual bool askYesNo(QWidget* owner, const QString& caption, const QString& text,
                          Icon icon = Icon::None) = 0;
    // Input box; a cancelled box returns an empty text.
    virtual QString input(QWidget* owner, const QString& title, const QString& prompt,
                          const QString& defaultText = QString()) = 0;
    // File dialogs; a cancelled dialog returns an empty text.
    virtual QString openFileName(QWidget* owner, const QString& folder, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* owner, const QString& proposedPath,
                                 const QString& filter) = 0;
};

// Web pages, other programs and the beep.
class Shell {
public:
    virtual ~Shell() = default;
    // False when no program could be started for the address (nothing else is known).
    virtual bool openUrl(const QUrl& url) = 0;
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    virtual void beep() = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

Dialogs& dialogs();

// Reports a store failure: `lead` (what was not done, may be empty), then the failure's
// Persian sentence (describe()), with the driver's text as the details.
void showStoreFailure(QWidget* owner, const QString& caption, const QString& lead,
                      const StoreFailure& failure, Dialogs::Icon icon = Dialogs::Icon::Critical);
Shell& shell();
Clock& clock();

// Replaces the services for as long as it lives (tests); nullptr keeps the current one.
class ScopedServices {
public:
    ScopedServices(Dialogs* dialogs, Shell* shell = nullptr, Clock* clock = nullptr);
    ~ScopedServices();
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;

private:
    Dialogs* previousDialogs_;
    Shell* previousShell_;
    Clock* previousClock_;
};

// The time of day as the windows show and store it: the locale's long time format
// (QLocale(), the system's unless a default is set), without the time zone that Qt's long
// format adds.
QString timeText(const QTime& time);

} // namespace hov
