#pragma once

#include <QString>
#include <functional>

namespace hovbench {

// Before the application object: the offscreen platform unless another is chosen, and a
// private runtime folder so that QStandardPaths stays quiet.
void prepareHeadless();

// Median wall time of one call in milliseconds, after a warm-up call.
double medianMs(const std::function<void()>& work, int repetitions);

// Prints one result line: "<name>: <ratio>x of <baseline name> (<value> ms vs <baseline> ms),
// target <target>" and returns whether the target holds.
bool report(const QString& name, double valueMs, const QString& baselineName, double baselineMs,
            double targetRatio);

// A copy of the built application folder in a temporary place; empty on failure.
QString copyAppFolder();

} // namespace hovbench
