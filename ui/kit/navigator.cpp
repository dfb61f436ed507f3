#include "ui/kit/navigator.h"

#include <QApplication>
#include <QWidget>

namespace hov::nav {

namespace {
AppFolder& folderStore() {
    static AppFolder folder(QString{});
    return folder;
}
std::function<QWidget*()>& mainFactory() {
    static std::function<QWidget*()> factory;
    return factory;
}
std::function<QWidget*()>& programFactory() {
    static std::function<QWidget*()> factory;
    return factory;
}
std::function<void()>& endHandler() {
    static std::function<void()> handler;
    return handler;
}
} // namespace

void setAppFolder(const AppFolder& folder) { folderStore() = folder; }
const AppFolder& appFolder() { return folderStore(); }

QWidget* showMainWindow() {
    if (mainFactory())
        return mainFactory()();
    if (programFactory())
        return programFactory()();
    qWarning("No main window is installed");
    return nullptr;
}

namespace {
bool ending = false;
}

bool isEnding() { return ending; }

void endProgram() {
    ending = true;
    if (endHandler()) {
        endHandler()();
        ending = false;
        return;
    }
    QApplication::closeAllWindows();
    QApplication::quit();
}

void setProgramMainWindow(std::function<QWidget*()> factory) { programFactory() = std::move(factory); }
void setMainWindowFactory(std::function<QWidget*()> factory) { mainFactory() = std::move(factory); }
void setEndProgramHandler(std::function<void()> handler) { endHandler() = std::move(handler); }

} // namespace hov::nav
