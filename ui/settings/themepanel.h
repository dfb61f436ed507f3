#pragma once

#include "data/appfolder.h"

#include <QFrame>

class QLineEdit;
class QPushButton;

namespace hov {

// The theme chooser "Frame6": a theme number 1 to 48 that takes effect on the main
// window at once and is kept in skin/skin.txt for every window opened later.
class ThemePanel : public QFrame {
    Q_OBJECT
public:
    ThemePanel(const AppFolder& folder, QWidget* parent);

    // Shows the panel with the theme number in force.
    void open();
    // The number a box text stands for, held to 1-48: a text that does not start with a
    // digit (the empty one too) counts as 0. Persian and Arabic-Indic digits count as
    // digits.
    static int themeNumberOf(const QString& text);

    QLineEdit* Txtthema = nullptr;
    QPushButton* Comdtback = nullptr;
    QPushButton* Comdtnext = nullptr;
    QPushButton* Command46 = nullptr;

private:
    void apply(const QString& text);
    void step(int by);

    AppFolder folder_;
    bool applying_ = false;
};

} // namespace hov
