#include "ui/roster/frmcode.h"

#include "data/bidi.h"
#include "data/csv.h"
#include "data/normsdb.h"
#include "data/settingsdb.h"
#include "data/subject.h"
#include "data/subjectdb.h"
#include "ui/kit/captionlabel.h"
#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/services.h"
#include "ui/kit/subjectcode.h"
#include "ui/kit/theme.h"
#include "ui/kit/version.h"
#include "ui/roster/rostermodel.h"

#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringListModel>
#include <QTableView>
#include <QVBoxLayout>

namespace hov {

namespace {

const QString kDefaultPrompt = QStringLiteral("کد آزمودني را وارد کنيد");
const QString kDefaultCodeHeader = QStringLiteral("کد");

const QString kErrorCaption = QStringLiteral("خطا");

// A list of names the operator may pick from or type into. The names sit in a plain
// string model and the popup lays its rows out uniformly, so a list of many thousands of
// names opens at once.
QComboBox* nameList(const QString& name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(8);
    combo->setModel(new QStringListModel(combo));
    auto* view = new QListView(combo);
    view->setUniformItemSizes(true);
    combo->setView(view);
    combo->completer()->setCompletionMode(QCompleter::PopupCompletion);
    combo->completer()->setCaseSensitivity(Qt::CaseSensitive);
    return combo;
}

void setNames(QComboBox* combo, const QStringList& names) {
    static_cast<QStringListModel*>(combo->model())->setStringList(names);
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // Enter belongs to the delete box, never to whichever button is the default.
    b->setAutoDefault(false);
    return b;
}

} // namespace

FrmCode::FrmCode(const AppFolder& folder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      folder_(folder) {
    setObjectName(QStringLiteral("FrmCode"));
    setWindowTitle(QStringLiteral("کد آزمودني"));
    setModal(true);
    setFixedSize(pxSize(10320, 8055));
    setLayoutDirection(Qt::RightToLeft);
    setFont(designFont(kNazanin, 12, true));

    DataGrid1Caption = new QLabel(QStringLiteral("مشخصات آزمودني"), this);
    DataGrid1Caption->setObjectName(QStringLiteral("DataGrid1Caption"));
    DataGrid1Caption->setAlignment(Qt::AlignCenter);
    markSkinLabel(DataGrid1Caption);

    db_ = std::make_unique<SubjectDb>(folder_);
    model_ = new RosterModel(
        [this](const QList<qint64>& ids) { return db_->rosterRows(ids); }, this);
    // A page that cannot be read is reported once, after the paint that asked for it.
    connect(model_, &RosterModel::readFailed, this, &FrmCode::reportReadFailure,
            Qt::QueuedConnection);
    model_->setHeader(RosterModel::CodeColumn, kDefaultCodeHeader);
    model_->setHeader(RosterModel::FirstNameColumn, QStringLiteral("نام"));
    model_->setHeader(RosterModel::LastNameColumn, QStringLiteral("نام خانوادگي"));
    model_->setHeader(RosterModel::GroupColumn, QStringLiteral("گروه"));
    DataGrid1 = new QTableView(this);
    DataGrid1->setObjectName(QStringLiteral("DataGrid1"));
    DataGrid1->setModel(model_);
    DataGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DataGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DataGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DataGrid1->setWordWrap(false);
    DataGrid1->verticalHeader()->hide();
    // Fixed row heights and column widths: nothing is measured per row, so a roster of
    // any length opens at once.
    DataGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DataGrid1->verticalHeader()->setDefaultSectionSize(px(330));
    DataGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DataGrid1->horizontalHeader()->setStretchLastSection(true);
    DataGrid1->setColumnWidth(RosterModel::CodeColumn, px(2200));
    DataGrid1->setColumnWidth(RosterModel::FirstNameColumn, px(2600));
    DataGrid1->setColumnWidth(RosterModel::LastNameColumn, px(3300));

    DataCombo6 = nameList(QStringLiteral("DataCombo6"), this);
    DataCombo1 = nameList(QStringLiteral("DataCombo1"), this);
    Combo3 = new QComboBox(this);
    Combo3->setObjectName(QStringLiteral("Combo3"));
    Combo3->addItems(groups());
    Combo3->setCurrentIndex(-1);

    TxtSearch = new QLineEdit(this);
    TxtSearch->setObjectName(QStringLiteral("TxtSearch"));
    TxtSearch->setPlaceholderText(QStringLiteral("بخشي از کد، نام يا نام خانوادگي را بنويسيد"));
    TxtSearch->setClearButtonEnabled(true);

    auto* filters = new QGridLayout;
    filters->setHorizontalSpacing(px(90));
    filters->addWidget(new CaptionLabel(QStringLiteral(" :نام "), this), 0, 0);
    filters->addWidget(DataCombo6, 0, 1);
    filters->addWidget(new CaptionLabel(QStringLiteral(" :نام خانوادگي"), this), 0, 2);
    filters->addWidget(DataCombo1, 0, 3);
    filters->addWidget(new CaptionLabel(QStringLiteral(" :گروه"), this), 0, 4);
    filters->addWidget(Combo3, 0, 5);
    auto* searchCaption = new QLabel(QStringLiteral("جستجو:"), this);
    searchCaption->setObjectName(QStringLiteral("SearchCaption"));
    markSkinLabel(searchCaption);
    filters->addWidget(searchCaption, 1, 0);
    filters->addWidget(TxtSearch, 1, 1, 1, 5);
    filters->setColumnStretch(1, 2);
    filters->setColumnStretch(3, 2);
    filters->setColumnStretch(5, 1);
    for (QLabel* label : findChildren<CaptionLabel*>())
        markSkinLabel(label);

    Frame1 = new QGroupBox(QStringLiteral("حذف کردن آزمودني"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    SkinLabel1 = new QLabel(kDefaultPrompt, Frame1);
    SkinLabel1->setObjectName(QStringLiteral("SkinLabel1"));
    markSkinLabel(SkinLabel1);
    Text3 = new QLineEdit(Frame1);
    Text3->setObjectName(QStringLiteral("Text3"));
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("حذف "), Frame1);
    auto* deleteRow = new QHBoxLayout(Frame1);
    deleteRow->addWidget(SkinLabel1);
    deleteRow->addWidget(Text3, 1);
    deleteRow->addWidget(Command2);

    CmdExport = button(QStringLiteral("CmdExport"), QStringLiteral("خروجي نمره ها (CSV)"), this);
    CmdExport->setToolTip(QStringLiteral(
        "نمره هاي خام و T آزمودني هاي نمايش داده شده در يک فايل CSV براي کارهاي آماري"));
    Command6 = button(QStringLiteral("Command6"), QStringLiteral("خروج"), this);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Frame1, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(CmdExport);
    side->addWidget(Command6);
    bottom->addLayout(side);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(px(150), px(120), px(150), px(150));
    layout->setSpacing(px(90));
    layout->addWidget(DataGrid1Caption);
    layout->addWidget(DataGrid1, 1);
    layout->addLayout(filters);
    layout->addLayout(bottom);

    for (QComboBox* names : {DataCombo6, DataCombo1}) {
        names->installEventFilter(this);
        names->lineEdit()->installEventFilter(this);
    }
    connect(Combo3, &QComboBox::activated, this, &FrmCode::filterByGroup);
    connect(DataCombo6, &QComboBox::textActivated, this, &FrmCode::filterByFirstName);
    connect(DataCombo6->lineEdit(), &QLineEdit::textEdited, this, &FrmCode::filterByFirstName);
    connect(DataCombo1, &QComboBox::textActivated, this, &FrmCode::filterByLastName);
    connect(DataCombo1->lineEdit(), &QLineEdit::textEdited, this, &FrmCode::filterByLastName);
    connect(TxtSearch, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!settingFilters_)
            search(text);
    });
    connect(Command2, &QPushButton::clicked, this, &FrmCode::deleteSubject);
    connect(Text3, &QLineEdit::returnPressed, Command2, &QPushButton::click);
    connect(CmdExport, &QPushButton::clicked, this, &FrmCode::exportScores);
    connect(Command6, &QPushButton::clicked, this, &FrmCode::close);

    move(pxPoint(2085, 745));
    SettingsDb settings(folder_);
    if (const std::optional<ClinicSettings> s = settings.read()) {
        subjectTerm_ = s->subjectTerm;
    } else {
        // The window still serves; its texts keep the design's own term.
        subjectTerm_ = QStringLiteral("کد آزمودني");
        showStoreFailure(this, kErrorCaption, QStringLiteral("مشخصات کلينيک خوانده نشد."),
                         settings.lastFailure());
    }
    reload();
    // With subjects on file, the prompt and the code column take the clinic's own term.
    if (model_->rowCount() > 0) {
        SkinLabel1->setText(subjectTerm_ + QLatin1Char(' ') + QStringLiteral("را وارد کنيد"));
        model_->setHeader(RosterModel::CodeColumn, subjectTerm_);
        showCurrentLast();
    }
    applyTheme(this, folder_);
}

FrmCode::~FrmCode() = default;

void FrmCode::reload() {
    std::optional<QList<qint64>> ids = db_->rosterIds();
    allRows_.reset();
    readFailureShown_ = false;
    if (!ids) {
        showStoreFailure(this, kErrorCaption, QStringLiteral("فهرست آزمودني ها خوانده نشد."),
                         db_->lastFailure());
        ids.emplace();
    }
    model_->setIds(std::move(*ids));
    settingFilters_ = true;
    namesFilled_ = false;
    setNames(DataCombo6, {});
    setNames(DataCombo1, {});
    Combo3->setCurrentIndex(-1);
    TxtSearch->clear();
    settingFilters_ = false;
}

void FrmCode::fillNameLists() {
    if (namesFilled_)
        return;
    namesFilled_ = true;
    const std::optional<QStringList> firsts =
        db_->rosterValues(SubjectDb::RosterColumn::FirstName);
    const std::optional<QStringList> lasts =
        firsts ? db_->rosterValues(SubjectDb::RosterColumn::LastName) : std::nullopt;
    if (!lasts) {
        showStoreFailure(this, kErrorCaption, QStringLiteral("فهرست نام ها خوانده نشد."),
                         db_->lastFailure());
        return;
    }
    // Keep what the operator is typing.
    settingFilters_ = true;
    const QString first = DataCombo6->currentText();
    const QString last = DataCombo1->currentText();
    setNames(DataCombo6, *firsts);
    setNames(DataCombo1, *lasts);
    DataCombo6->setEditText(first);
    DataCombo1->setEditText(last);
    settingFilters_ = false;
}

bool FrmCode::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress)
        fillNameLists();
    return QDialog::eventFilter(watched, event);
}

