#include "data/settingsdb.h"

#include <QSqlError>
#include <QSqlQuery>
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

SettingsDb::SettingsDb(const AppFolder& folder) : file_(folder.settingsDatabase()) {}

ClinicSettings SettingsDb::load() {
    ClinicSettings s;
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral(
            "SELECT \"Name\", \"Adress\", \"T1\", \"T2\", \"T3\", \"T4\", \"T5\", \"T6\", "
            "\"T11\", \"TH\", \"logo\", \"Check1\" FROM \"Theme\""))) {
        file_.setError(q.lastError().text());
        return s;
    }
    if (!q.next())
        return s;
    QString* texts[] = {&s.name,    &s.address, &s.email, &s.telegram,    &s.instagram,
                        &s.website, &s.twitter, &s.phone, &s.subjectTerm, &s.theme};
    for (int i = 0; i < 10; ++i)
        *texts[i] = q.value(i).toString();
    s.logo = q.value(10).toByteArray();
    s.printLogo = q.value(11).toInt() != 0;
    return s;
}

} // namespace hov
