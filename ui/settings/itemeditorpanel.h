#pragma once

#include "data/appfolder.h"

#include <QFrame>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace hov {

// The item-text editor "Frame1": the wording of one item, chosen by its number, edited
// and saved. A wording changed and not saved is dropped when another item is chosen.
class ItemEditorPanel : public QFrame {
    Q_OBJECT
public:
    ItemEditorPanel(const AppFolder& folder, QWidget* parent);

    // Shows the panel at its place on item 1.
    void open();

    QLabel* Label20 = nullptr; // ": شماره سوال  "
    QLineEdit* Text20 = nullptr;       // item number
    QPlainTextEdit* Text19 = nullptr;  // item text
    QPushButton* Command16 = nullptr;  // save
    QPushButton* Command15 = nullptr;  // cancel

private:
    void numberChanged(const QString& text);
    void showItem();
    void save();
    void cancel();
    // The item number the box stands for; 0 for a text that is not a number.
    int itemNumber() const;

    AppFolder folder_;
    // The item whose wording could not be read (0: none); its empty field is no wording.
    int unreadItem_ = 0;
};

} // namespace hov
