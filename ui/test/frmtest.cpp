#include "ui/test/frmtest.h"

#include "ui/kit/captionlabel.h"
#include "ui/kit/controls.h"
#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/keyguard.h"
#include "ui/kit/navigator.h"
#include "ui/kit/services.h"
#include "ui/kit/subjectcode.h"
#include "ui/kit/theme.h"
#include "scoring/answers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace hov {

namespace {

const QString kCaption = QStringLiteral("صفحه اجراي تست");
const QString kErrorCaption = QStringLiteral("خطا");
constexpr int kInstructionPoints = 12;
constexpr int kItemPoints = 16;

QString answersNotSaved(int table) {
    const int first = firstItemOf(table);
    return QStringLiteral("پاسخ سؤالهاي %1 تا %2 در فايل اطلاعاتي ذخيره نشد")
        .arg(first)
        .arg(first + kItemsPerTable - 1);
}
const QString kIdentityNotSaved = QStringLiteral("مشخصات آزمودني در فايل اطلاعاتي ذخيره نشد");
const QString kCloseAnyway =
    QStringLiteral("آنچه ذخيره نشده از دست مي رود. پنجره بسته شود؟");
const QString kAnswersNotRead =
    QStringLiteral("پاسخهاي آزمودني از فايل اطلاعاتي خوانده نشد؛ تست اجرا نمي شود");

// The number in the item box as the window reads it: leading blanks, a sign, then the
// digits up to the first other character; no digits read as 0. Kept within a range
// that only needs to tell "above 480" from the items.
qint64 leadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    qint64 value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        value = qMin<qint64>(value * 10 + (text[i].unicode() - '0'), 1'000'000'000);
    return negative ? -value : value;
}

QLabel* fieldLabel(const QString& text, QWidget* parent) {
    return makeCaption(text, parent);
}

QLineEdit* textField(const QString& name, QWidget* parent) {
    return makeLineEdit(name, parent);
}

QComboBox* listField(const QString& name, const QStringList& entries, QWidget* parent) {
    return makePickList(name, entries, parent);
}

// A stored value that is not one of the entries stays in the row until the operator
// picks one; the list shows it greyed meanwhile.
void setChoice(QComboBox* list, const QString& value) {
    const int index = value.isEmpty() ? -1 : list->findText(value);
    list->setCurrentIndex(index);
    list->setPlaceholderText(index < 0 ? value : QString());
}

QString choice(const QComboBox* list, const QString& stored) {
    return list->currentIndex() >= 0 ? list->currentText() : stored;
}

QPushButton* button(const QString& name, const QString& caption, const QRect& geometry,
                    QWidget* parent) {
    auto* b = makeButton(name, caption, parent);
    b->setGeometry(geometry);
    // As on a dialog: a button with the focus takes Enter itself.
    b->setAutoDefault(true);
    return b;
}

// The wording is data (the operator edits it, a licensed text replaces the stand-in), so
// the label shows it as plain text and, when it is too long, in a smaller font rather than
// cut off: the subject must read all of it.
void showWhole(QLabel* label, const QString& text, int pointSize) {
    constexpr int kSmallest = 8;
    QFont font = label->font();
    const QRect area = label->contentsRect();
    const int flags = static_cast<int>(label->alignment()) | Qt::TextWordWrap;
    for (font.setPointSize(pointSize); font.pointSize() > kSmallest;
         font.setPointSize(font.pointSize() - 1)) {
        const QRect needed = QFontMetrics(font).boundingRect(area, flags, text);
        if (needed.height() <= area.height() && needed.width() <= area.width())
            break;
    }
    label->setFont(font);
    label->setText(text);
}

QString instructionText() {
    QFile file(QStringLiteral(":/texts/instructions.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll()).trimmed();
}

} // namespace

FrmTest::FrmTest(const AppFolder& folder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      db_(folder) {
    setObjectName(QStringLiteral("FrmTest"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kCaption);
    setFixedSize(pxSize(10185, 8775));
    setLayoutDirection(Qt::RightToLeft);
    setFont(designFont(kNazanin, 12, true));

    buildIdentityPanel();
    buildTestArea();
    applyTheme(this, folder);
    move(pxPoint(2085, 745));
}

FrmTest::~FrmTest() = default;

void FrmTest::buildIdentityPanel() {
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    Frame1->setGeometry(pxRect(150, 120, 9885, 2580));

    TxtCode = textField(QStringLiteral("TxtCode"), Frame1);
    TxtCode->setReadOnly(true);
    TxtCode->setFocusPolicy(Qt::NoFocus);
    TxtFName = textField(QStringLiteral("TxtFName"), Frame1);
    TxtLName = textField(QStringLiteral("TxtLName"), Frame1);
    CmbJens = listField(QStringLiteral("CmbJens"), sexes(), Frame1);
    Text5 = textField(QStringLiteral("Text5"), Frame1);
    Text5->setMaxLength(3);
    DigitsOnlyGuard::install(Text5);
    CmbTaahol = listField(QStringLiteral("CmbTaahol"), maritalStates(), Frame1);
    TxtTahsil = textField(QStringLiteral("TxtTahsil"), Frame1);
    TxtDate = textField(QStringLiteral("TxtDate"), Frame1);
    TxtTime = textField(QStringLiteral("TxtTime"), Frame1);
    CmbGroup = listField(QStringLiteral("CmbGroup"), groups(), Frame1);
    for (QWidget* latin : {static_cast<QWidget*>(TxtCode), static_cast<QWidget*>(Text5),
                           static_cast<QWidget*>(TxtDate), static_cast<QWidget*>(TxtTime),
                           static_cast<QWidget*>(CmbGroup)})
        latin->setFont(designFont(kTahoma, 10, true));
    for (QLineEdit* latin : {TxtCode, Text5, TxtDate, TxtTime})
        latin->setAlignment(Qt::AlignCenter);
    for (QWidget* field : {static_cast<QWidget*>(TxtCode), static_cast<QWidget*>(Text5),
                           static_cast<QWidget*>(TxtTime), static_cast<QWidget*>(CmbJens),
                           static_cast<QWidget*>(CmbGroup)})
        field->setMinimumWidth(px(1200));
    TxtDate->setMinimumWidth(px(1500));

    // Rows of three label and field pairs, read from the right.
    const QList<QPair<QString, QWidget*>> fields{
        {QStringLiteral(" :کد"), TxtCode},
        {QStringLiteral(" :نام"), TxtFName},
        {QStringLiteral(" :نام خانوادگي"), TxtLName},
        {QStringLiteral(" :جنس"), CmbJens},
        {QStringLiteral(" :سن"), Text5},
        {QStringLiteral(" :وضعيت تاهل"), CmbTaahol},
        {QStringLiteral(" :ميزان تحصيلات"), TxtTahsil},
        {QStringLiteral(" :تاريخ"), TxtDate},
        {QStringLiteral(" :ساعت"), TxtTime},
        {QStringLiteral(" :گروه"), CmbGroup},
    };
    auto* grid = new QGridLayout(Frame1);
    grid->setContentsMargins(px(150), px(60), px(150), px(60));
    grid->setHorizontalSpacing(px(90));
    grid->setVerticalSpacing(px(30));
    const int perRow[] = {3, 3, 3, 1};
    int index = 0;
    for (int row = 0; row < 4; ++row)
        for (int pair = 0; pair < perRow[row]; ++pair, ++index) {
            grid->addWidget(fieldLabel(fields[index].first, Frame1), row, pair * 2);
            grid->addWidget(fields[index].second, row, pair * 2 + 1);
        }
    for (int pair = 0; pair < 3; ++pair)
        grid->setColumnStretch(pair * 2 + 1, 1);
}

void FrmTest::buildTestArea() {
    SkinLabel3 = new QLabel(kCaption, this);
    SkinLabel3->setObjectName(QStringLiteral("SkinLabel3"));
    SkinLabel3->setFont(designFont(kNazanin, 18, true));
    SkinLabel3->setAlignment(Qt::AlignCenter);
    SkinLabel3->setGeometry(pxRect(150, 900, 9885, 900));
    markSkinLabel(SkinLabel3);
    SkinLabel3->hide();

    SkinLabel4 = new QLabel(this);
    SkinLabel4->setObjectName(QStringLiteral("SkinLabel4"));
    SkinLabel4->setFont(designFont(kNazanin, kInstructionPoints, true));
    SkinLabel4->setTextFormat(Qt::PlainText);
    SkinLabel4->setWordWrap(true);
    SkinLabel4->setAlignment(Qt::AlignTop | Qt::AlignLeading);
    SkinLabel4->setGeometry(pxRect(600, 3000, 9075, 4095));
    markSkinLabel(SkinLabel4);
    showWhole(SkinLabel4, instructionText(), kInstructionPoints);

    SkinLbl5 = new QLabel(this);
    SkinLbl5->setObjectName(QStringLiteral("SkinLbl5"));
    SkinLbl5->setFont(designFont(kNazanin, kItemPoints, true));
    SkinLbl5->setTextFormat(Qt::PlainText);
    SkinLbl5->setWordWrap(true);
    SkinLbl5->setAlignment(Qt::AlignCenter);
    SkinLbl5->setGeometry(pxRect(825, 2900, 8535, 2085));
    markSkinLabel(SkinLbl5);

    Text6 = new QLineEdit(this);
    Text6->setObjectName(QStringLiteral("Text6"));
    Text6->setFont(designFont(kTahoma, 12, true));
    Text6->setAlignment(Qt::AlignCenter);
    Text6->setGeometry(pxRect(7000, 5520, 1200, 480));
    DigitsOnlyGuard::install(Text6);
    connect(Text6, &QLineEdit::textChanged, this, &FrmTest::showItem);

    Text12 = new QLineEdit(this);
    Text12->setObjectName(QStringLiteral("Text12"));
    Text12->hide();

    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(pxRect(3600, 5150, 3000, 1150));
    Option1 = new QRadioButton(QStringLiteral("بلي"), Frame2);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2 = new QRadioButton(QStringLiteral("خير"), Frame2);
    Option2->setObjectName(QStringLiteral("Option2"));
    auto* options = new QHBoxLayout(Frame2);
    options->setContentsMargins(px(150), px(240), px(150), px(60));
    options->addStretch();
    options->addWidget(Option1);
    options->addSpacing(px(600));
    options->addWidget(Option2);
    options->addStretch();
    // The window decides which option is selected (none for an unanswered item), so the
    // buttons must not keep one another exclusive on their own.
    for (QRadioButton* option : {Option1, Option2}) {
        option->setAutoExclusive(false);
        option->installEventFilter(this);
    }
    connect(Option1, &QRadioButton::clicked, this, [this] { answer(kAnswerYes); });
    connect(Option2, &QRadioButton::clicked, this, [this] { answer(kAnswerNo); });

    CmdBack = button(QStringLiteral("CmdBack"), QStringLiteral("قبلي"), pxRect(5400, 6600, 1800, 540), this);
    CmdNext = button(QStringLiteral("CmdNext"), QStringLiteral("بعدي"), pxRect(3000, 6600, 1800, 540), this);
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("شروع"), pxRect(3990, 7350, 2200, 600), this);
    Command5 = button(QStringLiteral("Command5"), QStringLiteral("ذخيره و خروج"), pxRect(600, 7800, 2400, 540), this);
    connect(CmdNext, &QPushButton::clicked, this, [this] { step(+1); });
    connect(CmdBack, &QPushButton::clicked, this, [this] { step(-1); });
    connect(Command1, &QPushButton::clicked, this, &FrmTest::start);
    connect(Command5, &QPushButton::clicked, this, &FrmTest::close);

    // Shown by "شروع".
    for (QWidget* w : {static_cast<QWidget*>(SkinLbl5), static_cast<QWidget*>(Text6),
                       static_cast<QWidget*>(Frame2), static_cast<QWidget*>(CmdBack),
                       static_cast<QWidget*>(CmdNext), static_cast<QWidget*>(Command5)})
        w->hide();
}

void FrmTest::showPreparing() {
    SkinLabel3->show();
    Frame1->hide();
}

bool FrmTest::attachSubject(const QString& code) {
    // The window stands on the subject's three rows; a write to a row that is not there
    // would store nothing.
    const Result<OpenedSubject> opened = db_.openSubject(code, SubjectDb::MissingRows::Refuse);
    failure_ = StoreFailure();
    if (opened.isNotFound()) {
        error_ = kNoSuchSubject;
        return false;
    }
    if (opened.isFailed()) {
        failure_ = opened.failure();
        error_ = kAnswersNotRead + QLatin1Char('\n') + describe(failure_);
        return false;
    }
    code_ = code;
    subject_ = opened->subject;
    sheet_ = opened->answers;
    pending_ = {};
    attachedItem_ = 0;
    fillIdentityPanel(subject_);
    return true;
}

void FrmTest::fillIdentityPanel(const Subject& s) {
    TxtCode->setText(s.code);
    TxtFName->setText(s.firstName);
    TxtLName->setText(s.lastName);
    setChoice(CmbJens, s.sex);
    // An age stored longer than the field allows must not be cut short by showing it.
    Text5->setMaxLength(qMax<int>(3, static_cast<int>(s.age.size())));
    Text5->setText(s.age);
    setChoice(CmbTaahol, s.marital);
    TxtTahsil->setText(s.education);
    TxtDate->setText(s.date);
    TxtTime->setText(s.time);
    setChoice(CmbGroup, s.group);
}

void FrmTest::showWaiting() {
    SkinLabel4->show();
    Command1->show();
    CmdBack->hide();
    CmdNext->hide();
    SkinLabel3->hide();
    Frame1->show();
    SkinLbl5->show();
    Text6->setText(QStringLiteral("0"));
    show();
    raise();
    activateWindow();
}

void FrmTest::start() {
    SkinLabel4->hide();
    Command1->hide();
    for (QWidget* w : {static_cast<QWidget*>(SkinLbl5), static_cast<QWidget*>(Text6),
                       static_cast<QWidget*>(Frame2), static_cast<QWidget*>(CmdBack),
                       static_cast<QWidget*>(CmdNext), static_cast<QWidget*>(Command5)})
        w->show();
    TxtFName->setFocus();
    Text6->setText(QStringLiteral("0"));
    Text6->setText(QStringLiteral("1"));
}

// Runs on every change of the item box, typed or set here; the corrections set the box
// again, and that change shows the item.
void FrmTest::showItem() {
    const QString text = Text6->text();
    if (text.isEmpty()) {
        SkinLbl5->clear();
        Text6->setText(QStringLiteral("1"));
        return;
    }
    const qint64 n = leadingNumber(text);
    if (n > kItemCount) {
        dialogs().notice(this, QStringLiteral("پايان"));
        Text6->setText(QString::number(kItemCount));
        return;
    }
    if (n < 0) {
        dialogs().notice(this, QStringLiteral("شروع"));
        Text6->setText(QStringLiteral("1"));
        return;
    }
    if (n == 0)
        return;
    const int item = static_cast<int>(n);
    attachedItem_ = item;
    Text12->setText(sheet_.at(item));
    showAnswer(sheet_.at(item));
    Frame2->setTitle(QString::number(item));
    // A wording that could not be read is not an empty item: the operator hears why.
    const std::optional<QString> wording = db_.readItemText(item);
    showWhole(SkinLbl5, wording.value_or(QString()), kItemPoints);
    if (!wording)
        showStoreFailure(this, kErrorCaption, QStringLiteral("متن سؤال %1 خوانده نشد.").arg(item),
                         db_.lastFailure());
}

void FrmTest::showAnswer(const QString& value) {
    // Anything but "1" and "2" (a value this window never writes) selects neither.
    Option1->setChecked(value == kAnswerYes);
    Option2->setChecked(value == kAnswerNo);
}

void FrmTest::answer(const QString& value) {
    if (!isItem(attachedItem_))
        return;
    sheet_.set(attachedItem_, value);
    pending_[static_cast<size_t>(answerTableOf(attachedItem_))].insert(attachedItem_);
    Text12->setText(value);
    showAnswer(value);
}

void FrmTest::step(int delta) {
    const qint64 n = leadingNumber(Text6->text());
    if (n >= 1 && n <= kItemCount) {
        const int table = answerTableOf(static_cast<int>(n));
        if (!writeAnswerRow(table))
            showStoreFailure(this, kErrorCaption, answersNotSaved(table), db_.lastFailure());
    }
    Text6->setText(QString::number(n + delta));
}

bool FrmTest::writeAnswerRow(int table) {
    auto& pending = pending_[static_cast<size_t>(table)];
    if (pending.empty())
        return true;
    // Only what changed: the rest of the row in memory is what was read from the file.
    if (!db_.writeAnswerItems(code_, table, QList<int>(pending.begin(), pending.end()), sheet_))
        return false;
    pending.clear();
    return true;
}

bool FrmTest::writeIdentity() {
    Subject shown = subject_;
    shown.firstName = TxtFName->text();
    shown.lastName = TxtLName->text();
    shown.sex = choice(CmbJens, subject_.sex);
    shown.age = Text5->text();
    shown.marital = choice(CmbTaahol, subject_.marital);
    shown.education = TxtTahsil->text();
    shown.date = TxtDate->text();
    shown.time = TxtTime->text();
    shown.group = choice(CmbGroup, subject_.group);
    // Only the edited fields: a null column shows as an empty field and, left empty,
    // stays null.
    const SubjectChanges changes = changedFields(subject_, shown);
    if (changes.isEmpty())
        return true;
    if (!db_.updateSubject(code_, changes))
        return false;
    applyChanges(subject_, changes);
    return true;
}

QStringList FrmTest::writePending() {
    QStringList failures;
    auto answers = [&](int table) {
        if (!writeAnswerRow(table))
            failures << answersNotSaved(table) + QLatin1Char('\n') + db_.lastError();
    };
    answers(0);
    if (!writeIdentity())
        failures << kIdentityNotSaved + QLatin1Char('\n') + db_.lastError();
    answers(1);
    answers(2);
    return failures;
}

bool FrmTest::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && (watched == Option1 || watched == Option2) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // The click before it has set the value; the double click leaves the item
        // unanswered. Swallowed, so the release after it clicks nothing.
        answer(QStringLiteral(""));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FrmTest::keyPressEvent(QKeyEvent* event) {
    // "بعدي" is the window's default button: Enter presses it wherever the focus is,
    // except on another button, which takes Enter itself.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !CmdNext->isHidden()) {
        CmdNext->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FrmTest::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    // Any way of closing is "ذخيره و خروج": what is pending is written first. When a
    // write fails the operator decides whether to close without it; at the program's
    // end there is no staying, the operator is only told.
    const bool ending = nav::isEnding();
    if (!code_.isEmpty()) {
        const QStringList failures = writePending();
        if (!failures.isEmpty() && ending)
            dialogs().message(this, kErrorCaption, failures.join(QLatin1Char('\n')),
                              Dialogs::Icon::Critical);
        else if (!failures.isEmpty() &&
                 !dialogs().askYesNo(this, kErrorCaption,
                                     failures.join(QLatin1Char('\n')) + QStringLiteral("\n\n") + kCloseAnyway,
                                     Dialogs::Icon::Warning)) {
            event->ignore();
            return;
        }
    }
    closed_ = true;
    event->accept();
    // A close at the program's end brings no main window back.
    if (!ending)
        nav::showMainWindow();
}

} // namespace hov
