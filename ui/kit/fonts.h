#pragma once

#include <QFont>
#include <QString>

namespace hov {

// Registers the bundled fonts and maps the design's families ("B Nazanin", "B Titr",
// "Tahoma", "Arial", "MS Sans Serif") onto them. Call once after the application starts.
void installFonts();

// A font of one of the design's families.
QFont designFont(const QString& family, int pointSize, bool bold = false);

inline const QString kNazanin = QStringLiteral("B Nazanin");
inline const QString kTitr = QStringLiteral("B Titr");
inline const QString kTahoma = QStringLiteral("Tahoma");
inline const QString kArial = QStringLiteral("Arial");

} // namespace hov
