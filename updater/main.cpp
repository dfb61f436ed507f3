#include "updater/progress.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hovupdate"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    // Qt's own Persian texts for the standard buttons, when the system has them.
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Persian, QLocale::Iran), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
    hovupdate::installFonts();
    hovupdate::Progress window(QCoreApplication::applicationDirPath());
    window.show();
    return app.exec();
}
