#pragma once

#include <QString>

namespace hov {

inline const QString kProgramTitle = QStringLiteral("HOV");
inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 1;

// "HOV 2.1"
inline QString versionCaption() {
    return kProgramTitle + QLatin1Char(' ') + QString::number(kVersionMajor) + QLatin1Char('.') +
           QString::number(kVersionMinor);
}

} // namespace hov
