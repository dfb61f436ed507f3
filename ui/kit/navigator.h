#pragma once

#include "data/appfolder.h"

#include <functional>

class QWidget;

namespace hov {

// How the windows hand over to one another: the main window closes behind the test
// and scoring windows, which bring a fresh one back when they close.
namespace nav {

void setAppFolder(const AppFolder& folder);
const AppFolder& appFolder();

// Shows a freshly loaded main window.
QWidget* showMainWindow();
// Ends the program: every window closes, the event loop ends.
void endProgram();
// True while the program is ending: windows close without asking anything.
bool isEnding();

// The program's own main window, installed at start (the kit knows no window).
void setProgramMainWindow(std::function<QWidget*()> factory);

// Tests replace these to watch the hand-overs without ending the test program.
void setMainWindowFactory(std::function<QWidget*()> factory);
void setEndProgramHandler(std::function<void()> handler);

} // namespace nav
} // namespace hov
