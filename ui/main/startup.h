#pragma once

#include "data/appfolder.h"

namespace hov {

// Runs the program in an application folder: one copy only, the bundled fonts, the
// database files checked, then the main window. Returns the exit code.
int runProgram(const AppFolder& folder, const QString& lockPath);

// Qt's own Persian texts for the standard buttons and dialogs ("OK", "Yes", file dialogs),
// when the system has them installed. True when they were loaded.
bool installPersianTranslations();

} // namespace hov