void FrmCode::showIds(const std::optional<QList<qint64>>& ids) {
    if (!ids) {
        showStoreFailure(this, kErrorCaption, QStringLiteral("فهرست آزمودني ها خوانده نشد."),
                         db_->lastFailure());
        return;
    }
    model_->setIds(*ids);
}

void FrmCode::reportReadFailure() {
    if (readFailureShown_)
        return;
    readFailureShown_ = true;
    showStoreFailure(this, kErrorCaption,
                     QStringLiteral("بخشي از فهرست آزمودني ها خوانده نشد."), db_->lastFailure());
}

void FrmCode::showCurrentLast() {
    const int last = model_->rowCount() - 1;
    if (last < 0)
        return;
    DataGrid1->setCurrentIndex(model_->index(last, 0));
    DataGrid1->scrollToBottom();
}

void FrmCode::filterByGroup() {
    const QString group = Combo3->currentText();
    settingFilters_ = true;
    DataCombo6->setEditText(QString());
    DataCombo1->setEditText(QString());
    TxtSearch->clear();
    settingFilters_ = false;
    showIds(db_->rosterIdsWhere(SubjectDb::RosterColumn::Group, group));
}

// An emptied name box shows every subject again rather than those without a name.
void FrmCode::filterByFirstName(const QString& text) {
    showIds(text.isEmpty() ? db_->rosterIds()
                           : db_->rosterIdsWhere(SubjectDb::RosterColumn::FirstName, text));
    settingFilters_ = true;
    DataCombo1->setEditText(QString());
    Combo3->setCurrentIndex(-1);
    TxtSearch->clear();
    settingFilters_ = false;
}

