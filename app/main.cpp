#include "data/appfolder.h"
#include "ui/main/singleinstance.h"
#include "ui/main/startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HOV-480"));
    return hov::runProgram(hov::AppFolder::ofExecutable(), hov::SingleInstance::defaultLockPath());
}
