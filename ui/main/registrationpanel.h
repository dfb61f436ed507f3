#pragma once

#include "data/appfolder.h"

#include <QFrame>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace hov {

// The registration panel of the main window: a new subject's code, data and date
// stamp. The three lists keep their choice while the main window stays open.
class RegistrationPanel : public QFrame {
    Q_OBJECT
public:
    RegistrationPanel(const AppFolder& folder, const QString& subjectTerm, QWidget* parent);

    // Opens the panel for a new subject: empty fields, today's stamps, a proposed code.
    void open();

    QLabel* LblCode = nullptr;
    QLineEdit* Text11 = nullptr; // Code
    QLineEdit* Text6 = nullptr;  // FName
    QLineEdit* Text4 = nullptr;  // LName
    QLineEdit* Text5 = nullptr;  // Sen
    QComboBox* Combo1 = nullptr; // Taahol
    QLineEdit* Text8 = nullptr;  // Date
    QLineEdit* Text9 = nullptr;  // Time
    QComboBox* Combo2 = nullptr; // Jens
    QComboBox* Combo3 = nullptr; // Group
    QLineEdit* Text7 = nullptr;  // Tahsil
    QLineEdit* Text15 = nullptr; // hidden: Taahol
    QLineEdit* Text16 = nullptr; // hidden: Jens
    QLineEdit* Text17 = nullptr; // hidden: Group
    QPushButton* Command8 = nullptr;  // save
    QPushButton* Command10 = nullptr; // cancel

signals:
    // Saved or cancelled: the main window closes its panels.
    void finished();

private:
    void save();
    bool check();

    AppFolder folder_;
};

} // namespace hov
