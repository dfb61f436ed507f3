#include "navigator.h"

#include "frm1.h"

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
    auto* window = new Frm1(appFolder());
    window->show();
    return window;
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

void setMainWindowFactory(std::function<QWidget*()> factory) { mainFactory() = std::move(factory); }
void setEndProgramHandler(std::function<void()> handler) { endHandler() = std::move(handler); }

} // namespace hov::nav
