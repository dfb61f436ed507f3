#pragma once

// The profile window FrmNemudar: T scores, the profile chart, the raw and T score table, the
// three answer counts and the interpretation panel FramTaf.
//
// The chart is painted in twips by report/profilepainter (the same code paints the printed
// report's picture and the .docx picture); the design's labels are real QLabels with their
// objectNames, placed through the same geometry.
//
// Printing and the Word export: Cmdprint, Cmdprint2, Cmdword and Cmdword2 run
// printWithInterpretation(), printWithoutInterpretation(), exportWordWithProfile() and
// exportWordWithoutProfile(), which hand over to ui/profile/profileoutput (the report's
// preview, the .docx). For a capture, setLook() puts the window into the print or Word capture
// state (and back with ProfileLook::rest()); profileValues() and report::paintProfileWindow()
// paint the same picture at any resolution.

#include "data/appfolder.h"
#include "data/normsdb.h"
#include "data/subject.h"
#include "data/subjectdb.h"
#include "report/profilepainter.h"
#include "scoring/interpretation.h"
#include "scoring/tscores.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace hov {

// What the scoring window hands over: the subject, its answer counts and raw scores, and the
// clinic data the printed report carries.
struct ProfileHandOver {
    Subject subject; // subject.sex goes into Lblj
    int unanswered = 0;
    int yes = 0;
    int no = 0;
    ScaleTexts rawScores; // in scale order, as the norms look them up
    QString clinicName;
    QString clinicAddress;
    QPixmap clinicLogo;
    bool printLogo = false;
};

// The subject header line that starts every interpretation (Txtid).
QString subjectHeaderLine(const Subject& subject);

class FrmNemudar : public QWidget {
    Q_OBJECT
public:
    explicit FrmNemudar(const AppFolder& folder, QWidget* parent = nullptr);

    // Shows one subject: what loading the window does for a subject (counts, Lbl30, the
    // subject's row, the norms and paragraphs), then what every activation does. A second
    // hand-over while the window is open replaces the subject completely; the editor is
    // emptied when the subject changes.
    void handOver(const ProfileHandOver& input);
    const ProfileHandOver& handedOver() const { return input_; }
    const AppFolder& folder() const { return folder_; }

    // The subject header line (Txtid) and the T scores as shown (Lblt).
    QString headerLine() const;
    ScaleTexts tScores() const;

    // The texts the picture shows, for report::paintProfileWindow().
    report::ProfileValues profileValues() const;
    // Rest state or a capture state: back colour and plot fill, title, buttons, counts row.
    void setLook(const report::ProfileLook& look);
    const report::ProfileLook& look() const { return look_; }

    // The new interpretation of the subject shown (CmdTafneu without the title).
    QString newInterpretation();
    // Whether the norms and the paragraphs were read at the hand-over; without them a new
    // interpretation lacks its scale paragraphs.
    bool interpretationSourcesRead() const { return normsRead_ && paragraphsRead_; }
    // The subject's stored interpretation; Failed when it could not be read.
    SubjectDb::StoredInterpretation storedInterpretation();
    // Stores a text as the subject's interpretation; false when it could not be stored (why in
    // storeFailure(), for showStoreFailure()). Also the failure of storedInterpretation().
    bool storeInterpretation(const QString& text);
    const StoreFailure& storeFailure() const;
    // The editor's text with its lines separated by CR LF; exactly the text last put into
    // the editor while the operator has not changed it.
    QString editorText() const;
    void setEditorText(const QString& text);

    // Controls, named as in the design.
    QLabel* Label6 = nullptr; // title
    QLabel* Lblj = nullptr;   // sex
    std::array<QLabel*, kScaleCount> Lblkham{};
    std::array<QLabel*, kScaleCount> Lblt{};
    QLabel* Label2_38 = nullptr; // unanswered count, objectName "Label2(38)"
    QLabel* Label2_19 = nullptr; // yes count, "Label2(19)"
    QLabel* Label2_39 = nullptr; // no count, "Label2(39)"
    QLabel* Lbl30 = nullptr;     // not interpretable
    QLineEdit* Txtid = nullptr;  // hidden: the subject header line
    QPushButton* Command2 = nullptr; // "خروج" (and Esc)
    QPushButton* Cmdprint2 = nullptr;
    QPushButton* Cmdprint = nullptr;
    QPushButton* CmdTaf = nullptr;
    QPushButton* Cmdword = nullptr;
    QPushButton* Cmdword2 = nullptr;
    // The interpretation panel.
    QFrame* FramTaf = nullptr;
    QLabel* LblTaf = nullptr;
    QPlainTextEdit* Txttaf1 = nullptr;
    QPushButton* Command1 = nullptr;  // "خروج": hides the panel
    QPushButton* CmdTafneu = nullptr; // "مشاهده تفسير جديد"
    QPushButton* CmdTafalt = nullptr; // "مشاهده تفسير ذخيره شده"
    QPushButton* Command3 = nullptr;  // "ذخيره تفسير"

signals:
    // The window has closed; the scoring window comes back.
    void closed();

public slots:
    // The printed report and the Word export (ui/profile/profileoutput).
    void printWithInterpretation();    // Cmdprint
    void printWithoutInterpretation(); // Cmdprint2
    void exportWordWithProfile();      // Cmdword
    void exportWordWithoutProfile();   // Cmdword2

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLabels();
    void buildButtons();
    void buildPanel();
    void activated();
    void showT(const ScaleTexts& t);
    void showNewInterpretation();
    void showStoredInterpretation();
    void storeEditor();

    AppFolder folder_;
    SubjectDb subjects_;
    NormsDb norms_;
    // What the window shows; the labels and Txtid mirror these.
    ProfileHandOver input_;
    ScaleTexts tScores_;
    QString header_;
    Subject subjectRow_; // the subject's row as last read, for the header line
    QList<NormRow> normRows_;
    QList<ParagraphRow> paragraphRows_;
    bool normsRead_ = false;
    bool paragraphsRead_ = false;
    QString normsError_;
    QString editorBaseline_; // the text last put into the editor, line ends as given
    report::ProfileLook look_;
    QList<QWidget*> countsRow_;
};

} // namespace hov
