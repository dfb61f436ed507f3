#include "ui/scoring/frmklid.h"

#include "ui/kit/captionlabel.h"
#include "ui/kit/controls.h"
#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/navigator.h"
#include "scoring/rawscores.h"
#include "ui/kit/services.h"
#include "ui/kit/subjectcode.h"
#include "data/settingsdb.h"
#include "ui/kit/theme.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <span>

namespace hov {

namespace {


QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(designFont(kNazanin, 12, true));
    markSkinLabel(label);
    return label;
}

QLabel* colonCaption(const QString& text, QWidget* parent) {
    QLabel* label = makeCaption(text, parent);
    label->setFont(designFont(kNazanin, 12, true));
    return label;
}

QLineEdit* field(const QString& name, QWidget* parent) {
    QLineEdit* edit = makeLineEdit(name, parent);
    edit->setFont(designFont(kNazanin, 11, true));
    // The window shows the registration data; it changes only the scores.
    edit->setReadOnly(true);
    return edit;
}

QComboBox* listField(const QString& name, const QStringList& items, QWidget* parent) {
    QComboBox* combo = makeShownList(name, items, parent);
    combo->setFont(designFont(kNazanin, 11, true));
    return combo;
}

QLabel* hiddenLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->hide();
    return label;
}

} // namespace

