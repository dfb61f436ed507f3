#include "data/databasecheck.h"

#include "data/databasefile.h"
#include "data/normsdb.h"
#include "data/settingsdb.h"
#include "data/subjectdb.h"

namespace hov {

QList<StoreFailure> checkDatabaseFiles(const AppFolder& folder) {
    const struct {
        QString path;
        const QStringList& tables;
    } files[] = {{folder.subjectDatabase(), SubjectDb::tables()},
                 {folder.settingsDatabase(), SettingsDb::tables()},
                 {folder.normsDatabase(), NormsDb::tables()}};
    QList<StoreFailure> failures;
    for (const auto& f : files) {
        DatabaseFile file(f.path, f.tables);
        if (!file.isOpen())
            failures << file.lastFailure();
    }
    return failures;
}

} // namespace hov
