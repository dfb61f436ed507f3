#pragma once

#include "ui/answersheet/answersheetcheck.h"
#include "data/appfolder.h"
#include "data/subject.h"
#include "data/subjectdb.h"

#include <QDialog>
#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace hov {

class AnswerSheetBox;
class AnswerSheetPage;

// The answer-sheet window: the operator types a subject's paper answer sheet, one
// digit per item, over three pages of 160 boxes. Answers are kept in memory and
// written to the subject's three answer rows every 20 entries, on page steps with
// pending entries, on "ذخيره", and before another subject is chosen or the window
// closes. An optional second entry compares a second keying with the stored one.
class Frmpas2 : public QDialog {
    Q_OBJECT
public:
    explicit Frmpas2(const AppFolder& folder, QWidget* parent = nullptr);
    ~Frmpas2() override;

    static constexpr int kPageCount = 3;
    static constexpr int kItemsPerPage = 160;
    static constexpr int kEntriesPerWrite = 20;
    static int pageOf(int item) { return (item - 1) / kItemsPerPage + 1; }

    AnswerSheetBox* entryBox(int item) const { return Txt1[static_cast<size_t>(item - 1)]; }
    AnswerSheetPage* page(int number) const { return pages_[static_cast<size_t>(number - 1)]; }
    // The page on show, 0 while no subject is attached.
    int shownPage() const { return shownPage_; }
    // The code of the subject whose rows are attached (the one in the name box).
    const std::optional<QString>& attachedCode() const { return attached_; }
    bool hasPendingEntries() const { return dirty_; }

    // Controls, named as in the design.
    QLabel* Label1 = nullptr; // instruction line
    std::array<AnswerSheetBox*, kItemCount> Txt1{};
    QLineEdit* Text3 = nullptr;      // page number (hidden)
    QLineEdit* Text13 = nullptr;     // entries since the last write (hidden)
    QLineEdit* Text10 = nullptr;     // subject's name
    QLineEdit* Text4 = nullptr;      // code
    QPushButton* Command3 = nullptr; // choose subject
    QPushButton* Cmdback = nullptr;
    QPushButton* Cmdnext = nullptr;
    QPushButton* Command1 = nullptr; // write
    QPushButton* Command2 = nullptr; // exit
    // Second entry, ours.
    QCheckBox* ChkSecondEntry = nullptr;
    QPushButton* CmdNextDifference = nullptr;
    QLabel* LblDifferences = nullptr;
    QLabel* LblStatus = nullptr; // a write that failed

    void done(int result) override;

private:
    void buildStrip();
    void buildPages();
    void buildBar();

    void chooseSubject();
    void digitTyped(int item, QChar digit);
    void clearedByKey(int item);
    void editedOtherwise(int item, const QString& text);
    void enterValue(int item, const QString& value, const QString& shown, bool advance);
    void stepPage(int delta);
    void save();

    void showPage(int number);
    void focusItem(int item);
    void mirrorStoredAnswers();
    void showStored(int item);
    int pageNumber() const { return page_; }
    void setPageNumber(int number);
    int entryCount() const { return entries_; }
    void setEntryCount(int count);

    // Writes the attached subject's three rows; on failure the entries stay pending.
    bool writeRows();
    void reportWriteFailure(const QString& lead);
    bool writePendingOrAsk(const QString& question);

    void setSecondEntry(bool on);
    bool mayLeaveSecondEntry(const QString& question);
    void markOpen(int item, bool open);
    void updateDifferences();
    void focusNextDifference();

    AppFolder folder_;
    SubjectDb db_;
    QString subjectTerm_;
    std::array<AnswerSheetPage*, kPageCount> pages_{};
    int shownPage_ = 0;
    std::optional<QString> attached_;
    int page_ = 1;    // Text3 mirrors it
    int entries_ = 0; // Text13 mirrors it
    AnswerSheet answers_;
    bool dirty_ = false;
    bool checking_ = false;
    AnswerSheetCheck check_;
};

} // namespace hov
