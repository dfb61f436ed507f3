// HOV-480's start-up, ended as soon as the main window is shown. Started by
// bench_startup, which times it against minimal_window.
#include "data/appfolder.h"
#include "ui/main/startup.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QTimer>
#include <cstdlib>
#include <QWidget>

namespace {

class QuitOnShow : public QObject {
public:
    explicit QuitOnShow(QString name) : name_(std::move(name)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && watched->objectName() == name_)
            QTimer::singleShot(0, [] { std::_Exit(0); }); // after the first paint
        return false;
    }

private:
    QString name_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QuitOnShow quit(QStringLiteral("Frm1Window"));
    app.installEventFilter(&quit);
    // The main window's native window carries the widget's name with "Window" added.
    return hov::runProgram(hov::AppFolder(QString::fromLocal8Bit(argv[1])),
                           QDir::tempPath() + QStringLiteral("/hov-bench-startup.lock"));
}
