#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QTimer;

namespace hov {

// The exit window: asks whether to leave and offers a backup first.
class Exitpro : public QWidget {
    Q_OBJECT
public:
    explicit Exitpro(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QLabel* k1 = nullptr; // leave, normal
    QLabel* k2 = nullptr; // leave, highlighted
    QLabel* c1 = nullptr; // stay, normal
    QLabel* c2 = nullptr; // stay, highlighted
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;

    // "خروج" (and Escape): ends the program, or with Check1 ticked takes the backup first.
    void leave();
    void stay();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void showNormalPictures();
    // Check1 ticked: the backup window follows, and this window closes.
    void backUpBeforeLeaving();
};

} // namespace hov
