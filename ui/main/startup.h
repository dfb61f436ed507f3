#pragma once

#include "data/appfolder.h"

namespace hov {

// Runs the program in an application folder: one copy only, the bundled fonts, the
// database files checked, then the main window. Returns the exit code.
int runProgram(const AppFolder& folder, const QString& lockPath);

} // namespace hov
