#pragma once

#include "data/appfolder.h"
#include "data/scoringresult.h"
#include "data/settingsdb.h"
#include "data/subject.h"
#include "data/subjectdb.h"
#include "scoring/answers.h"
#include "scoring/scales.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace hov {

// The scoring window "کليد گذاري": choose a subject, count and warn about the answers,
// compute and store the 18 raw scores, hand them to the profile window.
//
// The window's state lives in members (the subject, its answers, the result); the
// controls the design names for it (Text5, Text10, the hidden clinic labels) are
// their mirrors, never read back.
//
// result() hands the profile window the subject, the three counts and the raw scores;
// the raw scores are numbers (ScoringResult::rawScores), their text form for display and
// the norms' look-up is ScoringResult::rawScoreText(scale).
class FrmkLID : public QWidget {
    Q_OBJECT
public:
    explicit FrmkLID(const AppFolder& folder, QWidget* parent = nullptr);

    // True once a computation has finished in this window (Text5 shows "0"); it stays
    // true while the window is open, also after a later selection that found nobody.
    bool hasResult() const { return hasResult_; }
    // The last computation's subject, counts and raw scores; empty before the first.
    ScoringResult result() const { return result_; }

    // The clinic data carried for the printed report, as read when the window opened.
    const ClinicSettings& clinic() const { return clinic_; }
    QString clinicName() const { return clinic_.name; }       // mirrored in LblName
    QString clinicAddress() const { return clinic_.address; } // mirrored in LblAdress
    QPixmap clinicLogo() const;                              // Image1; null without a logo
    bool printLogo() const { return clinic_.printLogo; }      // mirrored in Check1

    // Controls, named as in the design.
    QLineEdit* Text4 = nullptr;  // hidden: the code last entered
    QLineEdit* Text5 = nullptr;  // hidden: "0" once a computation has finished
    QLineEdit* Text11 = nullptr; // Code
    QLineEdit* Text6 = nullptr;  // FName
    QLineEdit* Text3 = nullptr;  // LName
    QComboBox* Combo3 = nullptr; // Group
    QComboBox* Combo2 = nullptr; // Jens
    QLineEdit* Text10 = nullptr; // hidden twin of Jens, handed to the profile window
    QLineEdit* Text2 = nullptr;  // Sen
    QComboBox* Combo1 = nullptr; // Taahol
    QLineEdit* Text7 = nullptr;  // Tahsil
    QLineEdit* Text8 = nullptr;  // Date
    QLineEdit* Text9 = nullptr;  // Time
    QLabel* SkinLblnam = nullptr;
    QLabel* SkinLblyes = nullptr;
    QLabel* SkinLblno = nullptr;
    std::array<QLabel*, kScaleCount> SLbl{}; // SLblDo ... SLblFe, in scale order
    QPushButton* Command1 = nullptr;         // "انتخاب آزمودني"
    QPushButton* Command2 = nullptr;         // hidden: the computation (never clicked here)
    QPushButton* Command3 = nullptr;         // "رسم نمودار"
    QPushButton* Command4 = nullptr;         // " خروج"
    QLabel* LblName = nullptr;
    QLabel* LblAdress = nullptr;
    QLabel* Image1 = nullptr;
    QCheckBox* Check1 = nullptr;

signals:
    // "رسم نمودار" after a computation: the profile window takes result() from here.
    void chartRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildSubjectPanel();
    void buildScorePanel();
    void loadClinic();
    void chooseSubject();
    // Computes the raw scores of the answers held into result_, then shows and stores them.
    void compute();
    void showSubject(const Subject& subject);
    void showCounts(const AnswerCounts& counts);
    void setSelecting(bool selecting);
    void openChart();
    void leave();

    AppFolder folder_;
    SubjectDb subjects_;
    ClinicSettings clinic_; // subjectTerm is T11
    Subject subject_;       // the subject the window shows
    // The answer fields TxtKLID(1) to TxtKLID(480) of the current subject; never shown.
    AnswerSheet TxtKLID;
    AnswerCounts counts_;   // of TxtKLID
    ScoringResult result_;
    bool hasResult_ = false;
    bool leaving_ = false;
};

} // namespace hov
