#include "ui/main/startup.h"

#include "data/databasecheck.h"
#include "ui/kit/fonts.h"
#include "ui/kit/navigator.h"
#include "ui/kit/services.h"
#include "ui/main/frm1.h"
#include "ui/main/singleinstance.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace hov {

bool installPersianTranslations() {
    static QTranslator* translator = nullptr;
    if (translator)
        return true;
    auto* loaded = new QTranslator(QCoreApplication::instance());
    if (!loaded->load(QLocale(QLocale::Persian, QLocale::Iran), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete loaded;
        return false;
    }
    QCoreApplication::installTranslator(loaded);
    translator = loaded;
    return true;
}

int runProgram(const AppFolder& folder, const QString& lockPath) {
    installPersianTranslations();
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
    // A file that is missing, damaged or not one of ours is refused here, before any
    // window opens, rather than at the first save.
    if (const QList<StoreFailure> failures = checkDatabaseFiles(folder); !failures.isEmpty()) {
        QStringList texts;
        QStringList details;
        for (const StoreFailure& failure : failures) {
            texts << describe(failure);
            if (!failure.detail.isEmpty())
                details << failure.detail;
        }
        dialogs().error(nullptr, QStringLiteral("خطا"), texts.join(QLatin1Char('\n')),
                        details.join(QLatin1Char('\n')));
        return 1;
    }
    nav::setAppFolder(folder);
    Frm1::installAsMainWindow();
    nav::showMainWindow();
    return QApplication::exec();
}

} // namespace hov
