#include "ui/answersheet/frmpas2.h"

#include "ui/answersheet/answersheetbox.h"
#include "ui/answersheet/answersheetpage.h"
#include "ui/kit/controls.h"
#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/services.h"
#include "ui/kit/subjectcode.h"
#include "data/bidi.h"
#include "data/settingsdb.h"
#include "ui/kit/theme.h"
#include "scoring/answers.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

namespace hov {

namespace {

const QString kTitle = QStringLiteral("پاسخنامه");
const QString kInstruction = QStringLiteral(
    "جهت گزينه بلي عدد1 ، گزينه خيرعدد 2  و گزينه هاي بدون پاسخ عدد 0 را وارد نماييد");
const QString kCaption = QStringLiteral("پيام");
const QString& kNoSubject = kNoSuchSubject;
const QString kEnterNumber = QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد");
const QString kSaved = QStringLiteral("تغييرات با موفقيت ذخيره گرديد");

// Our own texts: failed writes and the second entry.
const QString kSecondEntryInstruction = QStringLiteral(
    "ورود دوم: پاسخنامه را دوباره وارد نماييد؛ خانه هاي قرمز را با پاسخ درست اصلاح نماييد");
const QString kNotWritten = QStringLiteral("پاسخها در فايل اطلاعاتي ذخيره نشد");
const QString kNotWrittenRetry =
    QStringLiteral("پاسخها ذخيره نشد؛ در نوبت بعد دوباره ذخيره مي شود");
const QString kCloseUnwritten = QStringLiteral("پاسخهاي وارد شده ذخيره نشد. پنجره بسته شود؟");
const QString kPreviousUnwritten = QStringLiteral("پاسخهاي آزمودني قبلي ذخيره نشد");
const QString kNotOpened = QStringLiteral("پاسخهاي اين آزمودني از فايل اطلاعاتي خوانده نشد");
const QString kNoSubjectChosen =
    QStringLiteral("آزمودني انتخاب نشده است و چيزي ذخيره نشد");
const QString kOpenBeforeSave = QStringLiteral("پيش از ذخيره، موارد اختلاف را اصلاح نماييد: ");
const QString kLeaveSecondEntry =
    QStringLiteral("موارد اختلاف هنوز اصلاح نشده اند. ورود دوم کنار گذاشته شود؟");
const QString kCloseWithOpen = QStringLiteral("موارد اختلاف هنوز اصلاح نشده اند. پنجره بسته شود؟");

// Page backgrounds, as on the paper sheet.
const QColor kPageColours[Frmpas2::kPageCount] = {
    QColor(0xC0, 0xC0, 0xFF), QColor(0xFF, 0xE0, 0xC0), QColor(0xFF, 0xC0, 0xFF)};
const QColor kOpenColour(0xFF, 0x8C, 0x8C);
const QColor kOddValueColour(0xA0, 0x00, 0x00);

// Geometry in twips. The pages and the bar share one origin below the top strip.
constexpr int kStripHeight = 900;
constexpr int kPageLeft = 270, kPageTop = 225, kPageWidth = 11650, kPageHeight = 8205;
constexpr int kBoxWidth = 465, kBoxHeight = 375;
constexpr int kFirstColumnLeft = 720, kColumnStep = 1440;
constexpr int kFirstRowTop = 495, kLastRowTop = 7605, kRowsPerColumn = 20;
constexpr int kBarTop = 8685, kBarHeight = 420;
constexpr int kStatusHeight = 360;

int rowTop(int row) {
    return kFirstRowTop +
           (row * (kLastRowTop - kFirstRowTop) + (kRowsPerColumn - 1) / 2) / (kRowsPerColumn - 1);
}

QString listOf(const QList<int>& items, int most) {
    QStringList parts;
    for (int i = 0; i < items.size() && i < most; ++i)
        parts << QString::number(items[i]);
    QString text = parts.join(QStringLiteral("، "));
    if (items.size() > most)
        text += QStringLiteral("، ...");
    return text;
}

// Paints item texts as left-to-right lines, for captions whose arrows must not mirror.
class LeftToRightTextStyle : public QProxyStyle {
public:
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text,
                      QPalette::ColorRole role = QPalette::NoRole) const override {
        QProxyStyle::drawItemText(painter, rect, flags | Qt::TextForceLeftToRight, palette,
                                  enabled, text, role);
    }
};

QPushButton* barButton(QWidget* parent, const QString& name, const QString& caption) {
    QPushButton* b = makeButton(name, caption, parent);
    b->setFont(designFont(kNazanin, 12, true));
    // Enter belongs to the code box, never to a default button.
    b->setAutoDefault(false);
    return b;
}

} // namespace