void FrmCode::filterByLastName(const QString& text) {
    settingFilters_ = true;
    DataCombo6->setEditText(QString());
    Combo3->setCurrentIndex(-1);
    TxtSearch->clear();
    settingFilters_ = false;
    showIds(text.isEmpty() ? db_->rosterIds()
                           : db_->rosterIdsWhere(SubjectDb::RosterColumn::LastName, text));
}

void FrmCode::search(const QString& text) {
    settingFilters_ = true;
    DataCombo6->setEditText(QString());
    DataCombo1->setEditText(QString());
    Combo3->setCurrentIndex(-1);
    settingFilters_ = false;
    if (!allRows_) {
        allRows_ = db_->rosterRows();
        if (!allRows_) {
            showStoreFailure(this, kErrorCaption, QStringLiteral("فهرست آزمودني ها خوانده نشد."),
                             db_->lastFailure());
            return;
        }
    }
    model_->showSearch(*allRows_, text);
}

void FrmCode::deleteSubject() {
    const QString code = Text3->text();
    if (code.isEmpty()) {
        noticeCodeMissing(this, subjectTerm_);
        return;
    }
    SubjectDb& db = *db_;
    const Lookup found = db.codeExists(code);
    if (found == Lookup::Failed) {
        showStoreFailure(this, kErrorCaption, QStringLiteral("آزمودني حذف نشد."),
                         db.lastFailure());
        return;
    }
    if (found == Lookup::NotFound) {
        dialogs().notice(this, QStringLiteral("فردي با اين کد وجود ندارد"));
        reload();
        return;
    }
    if (!dialogs().askYesNo(this, kProgramTitle, QStringLiteral("آيا براي حذف کردن مطمئن هستيد؟"))) {
        reload();
        return;
    }
    switch (db.deleteSubject(code)) {
    case SubjectDb::Deletion::Deleted:
        dialogs().notice(this, QStringLiteral("حذف با موفقيت انجام گرفت"));
        break;
    case SubjectDb::Deletion::NotFound:
        dialogs().notice(this, QStringLiteral("فردي با اين کد وجود ندارد"));
        break;
    case SubjectDb::Deletion::Failed:
        showStoreFailure(this, kErrorCaption,
                         QStringLiteral("آزمودني حذف نشد؛ هيچ رديفي از او پاک نشده است."),
                         db.lastFailure());
        break;
    }
    reload();
}

