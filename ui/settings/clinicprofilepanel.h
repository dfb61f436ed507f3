#pragma once

#include "data/appfolder.h"
#include "data/settingsdb.h"

#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;

namespace hov {

// The clinic profile panel "Frame9": the clinic's name, address, contacts and its word
// for a subject's code. Edits reach the file only through "ذخيره ".
class ClinicProfilePanel : public QFrame {
    Q_OBJECT
public:
    ClinicProfilePanel(const AppFolder& folder, QWidget* parent);

    // Reads the settings row into the fields and shows the panel at its place; false
    // (and the panel stays hidden) when the row could not be read.
    bool open();
    // What the fields hold now.
    ClinicSettings edited() const;

    QLineEdit* TxtName = nullptr;   // Name
    QLineEdit* TxtAdress = nullptr; // Adress
    QLineEdit* TxtT1 = nullptr;     // e-mail
    QLineEdit* TxtT2 = nullptr;     // Telegram
    QLineEdit* TxtT3 = nullptr;     // Instagram
    QLineEdit* TxtT4 = nullptr;     // web site
    QLineEdit* TxtT5 = nullptr;     // Twitter
    QLineEdit* TxtT6 = nullptr;     // telephone
    QLineEdit* TxtT11 = nullptr;    // the subject term
    QLabel* LblT11 = nullptr;       // caption of TxtT11, follows its text
    QPushButton* Command64 = nullptr; // save
    QPushButton* Command7 = nullptr;  // cancel

signals:
    // The subject term as the field shows it, at every change.
    void subjectTermEdited(const QString& term);
    // The main window's title label is to show this clinic name again.
    void clinicNameShown(const QString& name);
    // Saved and written; the panel has hidden itself.
    void saved(const ClinicSettings& settings);
    // Cancelled; the panel has hidden itself.
    void cancelled();

private:
    void save();
    void cancel();

    AppFolder folder_;
    ClinicSettings stored_;
};

} // namespace hov