Frmpas2::Frmpas2(const AppFolder& folder, QWidget* parent)
    : QDialog(parent), folder_(folder), db_(folder) {
    setObjectName(QStringLiteral("Frmpas2"));
    setWindowTitle(kTitle);
    setLayoutDirection(Qt::RightToLeft);
    setFont(designFont(kNazanin, 12, true));
    setFixedSize(pxSize(kPageLeft * 2 + kPageWidth,
                        kStripHeight + kBarTop + kBarHeight + kStatusHeight + 180));

    subjectTerm_ = SettingsDb(folder_).load().subjectTerm;
    buildStrip();
    buildPages();
    buildBar();

    // The item numbers follow the theme like the other skin labels, but the pages keep
    // the sheet's light colours in every theme: a dark theme's light label colour
    // would not read on them.
    const Skin skin = loadSkin(folder_, applyTheme(this, folder_));
    const QColor numbers = skin.label.lightness() > 150 ? QColor(0x1a, 0x1a, 0x1a) : skin.label;
    for (AnswerSheetPage* sheet : pages_)
        sheet->setLabelStyle(designFont(kTahoma, 8), numbers);
    move(pxPoint(2085, 545));
    setEntryCount(0);
    setPageNumber(1);
}

Frmpas2::~Frmpas2() = default;

