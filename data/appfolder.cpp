#include "data/appfolder.h"

#include <QCoreApplication>

namespace hov {

AppFolder AppFolder::ofExecutable() {
    return AppFolder(QCoreApplication::applicationDirPath());
}

} // namespace hov
