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
    // The contact block the main window shows and the printed report's footer carries:
    // T1 to T6 that are not empty, each followed by CR LF.
    QString contactBlock() const;
};

// Theme.adz, the clinic settings file.
class SettingsDb {
public:
    explicit SettingsDb(const AppFolder& folder);

    // The tables the file must hold; a file without one of them does not open.
    static const QStringList& tables();

    bool isOpen() const { return file_.isOpen(); }
    const QString& path() const { return file_.path(); }
    // The last call's failure (StoreFailure::Kind::None when it succeeded) and its
    // Persian sentence.
    const StoreFailure& lastFailure() const { return file_.lastFailure(); }
    QString lastError() const { return describe(file_.lastFailure()); }

    // The first row; default values when the table is empty or unreadable (then
    // lastFailure() says why). Columns are read by name; one the file lacks keeps its
    // default.
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
