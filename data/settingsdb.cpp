#include "data/settingsdb.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

namespace hov {

QStringList ClinicSettings::contacts() const {
    return {email, telegram, instagram, website, twitter, phone};
}

QString ClinicSettings::contactBlock() const {
    QString block;
    for (const QString& value : contacts())
        if (!value.isEmpty())
            block += value + QStringLiteral("\r\n");
    return block;
}

namespace {

const QString kTheme = QStringLiteral("Theme");

// The Theme columns that hold text, and the field each one fills.
struct TextColumn {
    const char* column;
    QString ClinicSettings::*member;
};
constexpr TextColumn kTextColumns[] = {
    {"Name", &ClinicSettings::name},       {"Adress", &ClinicSettings::address},
    {"T1", &ClinicSettings::email},        {"T2", &ClinicSettings::telegram},
    {"T3", &ClinicSettings::instagram},    {"T4", &ClinicSettings::website},
    {"T5", &ClinicSettings::twitter},      {"T6", &ClinicSettings::phone},
    {"T11", &ClinicSettings::subjectTerm}, {"TH", &ClinicSettings::theme}};

} // namespace

SettingsDb::SettingsDb(const AppFolder& folder) : file_(folder.settingsDatabase(), tables()) {}

const QStringList& SettingsDb::tables() {
    static const QStringList names{kTheme};
    return names;
}

ClinicSettings SettingsDb::load() {
    ClinicSettings s;
    if (!file_.begin())
        return s;
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    if (!file_.exec(q, QStringLiteral("SELECT * FROM %1").arg(file_.table(kTheme))))
        return s;
    if (!q.next()) {
        if (q.lastError().isValid())
            file_.fail(q.lastError());
        return s;
    }
    const QSqlRecord record = q.record();
    auto value = [&](const char* column) {
        const int index = record.indexOf(QLatin1String(column));
        return index < 0 ? QVariant() : q.value(index);
    };
    for (const TextColumn& c : kTextColumns)
        s.*c.member = value(c.column).toString();
    s.logo = value("logo").toByteArray();
    s.printLogo = value("Check1").toInt() != 0;
    return s;
}

// ---- Writes of the settings panels ---------------------------------------------------

std::optional<ClinicSettings> SettingsDb::read() {
    ClinicSettings s = load();
    if (lastFailure().isFailure())
        return std::nullopt;
    return s;
}

bool SettingsDb::writeRow(const QStringList& columns, const QVariantList& values) {
    if (!file_.begin())
        return false;
    QStringList sets;
    QStringList names;
    QStringList marks;
    for (const QString& column : columns) {
        sets << file_.column(column) + QStringLiteral(" = ?");
        names << file_.column(column);
        marks << QStringLiteral("?");
    }
    return file_.inTransaction([&] {
        // The table holds one row. Should a copied file hold more, every row gets the
        // value, so whichever row a reader takes first shows what the operator saved.
        QSqlQuery q(file_.database());
        if (!file_.exec(q, QStringLiteral("UPDATE %1 SET %2")
                               .arg(file_.table(kTheme), sets.join(QStringLiteral(", "))),
                        values))
            return false;
        if (q.numRowsAffected() > 0)
            return true;
        QSqlQuery add(file_.database());
        return file_.exec(add, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(file_.table(kTheme), names.join(QStringLiteral(", ")),
                                        marks.join(QStringLiteral(", "))),
                          values);
    });
}

bool SettingsDb::saveProfile(const ClinicSettings& s) {
    return writeRow({QStringLiteral("Name"), QStringLiteral("Adress"), QStringLiteral("T1"),
                     QStringLiteral("T2"), QStringLiteral("T3"), QStringLiteral("T4"),
                     QStringLiteral("T5"), QStringLiteral("T6"), QStringLiteral("T11")},
                    {s.name, s.address, s.email, s.telegram, s.instagram, s.website, s.twitter,
                     s.phone, s.subjectTerm});
}

bool SettingsDb::storeLogo(const QByteArray& bytes) {
    return writeRow({QStringLiteral("logo")}, {bytes});
}

bool SettingsDb::storePrintLogo(bool print) {
    return writeRow({QStringLiteral("Check1")}, {print ? 1 : 0});
}

} // namespace hov
