#include "data/settingsdb.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace hov {

QStringList ClinicSettings::contacts() const {
    return {email, telegram, instagram, website, twitter, phone};
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

// ---- Writes of the settings panels ---------------------------------------------------

std::optional<ClinicSettings> SettingsDb::read() {
    file_.setError(QString());
    ClinicSettings s = load();
    if (!file_.isOpen() || !file_.lastError().isEmpty())
        return std::nullopt;
    return s;
}

bool SettingsDb::writeRow(const QStringList& columns, const QVariantList& values) {
    QSqlDatabase db = file_.database();
    if (!db.transaction()) {
        file_.setError(db.lastError().text());
        return false;
    }
    auto abort = [&](const QSqlQuery& q) {
        file_.setError(q.lastError().text());
        db.rollback();
        return false;
    };
    QStringList sets;
    for (const QString& column : columns)
        sets << quoted(column) + QStringLiteral(" = ?");
    // The table holds one row. Should a copied file hold more, every row gets the value,
    // so whichever row a reader takes first shows what the operator saved.
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE \"Theme\" SET %1").arg(sets.join(QStringLiteral(", "))));
    for (const QVariant& value : values)
        q.addBindValue(value);
    if (!q.exec())
        return abort(q);
    if (q.numRowsAffected() == 0) {
        QStringList names;
        QStringList marks;
        for (const QString& column : columns) {
            names << quoted(column);
            marks << QStringLiteral("?");
        }
        QSqlQuery add(db);
        add.prepare(QStringLiteral("INSERT INTO \"Theme\" (%1) VALUES (%2)")
                        .arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
        for (const QVariant& value : values)
            add.addBindValue(value);
        if (!add.exec())
            return abort(add);
    }
    if (!db.commit()) {
        file_.setError(db.lastError().text());
        db.rollback();
        return false;
    }
    return true;
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