void Frmpas2::buildStrip() {
    Label1 = new QLabel(kInstruction, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(pxRect(kPageLeft, 60, kPageWidth, 420));
    markSkinLabel(Label1);

    // The second entry: off whenever the window opens.
    ChkSecondEntry = new QCheckBox(QStringLiteral("ورود دوم (بازبيني)"), this);
    ChkSecondEntry->setObjectName(QStringLiteral("ChkSecondEntry"));
    ChkSecondEntry->setToolTip(QStringLiteral(
        "پاسخنامه را يک بار ديگر وارد کنيد تا خانه هايي که با ورود اول فرق دارند نشان داده شوند"));
    ChkSecondEntry->setEnabled(false);
    ChkSecondEntry->setGeometry(pxRect(kPageLeft + kPageWidth - 2600, 480, 2600, 390));
    connect(ChkSecondEntry, &QCheckBox::toggled, this, &Frmpas2::setSecondEntry);

    CmdNextDifference =
        barButton(this, QStringLiteral("CmdNextDifference"), QStringLiteral("اختلاف بعدي"));
    CmdNextDifference->setGeometry(pxRect(kPageLeft + kPageWidth - 4200, 480, 1500, 390));
    // Takes no focus, so a click moves on from the box the cursor is in.
    CmdNextDifference->setFocusPolicy(Qt::NoFocus);
    CmdNextDifference->hide();
    connect(CmdNextDifference, &QPushButton::clicked, this, &Frmpas2::focusNextDifference);

    LblDifferences = new QLabel(this);
    LblDifferences->setObjectName(QStringLiteral("LblDifferences"));
    LblDifferences->setFont(designFont(kNazanin, 11, true));
    LblDifferences->setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
    LblDifferences->setGeometry(pxRect(kPageLeft, 480, kPageWidth - 4300, 390));
    markSkinLabel(LblDifferences);
}

void Frmpas2::buildPages() {
    const QFont boxFont = designFont(kTahoma, 10, true);
    for (int p = 0; p < kPageCount; ++p) {
        auto* sheet = new AnswerSheetPage(kPageColours[p], this);
        sheet->setObjectName(QStringLiteral("Page%1").arg(p + 1));
        sheet->setGeometry(pxRect(kPageLeft, kStripHeight + kPageTop, kPageWidth, kPageHeight));
        sheet->hide();
        pages_[static_cast<size_t>(p)] = sheet;
    }
    // Created in item order, so Tab also runs in item order. Column 0 is the leftmost
    // whatever the layout direction: positions are absolute, like the paper's.
    for (int item = 1; item <= kItemCount; ++item) {
        const int onPage = (item - 1) % kItemsPerPage;
        const int column = onPage / kRowsPerColumn;
        const int row = onPage % kRowsPerColumn;
        AnswerSheetPage* sheet = pages_[static_cast<size_t>(pageOf(item) - 1)];
        auto* box = new AnswerSheetBox(item, sheet);
        box->setObjectName(QStringLiteral("Txt1(%1)").arg(item));
        box->setFont(boxFont);
        sheet->addBox(box, pxRect(kFirstColumnLeft + column * kColumnStep, rowTop(row), kBoxWidth,
                                  kBoxHeight));
        connect(box, &AnswerSheetBox::digitTyped, this, &Frmpas2::digitTyped);
        connect(box, &AnswerSheetBox::clearedByKey, this, &Frmpas2::clearedByKey);
        connect(box, &AnswerSheetBox::editedOtherwise, this, &Frmpas2::editedOtherwise);
        Txt1[static_cast<size_t>(item - 1)] = box;
    }
}

void Frmpas2::buildBar() {
    const int top = kStripHeight + kBarTop;
    // Hidden state boxes of the design.
    Text3 = new QLineEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->hide();
    Text13 = new QLineEdit(this);
    Text13->setObjectName(QStringLiteral("Text13"));
    Text13->hide();

    // From left to right: name, code, choose, back, next, write, exit.
    int left = kPageLeft;
    auto place = [&](QWidget* w, int width) {
        w->setGeometry(pxRect(left, top, width, kBarHeight));
        left += width + 180;
    };
    Text10 = new QLineEdit(this);
    Text10->setObjectName(QStringLiteral("Text10"));
    Text10->setReadOnly(true);
    Text10->setFocusPolicy(Qt::NoFocus);
    place(Text10, 2700);
    Text4 = new QLineEdit(this);
    Text4->setObjectName(QStringLiteral("Text4"));
    Text4->setFont(designFont(kTahoma, 10, true));
    Text4->setAlignment(Qt::AlignCenter);
    if (!subjectTerm_.isEmpty())
        Text4->setPlaceholderText(subjectTerm_);
    place(Text4, 1300);
    Command3 = barButton(this, QStringLiteral("Command3"), QStringLiteral("انتخاب آزمودني"));
    place(Command3, 1600);
    Cmdback = barButton(this, QStringLiteral("Cmdback"), QStringLiteral("<<<< قبلي"));
    place(Cmdback, 1300);
    Cmdnext = barButton(this, QStringLiteral("Cmdnext"), QStringLiteral("بعدي >>>>"));
    place(Cmdnext, 1300);
    // The arrows are written for a left-to-right line: "<<<<" left of "قبلي", pointing
    // away from "بعدي >>>>". Laid out right to left, both would point inwards.
    auto* arrows = new LeftToRightTextStyle;
    arrows->setParent(this);
    Cmdback->setStyle(arrows);
    Cmdnext->setStyle(arrows);
    Command1 = barButton(this, QStringLiteral("Command1"), QStringLiteral("ذخيره"));
    place(Command1, 1100);
    Command2 = barButton(this, QStringLiteral("Command2"), QStringLiteral("خروج"));
    place(Command2, 1100);

    connect(Command3, &QPushButton::clicked, this, &Frmpas2::chooseSubject);
    connect(Text4, &QLineEdit::returnPressed, this, &Frmpas2::chooseSubject);
    connect(Cmdnext, &QPushButton::clicked, this, [this] { stepPage(+1); });
    connect(Cmdback, &QPushButton::clicked, this, [this] { stepPage(-1); });
    connect(Command1, &QPushButton::clicked, this, &Frmpas2::save);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

    LblStatus = new QLabel(this);
    LblStatus->setObjectName(QStringLiteral("LblStatus"));
    LblStatus->setFont(designFont(kNazanin, 11, true));
    LblStatus->setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
    LblStatus->setGeometry(pxRect(kPageLeft, top + kBarHeight + 60, kPageWidth, kStatusHeight));
    LblStatus->setStyleSheet(QStringLiteral("color: #b00000;"));
}

// --- choosing a subject -------------------------------------------------------------

void Frmpas2::chooseSubject() {
    const QString code = Text4->text();
    if (code.isEmpty()) {
        noticeCodeMissing(this, subjectTerm_);
        return;
    }
    // A lookup that failed is not "no such subject": the operator hears why.
    const Result<Subject> found = db_.findSubject(code);
    if (found.isFailed()) {
        showStoreFailure(this, kCaption, QString(), found.failure());
        return;
    }
    if (found.isNotFound()) {
        dialogs().notice(this, kNoSubject);
        return;
    }
    // A new subject ends the second entry of the previous one.
    if (!mayLeaveSecondEntry(kLeaveSecondEntry))
        return;
    // The previous subject's entries go to the previous subject's rows.
    if (dirty_ && !writeRows()) {
        reportWriteFailure(kPreviousUnwritten);
        return;
    }
    // Read after the previous subject's write, which may have been this subject's. A
    // sheet that could not be read whole must not be written back over the file.
    const Result<OpenedSubject> opened = db_.openSubject(code);
    if (opened.isNotFound()) {
        dialogs().notice(this, kNoSubject);
        return;
    }
    if (opened.isFailed()) {
        showStoreFailure(this, kCaption, kNotOpened, opened.failure(), Dialogs::Icon::Warning);
        return;
    }
    const Subject* subject = &opened->subject;
    attached_ = code;
    answers_ = opened->answers;
    dirty_ = false;
    LblStatus->clear();
    mirrorStoredAnswers();
    Text10->setText(subject->firstName + QLatin1Char(' ') + subject->lastName);
    // A name longer than the box shows its beginning, not its end.
    Text10->setCursorPosition(0);
    ChkSecondEntry->setEnabled(true);
    setEntryCount(0);
    setPageNumber(1);
    showPage(1);
    focusItem(1);
}

// Stored answers are copied into the boxes without counting as typing: a box's text
// set here raises no edit.
void Frmpas2::mirrorStoredAnswers() {
    for (int item = 1; item <= kItemCount; ++item)
        showStored(item);
}

void Frmpas2::showStored(int item) {
    AnswerSheetBox* box = entryBox(item);
    const QString& value = answers_.at(item);
    box->showAnswer(value);
    // A stored value that is neither "1", "2" nor empty is kept until typed over; it
    // is shown whole and in another colour, so the operator sees it is not an answer.
    const bool odd = !value.isEmpty() && value != kAnswerYes && value != kAnswerNo;
    if (odd || box->property("oddValue").toBool()) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Text,
                         odd ? kOddValueColour : this->palette().color(QPalette::Text));
        box->setPalette(palette);
        box->setToolTip(odd ? QStringLiteral("پاسخ ذخيره شده: «%1»").arg(isolated(value)) : QString());
        box->setProperty("oddValue", odd);
    }
}