FrmkLID::FrmkLID(const AppFolder& folder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      folder_(folder), subjects_(folder) {
    setObjectName(QStringLiteral("FrmkLID"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("کليد گذاري"));
    setFixedSize(pxSize(11685, 7560));
    setLayoutDirection(Qt::RightToLeft);
    setFont(designFont(kNazanin, 12, true));

    Text4 = field(QStringLiteral("Text4"), this);
    Text4->hide();
    Text5 = field(QStringLiteral("Text5"), this);
    Text5->hide();

    buildSubjectPanel();
    buildScorePanel();

    LblName = hiddenLabel(QStringLiteral("LblName"), this);
    LblAdress = hiddenLabel(QStringLiteral("LblAdress"), this);
    Image1 = hiddenLabel(QStringLiteral("Image1"), this);
    Check1 = new QCheckBox(this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->hide();

    move(pxPoint(1085, 745));
    loadClinic();
    applyTheme(this, folder_);
}

void FrmkLID::buildSubjectPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("SubjectPanel"));
    panel->setProperty("skinFrame", true);
    panel->setGeometry(pxRect(8100, 120, 3450, 6300));
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(px(150), px(150), px(150), px(150));
    form->setVerticalSpacing(px(90));
    form->setLabelAlignment(Qt::AlignLeading | Qt::AlignVCenter);

    Text11 = field(QStringLiteral("Text11"), panel);
    Text6 = field(QStringLiteral("Text6"), panel);
    Text3 = field(QStringLiteral("Text3"), panel);
    Combo3 = listField(QStringLiteral("Combo3"), groups(), panel);
    Combo2 = listField(QStringLiteral("Combo2"), sexes(), panel);
    Text10 = field(QStringLiteral("Text10"), panel);
    Text10->hide();
    Text2 = field(QStringLiteral("Text2"), panel);
    Combo1 = listField(QStringLiteral("Combo1"), maritalStates(), panel);
    Text7 = field(QStringLiteral("Text7"), panel);
    Text8 = field(QStringLiteral("Text8"), panel);
    Text9 = field(QStringLiteral("Text9"), panel);

    form->addRow(colonCaption(QStringLiteral(" :کد"), panel), Text11);
    form->addRow(colonCaption(QStringLiteral(" :نام"), panel), Text6);
    form->addRow(colonCaption(QStringLiteral(" :نام خانوادگي"), panel), Text3);
    form->addRow(colonCaption(QStringLiteral(" :گروه"), panel), Combo3);
    form->addRow(colonCaption(QStringLiteral(" :جنس"), panel), Combo2);
    form->addRow(colonCaption(QStringLiteral(" :سن"), panel), Text2);
    form->addRow(colonCaption(QStringLiteral(" :وضعيت تاهل"), panel), Combo1);
    form->addRow(colonCaption(QStringLiteral(" :ميزان تحصيلات"), panel), Text7);
    form->addRow(colonCaption(QStringLiteral(" :تاريخ"), panel), Text8);
    form->addRow(colonCaption(QStringLiteral(" :ساعت"), panel), Text9);

    // The lists only show the subject's values: a pick from a list is put back.
    for (QComboBox* combo : {Combo3, Combo2, Combo1})
        connect(combo, &QComboBox::activated, this, [this] { showSubject(subject_); });
}

void FrmkLID::buildScorePanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("ScorePanel"));
    panel->setProperty("skinFrame", true);
    panel->setGeometry(pxRect(150, 120, 7800, 4950));
    auto* rows = new QVBoxLayout(panel);
    rows->setContentsMargins(px(120), px(120), px(120), px(120));

    const QString headings[3] = {
        QStringLiteral(
            "مقياس هاي مربوط به تعادل ، سلطه گري ، اعتماد به نفس و خود بسندگي بين فردي "),
        QStringLiteral("مقياسهاي مربوط به اجتماعي شدن , مسئوليت پذيري , ارزشهاي بين فردي و منش "),
        QStringLiteral("مقياس هاي مربوط به استعداد ، پيشرفت و کارآيي ذهني ")};
    for (int row = 0; row < 3; ++row) {
        auto* line = new QHBoxLayout;
        auto* heading = caption(headings[row], panel);
        heading->setObjectName(QStringLiteral("Heading%1").arg(row + 1));
        heading->setFont(designFont(kNazanin, 11, true));
        heading->setWordWrap(true);
        heading->setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
        heading->setFixedWidth(px(3600));
        heading->setMargin(px(30));
        line->addWidget(heading);

        // The scales of a row read left to right whatever the window's direction.
        auto* cells = new QWidget(panel);
        cells->setLayoutDirection(Qt::LeftToRight);
        auto* grid = new QGridLayout(cells);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setHorizontalSpacing(px(90));
        for (int column = 0; column < 6; ++column) {
            const int index = row * 6 + column;
            const QString code = QLatin1String(scales()[static_cast<size_t>(index)].code);
            auto* codeLabel = new QLabel(code, cells);
            codeLabel->setObjectName(QStringLiteral("LblScale") + code);
            codeLabel->setFont(designFont(kArial, 11, true));
            codeLabel->setAlignment(Qt::AlignCenter);
            markSkinLabel(codeLabel);
            auto* score = new QLabel(QStringLiteral("0"), cells);
            score->setObjectName(QStringLiteral("SLbl") + code);
            score->setFont(designFont(kTahoma, 11, true));
            score->setAlignment(Qt::AlignCenter);
            score->setFrameShape(QFrame::StyledPanel);
            score->setMinimumHeight(px(420));
            markSkinLabel(score);
            SLbl[static_cast<size_t>(index)] = score;
            grid->addWidget(codeLabel, 0, column);
            grid->addWidget(score, 1, column);
        }
        line->addWidget(cells, 1);
        rows->addLayout(line);
    }

    auto* countsPanel = new QFrame(this);
    countsPanel->setObjectName(QStringLiteral("CountsPanel"));
    countsPanel->setGeometry(pxRect(150, 5160, 7800, 1260));
    auto* counts = new QGridLayout(countsPanel);
    counts->setContentsMargins(px(120), 0, px(120), 0);
    counts->setVerticalSpacing(0);
    const QString countCaptions[3] = {QStringLiteral(":تعداد سوالات بدون پاسخ"),
                                      QStringLiteral(":تعداد سوالات با پاسخ بلي"),
                                      QStringLiteral(":تعداد سوالات با پاسخ خير")};
    QLabel** countLabels[3] = {&SkinLblnam, &SkinLblyes, &SkinLblno};
    const QString countNames[3] = {QStringLiteral("SkinLblnam"), QStringLiteral("SkinLblyes"),
                                   QStringLiteral("SkinLblno")};
    for (int i = 0; i < 3; ++i) {
        counts->addWidget(colonCaption(countCaptions[i], countsPanel), i, 0);
        auto* value = new QLabel(QStringLiteral("0"), countsPanel);
        value->setObjectName(countNames[i]);
        value->setFont(designFont(kTahoma, 11, true));
        value->setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
        markSkinLabel(value);
        *countLabels[i] = value;
        counts->addWidget(value, i, 1);
    }
    counts->setColumnStretch(2, 1);

    auto* buttons = new QFrame(this);
    buttons->setObjectName(QStringLiteral("ButtonRow"));
    buttons->setGeometry(pxRect(150, 6600, 11400, 660));
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    auto button = [&](const QString& name, const QString& text) {
        QPushButton* b = makeButton(name, text, buttons);
        b->setFont(designFont(kNazanin, 12, true));
        b->setMinimumHeight(px(495));
        row->addWidget(b);
        return b;
    };
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("انتخاب آزمودني"));
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("رسم نمودار"));
    Command4 = button(QStringLiteral("Command4"), QStringLiteral(" خروج"));
    Command2 = new QPushButton(QStringLiteral("محاسبه"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->hide();

    connect(Command1, &QPushButton::clicked, this, &FrmkLID::chooseSubject);
    connect(Command2, &QPushButton::clicked, this, &FrmkLID::compute);
    connect(Command3, &QPushButton::clicked, this, &FrmkLID::openChart);
    connect(Command4, &QPushButton::clicked, this, &FrmkLID::leave);
}

void FrmkLID::loadClinic() {
    SettingsDb settings(folder_);
    clinic_ = settings.load();
    // The report carries the clinic: an unreadable settings file is not "no clinic".
    if (settings.lastFailure().isFailure())
        showStoreFailure(this, QStringLiteral("خطا"), QStringLiteral("مشخصات کلينيک خوانده نشد."),
                         settings.lastFailure(), Dialogs::Icon::Warning);
    LblName->setText(clinic_.name);
    LblAdress->setText(clinic_.address);
    Image1->setPixmap(clinicLogo());
    Check1->setChecked(clinic_.printLogo);
}

QPixmap FrmkLID::clinicLogo() const {
    QPixmap logo;
    if (!clinic_.logo.isEmpty())
        logo.loadFromData(clinic_.logo);
    return logo;
}

void FrmkLID::showSubject(const Subject& s) {
    subject_ = s;
    Text11->setText(s.code);
    Text6->setText(s.firstName);
    Text3->setText(s.lastName);
    Combo3->setCurrentText(s.group);
    Combo2->setCurrentText(s.sex);
    Text10->setText(s.sex);
    Text2->setText(s.age);
    Combo1->setCurrentText(s.marital);
    Text7->setText(s.education);
    Text8->setText(s.date);
    Text9->setText(s.time);
    // A value longer than its field shows its beginning rather than its end.
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        edit->setCursorPosition(0);
}

void FrmkLID::showCounts(const AnswerCounts& counts) {
    SkinLblnam->setText(QString::number(counts.unanswered));
    SkinLblyes->setText(QString::number(counts.yes));
    SkinLblno->setText(QString::number(counts.no));
}

void FrmkLID::setSelecting(bool selecting) {
    // A focused button that is disabled hands the focus on to the code field, selecting
    // its text; the window holds it instead, and the chooser gets it back afterwards.
    if (selecting)
        setFocus();
    for (QPushButton* b : {Command3, Command1, Command4})
        b->setEnabled(!selecting);
    if (!selecting)
        Command1->setFocus();
}

void FrmkLID::chooseSubject() {
    const QString code = askSubjectCode(this, clinic_.subjectTerm);
    if (code.isEmpty())
        return;
    Text4->setText(code);
    setSelecting(true);
    // A subject who never answered gets the missing rows, as the other windows expect.
    const Result<OpenedSubject> opened = subjects_.openSubject(code);
    if (opened.isNotFound()) {
        setSelecting(false);
        // The earlier subject, counts and scores stay, so the chart still matches the panel.
        noticeNoSuchSubject(this);
        return;
    }
    if (opened.isFailed()) {
        // Scoring answers that could not be read would store zeros over the subject's
        // scores; stop with the window, answer fields included, as it was before.
        setSelecting(false);
        showStoreFailure(this, QStringLiteral("خطا"), QStringLiteral("پاسخهاي آزمودني خوانده نشد"),
                         opened.failure(), Dialogs::Icon::Warning);
        return;
    }
    showSubject(opened->subject);
    TxtKLID = opened->answers;
    counts_ = countAnswers(TxtKLID.values());
    showCounts(counts_);
    if (!counts_.unansweredList.isEmpty())
        dialogs().message(this, QStringLiteral("خطا"),
                          QStringLiteral("شما به سوالات زير را پاسخ نداده ايد") +
                              QStringLiteral("\r\n\r\n") + counts_.unansweredList,
                          Dialogs::Icon::Warning);
    compute();
    setSelecting(false);
}

void FrmkLID::compute() {
    result_.subject = subject_;
    result_.unanswered = counts_.unanswered;
    result_.yes = counts_.yes;
    result_.no = counts_.no;
    result_.rawScores = rawScores(std::span<const QString>(TxtKLID.values()));
    hasResult_ = true;

    for (int i = 0; i < kScaleCount; ++i)
        SLbl[static_cast<size_t>(i)]->setText(result_.rawScoreText(i));
    Text5->setText(QStringLiteral("0"));

    if (!subjects_.storeRawScores(subject_.code, result_.rawScores))
        showStoreFailure(this, QStringLiteral("خطا"),
                         QStringLiteral("نمرات خام در پرونده آزمودني ذخيره نشد"),
                         subjects_.lastFailure(), Dialogs::Icon::Warning);
}

void FrmkLID::openChart() {
    if (!hasResult()) {
        dialogs().notice(this, QStringLiteral("ابتدا روي انتخاب آزمودني کليک کرده سپس کد آزمودني "
                                              "را وارد کنيد بعد روي رسم نمودار کليک کنيد "));
        return;
    }
    emit chartRequested();
}

void FrmkLID::leave() {
    leaving_ = true;
    close();
}

void FrmkLID::closeEvent(QCloseEvent* event) {
    // " خروج" and the title bar's close box both lead back to a fresh main window; a
    // close at the program's end (not from the operator) does not.
    if (leaving_ || event->spontaneous()) {
        leaving_ = true;
        nav::showMainWindow();
    }
    event->accept();
}

} // namespace hov
