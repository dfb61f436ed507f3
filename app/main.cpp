#include "appfolder.h"
#include "singleinstance.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HOV-480"));
    return hov::runProgram(hov::AppFolder::ofExecutable(), hov::SingleInstance::defaultLockPath());
}