// --- typing ----------------------------------------------------------------------------

void Frmpas2::digitTyped(int item, QChar digit) {
    const QString shown(digit);
    enterValue(item, digit == QLatin1Char('0') ? QStringLiteral("") : shown, shown, true);
}

void Frmpas2::clearedByKey(int item) {
    // Judged by the stored answer, not the box: a cut or a paste has already emptied the
    // box by the time it is reported. An item with no answer stores nothing (NULL stays NULL).
    if (!checking_ && answers_.at(item).isEmpty()) {
        entryBox(item)->showAnswer(QString());
        return;
    }
    enterValue(item, QStringLiteral(""), QString(), false);
}

// Pasted text: only a whole "0", "1", "2" or an emptied box counts, as if
// typed; anything else goes back to what the box showed and stores nothing.
void Frmpas2::editedOtherwise(int item, const QString& text) {
    if (text == QLatin1String("0") || text == kAnswerYes || text == kAnswerNo) {
        digitTyped(item, text.front());
        return;
    }
    if (text.isEmpty()) {
        clearedByKey(item);
        return;
    }
    entryBox(item)->revertText();
    shell().beep();
}

void Frmpas2::enterValue(int item, const QString& value, const QString& shown, bool advance) {
    if (!attached_)
        return;
    AnswerSheetBox* box = entryBox(item);
    if (checking_) {
        switch (check_.enter(item, value, answers_.at(item))) {
        case AnswerSheetCheck::Outcome::Settled:
            answers_.set(item, value);
            dirty_ = true;
            showStored(item);
            markOpen(item, false);
            break;
        case AnswerSheetCheck::Outcome::Differs:
            markOpen(item, true);
            break;
        case AnswerSheetCheck::Outcome::Agrees:
            markOpen(item, false);
            break;
        }
        box->showAnswer(shown);
        updateDifferences();
    } else {
        answers_.set(item, value);
        dirty_ = true;
        showStored(item);
        box->showAnswer(shown);
    }
    if (!advance || item == kItemCount)
        return;
    focusItem(item + 1);
    setEntryCount(entryCount() + 1);
    if (entryCount() >= kEntriesPerWrite) {
        if (!writeRows()) {
            LblStatus->setText(kNotWrittenRetry);
            shell().beep();
        }
        setEntryCount(0);
    }
}

