#pragma once

#include <QLineEdit>

namespace hov {

// One entry box of the answer sheet. The box never edits itself from the keyboard:
// "0", "1" and "2" are reported as typed digits and Backspace/Delete as a clearing,
// whatever the cursor and selection, so a digit always replaces what the box holds.
// Every other typed character, and the keyboard paste, is refused with a beep only.
// Text that arrives otherwise (the context menu's paste) is reported as an edit for the
// window to accept or refuse; drops and input methods are off.
class AnswerSheetBox : public QLineEdit {
    Q_OBJECT
public:
    AnswerSheetBox(int item, QWidget* parent);
    int item() const { return item_; }

    // Shows a text the window accepted; revertText() goes back to it.
    void showAnswer(const QString& text);
    void revertText() { setText(accepted_); }

    enum class KeyAction { Digit, Clear, Refuse, Pass };
    // What a key press does in an entry box; for Digit, *digit is set to '0', '1' or '2'.
    static KeyAction actionFor(const QKeyEvent& event, QChar* digit = nullptr);

signals:
    void digitTyped(int item, QChar digit);
    void clearedByKey(int item);
    void editedOtherwise(int item, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    int item_;
    QString accepted_;
};

} // namespace hov
