#pragma once

#include "data/appfolder.h"
#include "data/databasefile.h"
#include "scoring/interpretation.h"
#include "scoring/tscores.h"

#include <QList>
#include <optional>

namespace hov {

// dab.adz, the norms file: the norm table tp and the paragraph table Taf. Read only; every
// call reads the file. A read that fails returns nullopt with the reason in lastError(), so
// "could not read" is never taken for "no rows".
class NormsDb {
public:
    explicit NormsDb(const AppFolder& folder);

    // The tables the file must hold; a file without one of them does not open.
    static const QStringList& tables();

    bool isOpen() const { return file_.isOpen(); }
    const QString& path() const { return file_.path(); }
    // The last call's failure (Kind::None when it succeeded) and its Persian sentence.
    const StoreFailure& lastFailure() const { return file_.lastFailure(); }
    QString lastError() const { return describe(file_.lastFailure()); }

    // Every row of tp in table order (the first row of a repeated Score wins the look-up).
    std::optional<QList<NormRow>> normRows();
    // Every row of Taf in table order.
    std::optional<QList<ParagraphRow>> paragraphRows();

private:
    QString column(const QString& table, const QString& name) const;
    DatabaseFile file_;
};

} // namespace hov