// --- pages and writes -------------------------------------------------------------------

void Frmpas2::stepPage(int delta) {
    if (Text4->text().isEmpty()) {
        dialogs().notice(this, kEnterNumber);
        return;
    }
    const int number = std::clamp(pageNumber() + delta, 1, kPageCount);
    setPageNumber(number);
    if (attached_)
        showPage(number);
    if (entryCount() != 0) {
        if (writeRows())
            dialogs().notice(this, kSaved);
        else
            reportWriteFailure(kNotWritten);
        setEntryCount(0);
    }
}

void Frmpas2::save() {
    if (Text4->text().isEmpty()) {
        dialogs().notice(this, kEnterNumber);
        return;
    }
    // A code typed but never looked up: there is nothing to write, and saying that the
    // changes were saved would be false.
    if (!attached_) {
        dialogs().notice(this, kNoSubjectChosen);
        return;
    }
    if (checking_ && !check_.openItems().isEmpty()) {
        const QList<int> open = check_.openItems();
        dialogs().message(this, kCaption, kOpenBeforeSave + listOf(open, 40));
        focusItem(open.front());
        return;
    }
    if (!writeRows()) {
        reportWriteFailure(kNotWritten);
        return;
    }
    dialogs().notice(this, kSaved);
}

bool Frmpas2::writeRows() {
    if (!attached_)
        return true;
    if (!db_.writeAllAnswers(*attached_, answers_))
        return false;
    dirty_ = false;
    LblStatus->clear();
    return true;
}

void Frmpas2::reportWriteFailure(const QString& lead) {
    LblStatus->setText(kNotWrittenRetry);
    showStoreFailure(this, kCaption, lead, db_.lastFailure(), Dialogs::Icon::Warning);
}

bool Frmpas2::writePendingOrAsk(const QString& question) {
    if (!dirty_ || writeRows())
        return true;
    return dialogs().askYesNo(this, kCaption, question + QLatin1Char('\n') + db_.lastError(),
                              Dialogs::Icon::Warning);
}

void Frmpas2::done(int result) {
    if (checking_ && !check_.openItems().isEmpty() &&
        !dialogs().askYesNo(this, kCaption, kCloseWithOpen, Dialogs::Icon::Question))
        return;
    // Nothing typed is left behind: pending entries are written on the way out.
    if (!writePendingOrAsk(kCloseUnwritten))
        return;
    QDialog::done(result);
}

