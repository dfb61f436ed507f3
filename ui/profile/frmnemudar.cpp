#include "ui/profile/frmnemudar.h"

#include "ui/kit/controls.h"
#include "ui/kit/fonts.h"
#include "ui/kit/geometry.h"
#include "ui/kit/services.h"
#include "ui/profile/profileoutput.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QTextDocument>
#include <QTextOption>

namespace hov {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString styleColour(QRgb rgb) {
    return QColor(rgb).name();
}

QPushButton* designButton(const QString& name, const QString& caption, QRect twips, QRgb back,
                          const QFont& font, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(pxRect(twips.x(), twips.y(), twips.width(), twips.height()));
    b->setFont(font);
    b->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: black; "
                                    "border: 1px solid #404040; }"
                                    "QPushButton:pressed { border: 2px inset #404040; }")
                         .arg(styleColour(back)));
    return b;
}

} // namespace

QString subjectHeaderLine(const Subject& s) {
    const QString gap = QStringLiteral("  ");
    return QStringLiteral("كد  ") + s.code + gap + QStringLiteral("گروه: ") + s.group + gap +
           QStringLiteral("نام: ") + s.firstName + gap + QStringLiteral("نام خانوادگي:  ") +
           s.lastName + gap + QStringLiteral("جنس:  ") + s.sex + gap + QStringLiteral("سن:  ") +
           s.age + gap + QStringLiteral("وضعيت تاهل:   ") + s.marital + gap +
           QStringLiteral("تحصيلات:  ") + s.education + gap + QStringLiteral("تاريخ:  ") +
           s.date;
}

