#pragma once

#include "updater/serveraddress.h"

#include <QMessageBox>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace hovupdate {

class FileDownloader;

// The updater's one window: downloads the installer with a progress bar, runs it and ends.
class Progress : public QWidget {
    Q_OBJECT
public:
    explicit Progress(const QString& folder, QWidget* parent = nullptr);

    // The file name at the end of an address, or empty text.
    static QString GetFileName(const QString& address);
    // Where the installer is saved: this program's folder and the address's file name.
    QString targetFile() const;

    QLabel* Label3 = nullptr;             // "HOV-480"
    QProgressBar* ProgressBar = nullptr;
    QLabel* Label4 = nullptr;             // the bar's value, refreshed by Timer1
    QPushButton* cmdUpdate = nullptr;     // "دانلود" / "انصراف"
    QPushButton* Command1 = nullptr;      // "خروج"
    QLabel* Label1 = nullptr;             // label of the address box (hidden)
    QLineEdit* Text = nullptr;            // download address (hidden)
    QLabel* Label2 = nullptr;             // contact: web site
    QLabel* Label5 = nullptr;             // contact: e-mail
    FileDownloader* FileDownloader1 = nullptr;
    QTimer* Timer1 = nullptr;

    // What leaves the window; tests replace these.
    std::function<void(QMessageBox::Icon, const QString& title, const QString& text)> showMessage;
    std::function<bool(const QString& program)> startProgram;
    std::function<void()> endProgram;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void updateClicked();
    void downloadFailed(const QString& text);
    void downloadComplete();
    void leave();

    QString folder_;
    ServerAddress server_;
    bool leaving_ = false;
};

// Registers the fonts the window uses (Persian captions) and makes them the default.
void installFonts();

} // namespace hovupdate
