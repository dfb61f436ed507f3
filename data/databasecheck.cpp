#include "data/databasecheck.h"

#include "data/databasefile.h"
#include "data/settingsdb.h"
#include "data/subjectdb.h"

namespace hov {

const QStringList& normsTables() {
    static const QStringList names{QStringLiteral("tp"), QStringLiteral("Taf")};
    return names;
}

QList<StoreFailure> checkDatabaseFiles(const AppFolder& folder) {
    const struct {
        QString path;
        const QStringList& tables;
    } files[] = {{folder.subjectDatabase(), SubjectDb::tables()},
                 {folder.settingsDatabase(), SettingsDb::tables()},
                 {folder.normsDatabase(), normsTables()}};
    QList<StoreFailure> failures;
    for (const auto& f : files) {
        DatabaseFile file(f.path, f.tables);
        if (!file.isOpen())
            failures << file.lastFailure();
    }
    return failures;
}

} // namespace hov