FrmNemudar::FrmNemudar(const AppFolder& folder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      folder_(folder), subjects_(folder), norms_(folder) {
    setObjectName(QStringLiteral("FrmNemudar"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The caption is empty; a blank keeps the platform from putting the program's name there.
    setWindowTitle(QStringLiteral(" "));
    setLayoutDirection(Qt::RightToLeft);
    // The design's window, 12600 x 10050: the client area has the size of the captured
    // picture, so everything the design places in it is inside.
    setFixedSize(pxSize(report::profile::kWidth, report::profile::kHeight));
    buildLabels();
    buildButtons();
    buildPanel();
    Txtid = new QLineEdit(this);
    Txtid->setObjectName(QStringLiteral("Txtid"));
    Txtid->hide();
    move(pxPoint(2085, 245));
}

void FrmNemudar::buildLabels() {
    QPalette black = palette();
    black.setColor(QPalette::WindowText, Qt::black);
    for (const report::ProfileText& t : report::profileTexts(report::ProfileValues{})) {
        auto* label = new QLabel(t.text, this);
        label->setObjectName(t.name);
        label->setGeometry(pxRect(t.rect.x(), t.rect.y(), t.rect.width(), t.rect.height()));
        label->setFont(report::designFamilyFont(t.family, t.points, t.bold));
        label->setAlignment(t.alignment);
        label->setLayoutDirection(t.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        label->setPalette(black);
        label->setVisible(t.visible);
        if (t.countsRow)
            countsRow_ << label;
        if (t.name == QLatin1String("Label6"))
            Label6 = label;
        else if (t.name == QLatin1String("Lblj"))
            Lblj = label;
        else if (t.name == QLatin1String("Label2(38)"))
            Label2_38 = label;
        else if (t.name == QLatin1String("Label2(19)"))
            Label2_19 = label;
        else if (t.name == QLatin1String("Label2(39)"))
            Label2_39 = label;
        else if (t.name == QLatin1String("Lbl30"))
            Lbl30 = label;
        for (int i = 0; i < kScaleCount; ++i) {
            if (t.name == QStringLiteral("Lblkham(%1)").arg(i))
                Lblkham[static_cast<size_t>(i)] = label;
            else if (t.name == QStringLiteral("Lblt(%1)").arg(i))
                Lblt[static_cast<size_t>(i)] = label;
        }
    }
}

void FrmNemudar::buildButtons() {
    const QFont font = designFont(kNazanin, 10, true);
    for (const report::ProfileButton& b : report::profileButtons()) {
        QPushButton* button = designButton(b.name, b.caption, b.rect, b.back, font, this);
        if (b.name == QLatin1String("Command2"))
            Command2 = button;
        else if (b.name == QLatin1String("Cmdprint2"))
            Cmdprint2 = button;
        else if (b.name == QLatin1String("Cmdprint"))
            Cmdprint = button;
        else if (b.name == QLatin1String("CmdTaf"))
            CmdTaf = button;
        else if (b.name == QLatin1String("Cmdword"))
            Cmdword = button;
        else if (b.name == QLatin1String("Cmdword2"))
            Cmdword2 = button;
    }
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
    connect(CmdTaf, &QPushButton::clicked, this, [this] {
        FramTaf->show();
        FramTaf->raise();
    });
    connect(Cmdprint, &QPushButton::clicked, this, &FrmNemudar::printWithInterpretation);
    connect(Cmdprint2, &QPushButton::clicked, this, &FrmNemudar::printWithoutInterpretation);
    connect(Cmdword, &QPushButton::clicked, this, &FrmNemudar::exportWordWithProfile);
    connect(Cmdword2, &QPushButton::clicked, this, &FrmNemudar::exportWordWithoutProfile);
}

void FrmNemudar::buildPanel() {
    FramTaf = new QFrame(this);
    FramTaf->setObjectName(QStringLiteral("FramTaf"));
    FramTaf->setGeometry(pxRect(135, 270, 11535, 8855));
    FramTaf->setAutoFillBackground(true);
    QPalette panel = FramTaf->palette();
    panel.setColor(QPalette::Window, QColor(report::profile::kPlotFill));
    FramTaf->setPalette(panel);
    FramTaf->setFrameShape(QFrame::Box);

    LblTaf = new QLabel(FramTaf);
    LblTaf->setObjectName(QStringLiteral("LblTaf"));
    LblTaf->move(pxPoint(5625, 135));
    LblTaf->setFont(designFont(kArial, 10, true));
    QPalette white = LblTaf->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    LblTaf->setPalette(white);
    LblTaf->setLayoutDirection(Qt::RightToLeft);

    Txttaf1 = makePersianTextBox(QStringLiteral("Txttaf1"), FramTaf);
    Txttaf1->setGeometry(pxRect(180, 450, 11130, 7530));
    Txttaf1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Txttaf1->setFont(report::designFamilyFont(kNazanin, 14.25, false));
    QPalette editor = Txttaf1->palette();
    editor.setColor(QPalette::Base, QColor(report::designRgb(0x00CCF2D5)));
    editor.setColor(QPalette::Text, Qt::black);
    Txttaf1->setPalette(editor);

    const QFont font = designFont(kArial, 10, true);
    const QRgb back = report::designRgb(0x0098A714);
    Command1 = designButton(QStringLiteral("Command1"), QStringLiteral("خروج"),
                            QRect(2115, 8145, 1185, 465), back, font, FramTaf);
    CmdTafneu = designButton(QStringLiteral("CmdTafneu"), QStringLiteral("مشاهده تفسير جديد"),
                             QRect(3960, 8145, 1815, 465), back, font, FramTaf);
    CmdTafalt = designButton(QStringLiteral("CmdTafalt"),
                             QStringLiteral("مشاهده تفسير ذخيره شده"),
                             QRect(6120, 8145, 1995, 465), back, font, FramTaf);
    Command3 = designButton(QStringLiteral("Command3"), QStringLiteral("ذخيره تفسير"),
                            QRect(8370, 8145, 1725, 465), back, font, FramTaf);
    FramTaf->hide();

    connect(Command1, &QPushButton::clicked, FramTaf, &QWidget::hide);
    connect(CmdTafneu, &QPushButton::clicked, this, &FrmNemudar::showNewInterpretation);
    connect(CmdTafalt, &QPushButton::clicked, this, &FrmNemudar::showStoredInterpretation);
    connect(Command3, &QPushButton::clicked, this, &FrmNemudar::storeEditor);
}

void FrmNemudar::handOver(const ProfileHandOver& input) {
    const bool otherSubject = input.subject.code != input_.subject.code || header_.isEmpty();
    input_ = input;
    subjectRow_ = input.subject;

    Lblj->setText(input.subject.sex);
    for (int i = 0; i < kScaleCount; ++i)
        Lblkham[static_cast<size_t>(i)]->setText(input.rawScores[static_cast<size_t>(i)]);
    Label2_38->setText(QString::number(input.unanswered));
    Label2_19->setText(QString::number(input.yes));
    Label2_39->setText(QString::number(input.no));
    Lbl30->setVisible(!isInterpretable(input.unanswered));
    if (otherSubject) {
        // Nothing of an earlier subject stays: neither its T scores nor its text in the editor,
        // which a store would otherwise write into this subject's file.
        showT(ScaleTexts{});
        setEditorText(QString());
        LblTaf->clear();
        FramTaf->hide();
    }

    // The norms and paragraphs are read once per subject; an unreadable file is reported
    // here rather than on activation, which a message box would only trigger again.
    const std::optional<QList<NormRow>> norms = norms_.normRows();
    normsRead_ = norms.has_value();
    normRows_ = norms.value_or(QList<NormRow>{});
    StoreFailure failure = norms_.lastFailure();
    const std::optional<QList<ParagraphRow>> paragraphs = norms_.paragraphRows();
    paragraphsRead_ = paragraphs.has_value();
    paragraphRows_ = paragraphs.value_or(QList<ParagraphRow>{});
    if (!failure.isFailure())
        failure = norms_.lastFailure();
    if (failure.isFailure())
        showStoreFailure(this, QStringLiteral("خطا"),
                         QStringLiteral("جدول نرم ها و متنهاي تفسير خوانده نشد"), failure,
                         Dialogs::Icon::Warning);
    activated();
}

void FrmNemudar::activated() {
    // T scores, profile, header line; the stored interpretation is read from the file by the
    // subject's code each time it is used.
    if (normsRead_) {
        if (const std::optional<ScaleTexts> t =
                convertToTScores(input_.rawScores, input_.subject.sex, normRows_))
            showT(*t);
    }
    update();
    header_ = subjectHeaderLine(subjectRow_);
    Txtid->setText(header_);
}

void FrmNemudar::showT(const ScaleTexts& t) {
    tScores_ = t;
    for (int i = 0; i < kScaleCount; ++i)
        Lblt[static_cast<size_t>(i)]->setText(t[static_cast<size_t>(i)]);
}

QString FrmNemudar::headerLine() const {
    return header_;
}

ScaleTexts FrmNemudar::tScores() const {
    return tScores_;
}

report::ProfileValues FrmNemudar::profileValues() const {
    report::ProfileValues v;
    v.sex = input_.subject.sex;
    v.rawScores = input_.rawScores;
    v.tScores = tScores_;
    v.unanswered = QString::number(input_.unanswered);
    v.yes = QString::number(input_.yes);
    v.no = QString::number(input_.no);
    v.notInterpretable = !isInterpretable(input_.unanswered);
    return v;
}

void FrmNemudar::setLook(const report::ProfileLook& look) {
    look_ = look;
    Label6->setVisible(look.title);
    for (QPushButton* b : {Command2, Cmdprint2, Cmdprint, CmdTaf, Cmdword, Cmdword2})
        b->setVisible(look.buttons);
    for (QWidget* w : countsRow_)
        w->setVisible(look.countsRow);
    update();
}

QString FrmNemudar::newInterpretation() {
    InterpretationInput in;
    in.header = headerLine();
    in.tScores = tScores();
    in.sex = input_.subject.sex;
    in.unanswered = input_.unanswered;
    Lbl30->setVisible(!isInterpretable(in.unanswered));
    return interpret(in, paragraphRows_);
}

SubjectDb::StoredInterpretation FrmNemudar::storedInterpretation() {
    return subjects_.loadInterpretation(input_.subject.code);
}

bool FrmNemudar::storeInterpretation(const QString& text) {
    return subjects_.storeInterpretation(input_.subject.code, text);
}

const StoreFailure& FrmNemudar::storeFailure() const {
    return subjects_.lastFailure();
}

QString FrmNemudar::editorText() const {
    if (!Txttaf1->document()->isModified())
        return editorBaseline_;
    QString text = Txttaf1->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, kCrLf);
    text.replace(QChar::LineSeparator, kCrLf);
    return text;
}

void FrmNemudar::setEditorText(const QString& text) {
    editorBaseline_ = text;
    Txttaf1->setPlainText(text);
    Txttaf1->document()->setModified(false);
}

void FrmNemudar::showNewInterpretation() {
    LblTaf->setText(QStringLiteral("تفسير جديد"));
    LblTaf->adjustSize();
    setEditorText(newInterpretation());
}

void FrmNemudar::showStoredInterpretation() {
    const SubjectDb::StoredInterpretation stored = storedInterpretation();
    if (stored.status == SubjectDb::StoredInterpretation::Status::Failed) {
        showStoreFailure(this, QStringLiteral("خطا"), QStringLiteral("تفسير ذخيره شده خوانده نشد"),
                         subjects_.lastFailure(), Dialogs::Icon::Warning);
        return;
    }
    LblTaf->setText(QStringLiteral("تفسير ذخيره شده"));
    LblTaf->adjustSize();
    setEditorText(stored.text);
}

void FrmNemudar::storeEditor() {
    if (!dialogs().askYesNo(this, QStringLiteral("هشدار"),
                            QStringLiteral("آيا ميخواهيد تغييرات جديد را ذخيره كنيد؟"),
                            Dialogs::Icon::Information))
        return;
    const QString text = editorText();
    if (!storeInterpretation(text)) {
        // The editor keeps its text, so nothing the operator wrote is lost.
        showStoreFailure(this, QStringLiteral("خطا"), QStringLiteral("تفسير ذخيره نشد"),
                         subjects_.lastFailure(), Dialogs::Icon::Warning);
        return;
    }
    editorBaseline_ = text;
    Txttaf1->document()->setModified(false);
    dialogs().notice(this, QStringLiteral("ذخيره شد"));
}

void FrmNemudar::printWithInterpretation() {
    profileoutput::print(*this, true);
}
void FrmNemudar::printWithoutInterpretation() {
    profileoutput::print(*this, false);
}
void FrmNemudar::exportWordWithProfile() {
    profileoutput::exportWord(*this, true);
}
void FrmNemudar::exportWordWithoutProfile() {
    profileoutput::exportWord(*this, false);
}

bool FrmNemudar::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        activated();
    return QWidget::event(event);
}

void FrmNemudar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    report::paintStaticLayout(painter, look_);
    report::paintProfileLine(painter, tScores());
}

void FrmNemudar::keyPressEvent(QKeyEvent* event) {
    // Esc presses "خروج" wherever the focus is.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Command2->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FrmNemudar::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace hov
