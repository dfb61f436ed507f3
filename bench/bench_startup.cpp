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
    QList<double> hovTimes, baseTimes, labelTimes;
    runOnce(probe, {folder});
    runOnce(minimal, {});
    for (int i = 0; i < 15; ++i) {
        hovTimes << runOnce(probe, {folder});
        baseTimes << runOnce(minimal, {});
        labelTimes << runOnce(minimal, {QStringLiteral("label")});
    }
    const auto median = [](QList<double> times) {
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };
    const bool ok = hovbench::report(QStringLiteral("startup to main window"), median(hovTimes),
                                     QStringLiteral("minimal Qt window"), median(baseTimes), 1.3);
    // For the record: the same against a window that draws one Persian caption, which
    // pays for starting the font system as every window with text does.
    hovbench::report(QStringLiteral("startup to main window"), median(hovTimes),
                     QStringLiteral("minimal Qt window with one caption"), median(labelTimes), 1.3);
    return ok ? 0 : 1;
}
