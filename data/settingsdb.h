#pragma once

#include "data/appfolder.h"
#include "data/databasefile.h"

#include <QByteArray>
#include <QString>
#include <QVariantList>
#include <optional>

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
};

// Theme.adz, the clinic settings file.
class SettingsDb {
public:
    explicit SettingsDb(const AppFolder& folder);
    bool isOpen() const { return file_.isOpen(); }
    const QString& lastError() const { return file_.lastError(); }

    // The first row; default values when the table is empty or unreadable.
    ClinicSettings load();

    // ---- Writes of the settings panels -----------------------------------------------
    // Each writes the settings row at once (adding it to an empty table) and tells a
    // failure, with the reason in lastError().

    // The first row, or nullopt when Theme could not be read.
    std::optional<ClinicSettings> read();
    // The clinic profile: Name, Adress, T1 to T6 and T11. The logo and its flag stay.
    bool saveProfile(const ClinicSettings& settings);
    // The bytes of the chosen picture file.
    bool storeLogo(const QByteArray& bytes);
    // Whether the reports print the logo (Check1).
    bool storePrintLogo(bool print);

private:
    bool writeRow(const QStringList& columns, const QVariantList& values);

    DatabaseFile file_;
};

} // namespace hov
