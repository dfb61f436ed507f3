#pragma once

#include "data/appfolder.h"
#include "data/subject.h"
#include "data/subjectdb.h"

#include <QStringList>
#include <QWidget>
#include <array>
#include <set>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace hov {

// The on-screen test window "صفحه اجراي تست": the subject answers the items one at a
// time. The subject's three answer rows are held in memory and written at the write
// points only: a step writes the row of the item it leaves, closing (by "ذخيره و خروج"
// or any other way) writes whatever is still pending, identity edits included.
class FrmTest : public QWidget {
    Q_OBJECT
public:
    explicit FrmTest(const AppFolder& folder, QWidget* parent = nullptr);
    ~FrmTest() override;

    // While the main window prepares it: title label shown, identity panel hidden.
    void showPreparing();
    // Reads the subject's IDE row and its three answer rows, which must exist. False
    // (with lastError()) when any of them cannot be read; the window is then unusable.
    bool attachSubject(const QString& code);
    const QString& lastError() const { return error_; }
    // The store failure behind lastError(), for its details; Kind::None when the subject
    // was simply not found.
    const StoreFailure& lastFailure() const { return failure_; }
    // Shows the window in its waiting state, item number 0.
    void showWaiting();

    const QString& subjectCode() const { return code_; }
    // The answer rows as held in memory.
    const AnswerSheet& answers() const { return sheet_; }

    // Controls, named as in the design where it names them.
    QFrame* Frame1 = nullptr;       // identity panel
    QLineEdit* TxtCode = nullptr;   // Code, shown only
    QLineEdit* TxtFName = nullptr;
    QLineEdit* TxtLName = nullptr;
    QComboBox* CmbJens = nullptr;
    QLineEdit* Text5 = nullptr;     // Sen
    QComboBox* CmbTaahol = nullptr;
    QLineEdit* TxtTahsil = nullptr;
    QLineEdit* TxtDate = nullptr;
    QLineEdit* TxtTime = nullptr;
    QComboBox* CmbGroup = nullptr;
    QLabel* SkinLabel3 = nullptr;   // title label while preparing
    QLabel* SkinLabel4 = nullptr;   // instructions
    QLabel* SkinLbl5 = nullptr;     // item text
    QLineEdit* Text6 = nullptr;     // item number
    QLineEdit* Text12 = nullptr;    // hidden: the answer value of the attached item
    QGroupBox* Frame2 = nullptr;    // caption = item number
    QRadioButton* Option1 = nullptr; // "بلي"
    QRadioButton* Option2 = nullptr; // "خير"
    QPushButton* CmdBack = nullptr;
    QPushButton* CmdNext = nullptr;
    QPushButton* Command1 = nullptr; // "شروع"
    QPushButton* Command5 = nullptr; // "ذخيره و خروج"

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildIdentityPanel();
    void buildTestArea();
    void fillIdentityPanel(const Subject& subject);
    void start();
    void showItem();
    void step(int delta);
    void answer(const QString& value);
    void showAnswer(const QString& value);
    // The writes. A row's write stores the items changed in it since its last write;
    // a failed write keeps them pending, so the next write point tries again.
    bool writeAnswerRow(int table);
    bool writeIdentity();
    // Answer1, IDE, Answer2, Answer3; the failures, for the operator.
    QStringList writePending();

    SubjectDb db_;
    QString code_;
    QString error_;
    StoreFailure failure_;
    Subject subject_;               // the IDE row as last read or written
    AnswerSheet sheet_;
    std::array<std::set<int>, kAnswerTableCount> pending_; // changed items per table
    int attachedItem_ = 0;          // the item Text12 is attached to; 0 before the first
    bool closed_ = false;
};

} // namespace hov
