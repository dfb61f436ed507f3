// Time from process start to the main window shown, against a minimal Qt window
// program, both started as processes the same way.
#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

namespace {

double runOnce(const QString& program, const QStringList& arguments) {
    QElapsedTimer timer;
    timer.start();
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        qFatal("%s did not start cleanly: %s", qPrintable(program), p.readAllStandardError().constData());
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString dir = QCoreApplication::applicationDirPath();
    const QString folder = hovbench::copyAppFolder();
    const QString probe = dir + QStringLiteral("/startup_probe");
    const QString minimal = dir + QStringLiteral("/minimal_window");
    // Interleaved, so both see the same machine.
    double hov = 0, base = 0;
    QList<double> hovTimes, baseTimes;
    runOnce(probe, {folder});
    runOnce(minimal, {});
    for (int i = 0; i < 15; ++i) {
        hovTimes << runOnce(probe, {folder});
        baseTimes << runOnce(minimal, {});
    }
    std::sort(hovTimes.begin(), hovTimes.end());
    std::sort(baseTimes.begin(), baseTimes.end());
    hov = hovTimes[hovTimes.size() / 2];
    base = baseTimes[baseTimes.size() / 2];
    return hovbench::report(QStringLiteral("startup to main window"), hov,
                            QStringLiteral("minimal Qt window"), base, 1.3)
               ? 0
               : 1;
}
