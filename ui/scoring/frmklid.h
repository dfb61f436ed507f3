#pragma once

#include "data/appfolder.h"
#include "scoring/scales.h"
#include "data/subject.h"
#include "data/subjectdb.h"

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

// What the profile window takes over from the scoring window after a computation.
struct ScoringResult {
    Subject subject; // the IDE row of the subject the scores belong to; subject.sex is Jens
    int unanswered = 0;
    int yes = 0; // answered exactly "1"
    int no = 0;  // answered exactly "2"
    // Raw scores in scale order, as shown and as the norms look them up.
    std::array<QString, kScaleCount> rawScores;
};

// The three answer counts of one subject and the unanswered items in the warning's form.
struct AnswerCounts {
    int unanswered = 0;
    int yes = 0;
    int no = 0;
    // " n  " for every unanswered item n, in item order.
    QString unansweredList;
};

// Only an empty text is unanswered and only exactly "1" or "2" is a yes or a no; anything
// else (" 1", "01", "3") counts nowhere here, though scoring may still read a number in it.
AnswerCounts countAnswers(const AnswerSheet& answers);

// The scoring window "کليد گذاري": choose a subject, count and warn about the answers,
// compute and store the 18 raw scores, hand them to the profile window.
class FrmkLID : public QWidget {
    Q_OBJECT
public:
    explicit FrmkLID(const AppFolder& folder, QWidget* parent = nullptr);

    // True once a computation has finished in this window (Text5 is "0"); it stays true
    // while the window is open, also after a later selection that found nobody.
    bool hasResult() const;
    // The last computation's subject, counts and raw scores; empty before the first.
    ScoringResult result() const { return result_; }

    // The clinic data carried for the printed report.
    QString clinicName() const;    // LblName
    QString clinicAddress() const; // LblAdress
    QPixmap clinicLogo() const;    // Image1; null without a logo
    bool printLogo() const;        // Check1

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
    QPushButton* Command2 = nullptr;         // hidden: the computation
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
    void compute();
    void showSubject(const Subject& subject);
    void showCounts(const AnswerCounts& counts);
    void setSelecting(bool selecting);
    void openChart();
    void leave();

    AppFolder folder_;
    SubjectDb subjects_;
    QString subjectTerm_; // T11
    Subject subject_;     // the subject the window shows
    // The answer fields TxtKLID(1) to TxtKLID(480) of the current subject; never shown.
    AnswerSheet TxtKLID;
    ScoringResult result_;
    bool leaving_ = false;
};

} // namespace hov
