#pragma once

#include "data/appfolder.h"
#include "data/subjectdb.h"
#include "ui/roster/scoresexport.h"

#include <QDialog>
#include <memory>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace hov {

class RosterModel;

// The roster "کد آزمودني": lists the subjects so that a forgotten code can be found,
// filters them by group, first or last name or a Persian-aware search, deletes a subject
// with all its answers and exports the scores of the subjects shown.
class FrmCode : public QDialog {
    Q_OBJECT
public:
    explicit FrmCode(const AppFolder& folder, QWidget* parent = nullptr);
    ~FrmCode() override;

    // How the export turns raw scores into T scores; by default the norms of dab.adz.
    void setTScoreConverter(TScoreConverter convert) { convert_ = std::move(convert); }

    RosterModel* model() const { return model_; }

    // Controls, named as in the design.
    QLabel* DataGrid1Caption = nullptr; // the grid's caption
    QTableView* DataGrid1 = nullptr;
    QComboBox* DataCombo6 = nullptr; // first names
    QComboBox* DataCombo1 = nullptr; // last names
    QComboBox* Combo3 = nullptr;     // groups
    QGroupBox* Frame1 = nullptr;     // delete panel
    QLabel* SkinLabel1 = nullptr;    // delete prompt
    QLineEdit* Text3 = nullptr;      // code to delete
    QPushButton* Command2 = nullptr; // delete
    QPushButton* Command6 = nullptr; // exit
    // Ours: the search box and the scores export.
    QLineEdit* TxtSearch = nullptr;
    QPushButton* CmdExport = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads every subject again and shows them all, with no filter in force.
    void reload();
    // The name lists are read when the operator first turns to one of them.
    void fillNameLists();
    void showIds(const std::optional<QList<qint64>>& ids);
    void reportReadFailure();
    void filterByGroup();
    void filterByFirstName(const QString& text);
    void filterByLastName(const QString& text);
    void search(const QString& text);
    void deleteSubject();
    void exportScores();
    void showCurrentLast();

    AppFolder folder_;
    std::unique_ptr<SubjectDb> db_; // the window's connection while it is open
    std::optional<QList<SubjectDb::RosterRow>> allRows_; // read at the first search
    bool namesFilled_ = false;
    bool readFailureShown_ = false;
    QString subjectTerm_;
    RosterModel* model_ = nullptr;
    TScoreConverter convert_;
    bool settingFilters_ = false; // the window itself is emptying the filter fields
};

} // namespace hov
