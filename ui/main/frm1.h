#pragma once

#include "data/appfolder.h"
#include "data/settingsdb.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QFrame;
class QTimer;

namespace hov {

class RegistrationPanel;
class Exitpro;
class SettingsPanels;

// The main window "HOV", the hub of the program. Each showing loads it afresh.
class Frm1 : public QWidget {
    Q_OBJECT
public:
    explicit Frm1(const AppFolder& folder, QWidget* parent = nullptr);
    ~Frm1() override;

    // Hides every panel, enables Command1 again.
    void closePanels();
    // Closes the window for another one that takes over (test, scoring, roster, ...): no
    // exit window. Text3 shows "1" from then on.
    void closeForHandOver();
    const QString& subjectTerm() const { return settings_.subjectTerm; }
    // The hint a menu button shows, with the clinic's subject term put in.
    QString hintFor(const QString& buttonName) const;
    // The clinic contact block: T1 to T6 that are not empty, each followed by CR LF.
    static QString contactBlock(const ClinicSettings& settings);
    // Makes a freshly loaded Frm1 the window every hand-over comes back to.
    static void installAsMainWindow();

    // Controls, named as in the design.
    QLineEdit* Text3 = nullptr;         // hand-over flag: mirrors handingOver_ ("1"/"2")
    QPlainTextEdit* Txtmosh = nullptr;  // contact block
    QLabel* SkinLabel1 = nullptr;       // clinic name
    QLabel* SkinLabel2 = nullptr;       // hint area
    QLabel* SkinLabel6 = nullptr;       // clock
    QLabel* SkinLabel9 = nullptr;       // version
    QFrame* Frame7 = nullptr;           // menu column
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* Command13 = nullptr;
    QPushButton* Command14 = nullptr;
    QPushButton* Command17 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* CmdHelp = nullptr;
    QPushButton* Cmandkanal = nullptr;
    QPushButton* Command11 = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* Picture2 = nullptr;         // clinic logo (settings panel)
    RegistrationPanel* Frame10 = nullptr; // made when first opened
    SettingsPanels* settingsPanels = nullptr; // Frame8, Frame9, Frame6, Frame1; made when first opened
    QTimer* Timer1 = nullptr;

signals:
    // The exit window this window opened when it was closed by the operator.
    void exitWindowShown(QWidget* exitWindow);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void buildFooter();
    void loadSettings();
    void startTest();
    void openScoring();
    void openRoster();
    void openSettings();
    void showSubjectTerm(const QString& term);
    void startCalculator();
    void openAnswerSheet();
    void openAbout();
    void openUpdate();
    void leave();
    void tick();
    Exitpro* openExitWindow(int leftTwips, int topTwips);

    AppFolder folder_;

    bool handingOver_ = false; // closeForHandOver(); Text3 mirrors it
    ClinicSettings settings_;
    int themeNumber_ = 0;
    QPointer<Exitpro> exitWindow_;
};

} // namespace hov
