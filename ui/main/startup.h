#pragma once

#include "data/appfolder.h"

namespace hov {

// Runs the program in an application folder: one copy only, the bundled fonts, the
// database files checked, then the main window. Returns the exit code.
int runProgram(const AppFolder& folder, const QString& lockPath);

// Missing database files, as one Persian message naming each file and its folder;
// empty when all three are there.
QString missingFilesMessage(const AppFolder& folder);

} // namespace hov
