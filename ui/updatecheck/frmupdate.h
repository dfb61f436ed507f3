#pragma once

#include "data/appfolder.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace hov {

namespace update {
class VersionFetch;
}

// The update window: asks the update server for the newest version and, when it is
// newer than the running one, starts the updater and ends the program.
class FrmUpdate : public QDialog {
    Q_OBJECT
public:
    explicit FrmUpdate(const AppFolder& folder, QWidget* parent = nullptr);
    ~FrmUpdate() override;

    // The longest wait for the version file (tests shorten it).
    void setFetchTimeoutMs(int ms);
    bool isChecking() const { return checking_; }

    QLabel* Label1 = nullptr;       // "HOV 2.1"
    QLabel* SkinLabel1 = nullptr;   // instruction
    QPushButton* Command1 = nullptr; // runs the check
    QPushButton* Command2 = nullptr; // closes the window

signals:
    // The check has ended and the window is ready again (no update, or a failure).
    void checkEnded();

public slots:
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void check();
    void versionArrived(const QByteArray& text);
    void startUpdater();
    void endCheck();

    AppFolder folder_;
    update::VersionFetch* fetch_;
    bool checking_ = false;
};

} // namespace hov
