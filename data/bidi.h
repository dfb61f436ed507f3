#pragma once

#include <QDir>
#include <QString>

namespace hov {

// A left-to-right value (a path, a code, a file name, an address) set inside Persian text:
// wrapped in a left-to-right isolate so that it reads left to right and it does not reorder
// the text around it (a path's leading "/" stays at its start).
inline QString isolated(const QString& value) {
    return QChar(0x2066) + value + QChar(0x2069);
}

// A path inside Persian text: with the system's own separators, isolated as above.
inline QString isolatedPath(const QString& path) {
    return isolated(QDir::toNativeSeparators(path));
}

} // namespace hov
