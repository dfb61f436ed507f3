#pragma once

#include "data/appfolder.h"

#include <QColor>
#include <QString>
#include <optional>

class QWidget;
class QLabel;

namespace hov {

inline constexpr int kThemeCount = 48;

// One theme: the colours of a skin/N.skn file.
struct Skin {
    QString name;
    bool dark = false;
    QColor window, text, base, baseText, button, buttonText, highlight, highlightText, label,
        accent;
};

// The theme used when skin.txt or the skin file it names is missing or unreadable.
Skin defaultSkin();
// Reads our skin format: "key = value" lines; a line starting with "#" is a comment. Keys missing from
// the file keep the default theme's colour; a text with no valid colour at all is not a skin.
std::optional<Skin> parseSkin(const QString& text);

// The theme number of skin/skin.txt: its first line as a number; 0 when the file is
// missing, empty or holds no number.
int readThemeNumber(const AppFolder& folder);
// Writes the number followed by CR LF.
bool writeThemeNumber(const AppFolder& folder, int number);
// skin/N.skn, or the default theme when it cannot be read.
Skin loadSkin(const AppFolder& folder, int number);

void applySkin(QWidget* window, const Skin& skin);
// What every themed window does when it loads: read the number, load and apply its skin.
// Returns the number read (0 when none could be read).
int applyTheme(QWidget* window, const AppFolder& folder);

// Labels that follow the theme.
void markSkinLabel(QLabel* label);

} // namespace hov