void FrmCode::exportScores() {
    const std::optional<QStringList> shown = model_->shownCodes();
    if (!shown) {
        // A file that leaves out subjects the grid shows is no export.
        showStoreFailure(this, kErrorCaption, QStringLiteral("نمره ها خوانده نشد؛ فايلي ساخته نشد."),
                         db_->lastFailure());
        return;
    }
    const QStringList& codes = *shown;
    if (codes.isEmpty()) {
        dialogs().notice(this, QStringLiteral("آزمودني اي در فهرست نيست"));
        return;
    }
    const QString proposed =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(QStringLiteral("hov-scores.csv"));
    QString path = dialogs().saveFileName(this, proposed, QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    // A name typed without an extension still opens in a spreadsheet with a double click.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    SubjectDb& db = *db_;
    std::optional<QList<SubjectDb::SubjectScores>> subjects;
    subjects = db.allSubjectScores();
    if (!subjects) {
        showStoreFailure(this, kErrorCaption, QStringLiteral("نمره ها خوانده نشد؛ فايلي ساخته نشد."),
                         db.lastFailure());
        return;
    }
    TScoreConverter convert = convert_;
    if (!convert) {
        NormsDb norms(folder_);
        std::optional<QList<NormRow>> rows;
        rows = norms.normRows();
        if (!rows) {
            showStoreFailure(this, kErrorCaption,
                             QStringLiteral("جدول نرم خوانده نشد؛ فايلي ساخته نشد."),
                             norms.lastFailure());
            return;
        }
        convert = [rows = std::move(*rows)](const ScoreTexts& raw, const QString& sex) {
            return convertToTScores(raw, sex, rows);
        };
    }
    const QByteArray bytes = csv::document(scoresTable(*subjects, codes, convert));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        dialogs().error(this, kErrorCaption,
                        QStringLiteral("فايل %1 نوشته نشد.").arg(isolated(path)),
                        file.errorString());
        return;
    }
    dialogs().notice(this, QStringLiteral("نمره ها در فايل ذخيره شد"));
}

} // namespace hov