void Frmpas2::showPage(int number) {
    for (int p = 1; p <= kPageCount; ++p)
        page(p)->setVisible(p == number);
    shownPage_ = number;
}

// Shows the item's page without changing the page number: that follows the page
// buttons alone.
void Frmpas2::focusItem(int item) {
    const int number = pageOf(item);
    QWidget* target = page(number);
    // Shown before the old page hides, so the focus never passes through another control.
    target->show();
    AnswerSheetBox* box = entryBox(item);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    if (shownPage_ != number)
        for (int p = 1; p <= kPageCount; ++p)
            if (p != number)
                page(p)->hide();
    shownPage_ = number;
}

void Frmpas2::setPageNumber(int number) {
    page_ = number;
    Text3->setText(QString::number(number));
}

void Frmpas2::setEntryCount(int count) {
    entries_ = count;
    Text13->setText(QString::number(count));
}

// --- second entry ------------------------------------------------------------------------

void Frmpas2::setSecondEntry(bool on) {
    if (on == checking_)
        return;
    if (on) {
        // The first entry is in the file before the second one starts.
        if (!attached_ || (dirty_ && !writeRows())) {
            if (attached_)
                reportWriteFailure(kNotWritten);
            const QSignalBlocker block(ChkSecondEntry);
            ChkSecondEntry->setChecked(false);
            return;
        }
        checking_ = true;
        check_.clear();
        Label1->setText(kSecondEntryInstruction);
        // A blind second keying: the first entry is not shown.
        for (int item = 1; item <= kItemCount; ++item)
            entryBox(item)->showAnswer(QString());
        CmdNextDifference->show();
        updateDifferences();
        focusItem(1);
        return;
    }
    if (!mayLeaveSecondEntry(kLeaveSecondEntry)) {
        const QSignalBlocker block(ChkSecondEntry);
        ChkSecondEntry->setChecked(true);
        return;
    }
}

// Asks before second-entry differences are dropped; leaves the second entry when allowed.
bool Frmpas2::mayLeaveSecondEntry(const QString& question) {
    if (!checking_)
        return true;
    if (!check_.openItems().isEmpty() &&
        !dialogs().askYesNo(this, kCaption, question, Dialogs::Icon::Question))
        return false;
    for (int item : check_.openItems())
        markOpen(item, false);
    checking_ = false;
    check_.clear();
    {
        const QSignalBlocker block(ChkSecondEntry);
        ChkSecondEntry->setChecked(false);
    }
    Label1->setText(kInstruction);
    CmdNextDifference->hide();
    updateDifferences();
    mirrorStoredAnswers();
    return true;
}

void Frmpas2::markOpen(int item, bool open) {
    AnswerSheetBox* box = entryBox(item);
    if (box->property("open").toBool() == open)
        return;
    box->setProperty("open", open);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, open ? kOpenColour : this->palette().color(QPalette::Base));
    box->setPalette(palette);
    const QString& first = answers_.at(item);
    box->setToolTip(
        open ? QStringLiteral("ورود اول: %1").arg(first.isEmpty() ? QStringLiteral("0") : first)
             : QString());
}

void Frmpas2::updateDifferences() {
    if (!checking_) {
        LblDifferences->clear();
        return;
    }
    const QList<int> open = check_.openItems();
    QString text = QStringLiteral("ورود دوم: %1 از %2 — موارد اختلاف: %3")
                       .arg(check_.keyedCount())
                       .arg(kItemCount)
                       .arg(open.size());
    if (!open.isEmpty())
        text += QStringLiteral(" (") + listOf(open, 10) + QLatin1Char(')');
    LblDifferences->setText(text);
    CmdNextDifference->setEnabled(!open.isEmpty());
}

void Frmpas2::focusNextDifference() {
    const QList<int> open = check_.openItems();
    if (open.isEmpty())
        return;
    const auto* current = qobject_cast<AnswerSheetBox*>(focusWidget());
    const int from = current ? current->item() : 0;
    for (int item : open)
        if (item > from) {
            focusItem(item);
            return;
        }
    focusItem(open.front());
}

} // namespace hov
