#pragma once

#include "data/appfolder.h"
#include "data/storefailure.h"

#include <QList>
#include <QStringList>

namespace hov {

// Opens each of the program's three database files and checks that it holds its tables:
// the start-up check, so that a damaged or foreign file is refused before any window
// opens. One failure per file that does not pass, in the order HOVDB.mdb, Theme.adz,
// dab.adz.
QList<StoreFailure> checkDatabaseFiles(const AppFolder& folder);

} // namespace hov
