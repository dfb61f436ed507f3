// The baselines of bench_startup: a plain Qt window, or with "label" a window with one
// Persian caption (so the font system starts too), ended as soon as it is shown.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <cstdlib>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setObjectName(QStringLiteral("Minimal"));
    window.resize(681, 569);
    if (argc > 1 && QByteArray(argv[1]) == "label") {
        auto* caption = new QLabel(QStringLiteral("ثبت نام آزمودني"), &window);
        caption->move(20, 20);
    }
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
