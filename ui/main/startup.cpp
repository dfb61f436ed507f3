#include "ui/main/startup.h"

#include "data/databasefile.h"
#include "ui/kit/fonts.h"
#include "ui/kit/navigator.h"
#include "ui/kit/services.h"
#include "ui/main/frm1.h"
#include "ui/main/singleinstance.h"

#include <QApplication>
#include <QFileInfo>
#include <QStringList>

namespace hov {

QString missingFilesMessage(const AppFolder& folder) {
    QStringList missing;
    for (const QString& path :
         {folder.subjectDatabase(), folder.settingsDatabase(), folder.normsDatabase()})
        if (!QFileInfo(path).isFile())
            missing << DatabaseFile::missingFileMessage(path);
    return missing.join(QLatin1Char('\n'));
}

int runProgram(const AppFolder& folder, const QString& lockPath) {
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    installFonts();
    QApplication::setFont(designFont(kTahoma, 9));

    SingleInstance instance(lockPath);
    if (!instance.acquire()) {
        dialogs().message(nullptr, kAlreadyRunningCaption, kAlreadyRunningText,
                          Dialogs::Icon::Information);
        return 0;
    }
    if (const QString missing = missingFilesMessage(folder); !missing.isEmpty()) {
        dialogs().message(nullptr, QStringLiteral("خطا"), missing, Dialogs::Icon::Critical);
        return 1;
    }
    nav::setAppFolder(folder);
    Frm1::installAsMainWindow();
    nav::showMainWindow();
    return QApplication::exec();
}

} // namespace hov
