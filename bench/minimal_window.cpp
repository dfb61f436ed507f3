// The baseline of bench_startup: a plain Qt window, ended as soon as it is shown.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdlib>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setObjectName(QStringLiteral("Minimal"));
    window.resize(681, 569);
    struct QuitOnShow : QObject {
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Expose && watched->objectName() == QLatin1String("MinimalWindow"))
                QTimer::singleShot(0, [] { std::_Exit(0); }); // after the first paint
            return false;
        }
    } quit;
    app.installEventFilter(&quit);
    window.show();
    return QApplication::exec();
}
