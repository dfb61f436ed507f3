#include "updater/progress.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hovupdate"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    hovupdate::installFonts();
    hovupdate::Progress window(QCoreApplication::applicationDirPath());
    window.show();
    return app.exec();
}
