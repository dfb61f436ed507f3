#pragma once

#include "data/appfolder.h"

#include <QByteArray>
#include <QFrame>

class QCheckBox;
class QLabel;
class QPushButton;

namespace hov {

// The settings panel "Frame8" of the main window: the clinic logo and whether reports
// print it, and the buttons that open the other settings panels.
class SettingsPanel : public QFrame {
    Q_OBJECT
public:
    SettingsPanel(const AppFolder& folder, QWidget* parent);

    // Shows the panel at its place with the logo and the flag as stored.
    void open();
    // Shows a picture's bytes in the logo field; empty bytes clear it.
    void showLogo(const QByteArray& bytes);

    QLabel* Picture2 = nullptr;
    QLabel* Label1 = nullptr; // above Check1
    QCheckBox* Check1 = nullptr;
    QPushButton* Command68 = nullptr; // theme chooser
    QPushButton* Command67 = nullptr; // clinic profile
    QPushButton* Cmndedit = nullptr;  // item texts
    QPushButton* Command65 = nullptr; // logo
    QPushButton* Command69 = nullptr; // exit

private:
    void setCheckCaption();
    void storePrintLogo(bool print);

    AppFolder folder_;
};

} // namespace hov
