#pragma once

#include "data/appfolder.h"
#include "data/databasefile.h"

#include <QByteArray>
#include <QString>

namespace hov {

// The clinic's settings: the first row of table Theme.
struct ClinicSettings {
    QString name;    // Name
    QString address; // Adress
    QString email;     // T1
    QString telegram;  // T2
    QString instagram; // T3
    QString website;   // T4
    QString twitter;   // T5
    QString phone;     // T6
    QString subjectTerm; // T11: the clinic's word for a subject's code
    QString theme;       // TH (kept, never used: skin.txt decides the theme)
    QByteArray logo;
    bool printLogo = false; // Check1

    // T1 to T6 in this order.
    QStringList contacts() const;
    // The contact block the main window shows and the printed report's footer carries:
    // T1 to T6 that are not empty, each followed by CR LF.
    QString contactBlock() const;
};

// Theme.adz, the clinic settings file.
class SettingsDb {
public:
    explicit SettingsDb(const AppFolder& folder);
    bool isOpen() const { return file_.isOpen(); }
    const QString& lastError() const { return file_.lastError(); }

    // The first row; default values when the table is empty or unreadable.
    ClinicSettings load();

private:
    DatabaseFile file_;
};

} // namespace hov
