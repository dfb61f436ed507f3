#include "benchsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace hovbench {

void prepareHeadless() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid()) {
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    }
}

double medianMs(const std::function<void()>& work, int repetitions) {
    work();
    std::vector<double> times;
    times.reserve(static_cast<size_t>(repetitions));
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool report(const QString& name, double valueMs, const QString& baselineName, double baselineMs,
            double targetRatio) {
    const double ratio = baselineMs > 0 ? valueMs / baselineMs : 0;
    const bool ok = ratio <= targetRatio;
    QTextStream(stdout) << name << ": " << QString::number(ratio, 'f', 2) << "x of " << baselineName
                        << " (" << QString::number(valueMs, 'f', 3) << " ms vs "
                        << QString::number(baselineMs, 'f', 3) << " ms), target <= "
                        << targetRatio << "x " << (ok ? "OK" : "MISSED") << Qt::endl;
    return ok;
}

QString copyAppFolder() {
    static QTemporaryDir dir;
    if (!dir.isValid())
        return QString();
    const QString source = QStringLiteral(HOV_APP_TEMPLATE_DIR);
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = dir.path() + file.mid(source.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::remove(target);
        QFile::copy(file, target);
    }
    return dir.path();
}

} // namespace hovbench
