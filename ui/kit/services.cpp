#include "ui/kit/services.h"

#include <QLocale>

#include "ui/kit/realdialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QProcess>

namespace hov {

namespace {

class RealShell final : public Shell {
public:
    bool openUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
    bool startProgram(const QString& program, const QStringList& arguments) override {
        return QProcess::startDetached(program, arguments);
    }
    void beep() override { QApplication::beep(); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

Dialogs* currentDialogs = nullptr;
Shell* currentShell = nullptr;
Clock* currentClock = nullptr;

} // namespace

Dialogs& dialogs() {
    static RealDialogs real;
    return currentDialogs ? *currentDialogs : real;
}

Shell& shell() {
    static RealShell real;
    return currentShell ? *currentShell : real;
}

Clock& clock() {
    static SystemClock real;
    return currentClock ? *currentClock : real;
}

ScopedServices::ScopedServices(Dialogs* d, Shell* s, Clock* c)
    : previousDialogs_(currentDialogs), previousShell_(currentShell), previousClock_(currentClock) {
    if (d)
        currentDialogs = d;
    if (s)
        currentShell = s;
    if (c)
        currentClock = c;
}

ScopedServices::~ScopedServices() {
    currentDialogs = previousDialogs_;
    currentShell = previousShell_;
    currentClock = previousClock_;
}

void showStoreFailure(QWidget* owner, const QString& caption, const QString& lead,
                      const StoreFailure& failure, Dialogs::Icon icon) {
    QString text = describe(failure);
    if (!lead.isEmpty())
        text = lead + QLatin1Char('\n') + text;
    dialogs().error(owner, caption, text, failure.detail, icon);
}

QString timeText(const QTime& time) {
    const QLocale locale;
    const QString longFormat = locale.timeFormat(QLocale::LongFormat);
    QString format;
    bool quoted = false;
    for (const QChar c : longFormat) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        format += c;
    }
    format.remove(QStringLiteral("()"));
    return locale.toString(time, format.simplified());
}

} // namespace hov
