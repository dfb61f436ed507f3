#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QTimer;

namespace hov {

// The about window: the program's name and contact lines, their colours changing.
class About : public QDialog {
    Q_OBJECT
public:
    explicit About(QWidget* parent = nullptr);

    QList<QLabel*> captions;
    QTimer* Timer1 = nullptr;

private:
    void step();
    int phase_ = 0;
};

} // namespace hov
