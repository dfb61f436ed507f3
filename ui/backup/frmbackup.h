#pragma once

#include "data/appfolder.h"
#include "data/filecopy.h"

#include <QElapsedTimer>
#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace hov {

// The backup window: copies HOVDB.mdb to a backup file or a backup file back over it.
// Every way out of it ends the program.
class Frmbackup : public QWidget {
    Q_OBJECT
public:
    explicit Frmbackup(const AppFolder& folder, QWidget* parent = nullptr);

    // Controls, named as in the design.
    QLineEdit* Text1 = nullptr;             // backup target
    QPushButton* b1 = nullptr;              // save dialog for Text1
    QPushButton* VisualButtonEx2 = nullptr; // BACKUP
    QLineEdit* Text2 = nullptr;             // backup to restore from
    QPushButton* b2 = nullptr;              // open dialog for Text2
    QPushButton* VisualButtonEx3 = nullptr; // REASTOR
    QLabel* Label1 = nullptr;               // today's Jalali date
    QLabel* Label2 = nullptr;               // the time, every second
    QLabel* Label3 = nullptr;               // hidden: the date for the proposed name
    QPushButton* Command3 = nullptr;        // help
    QPushButton* Command1 = nullptr;        // leave
    QFrame* Frame1 = nullptr;               // help panel
    QPlainTextEdit* Text3 = nullptr;        // help text
    QPushButton* Command2 = nullptr;        // hides the help panel
    QProgressBar* ProgressBar1 = nullptr;   // the running copy
    QTimer* Timer1 = nullptr;

    void chooseBackupTarget(); // b1
    void chooseBackupFile();   // b2
    void makeBackup();         // BACKUP
    void restore();            // REASTOR

    bool isCopying() const { return copying_; }

signals:
    // After each chunk of a running copy, once the window's events have run.
    void copyStepped(qint64 done, qint64 total);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void tick();
    QString backupFolderForDialogs();
    void setCopying(bool copying);
    CopyProgress copyProgress();
    void step(qint64 done, qint64 total);
    void copyFailed(const CopyResult& result);
    void endProgram();

    AppFolder folder_;
    bool copying_ = false;
    bool endAfterCopy_ = false;
    QElapsedTimer eventsRan_;
};

} // namespace hov
