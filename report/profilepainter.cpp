#include "report/profilepainter.h"

#include "report/twips.h"
#include "scoring/rawscores.h"

#include <QPainter>
#include <QPen>
#include <QTextOption>

namespace hov::report {

namespace {

using namespace profile;

const QString kSansSerif = QStringLiteral("MS Sans Serif");
const QString kNazanin = QStringLiteral("B Nazanin");
const QString kTitr = QStringLiteral("B Titr");
const QString kTahoma = QStringLiteral("Tahoma");

// One pixel at 96 dpi; the design's line widths are in pixels.
constexpr int kPixel = 15;

constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignTop | Qt::AlignAbsolute;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop | Qt::AlignAbsolute;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignTop | Qt::AlignAbsolute;

QPen linePen(QColor colour, int pixels, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(colour, pixels * kPixel, style, Qt::FlatCap, Qt::MiterJoin);
    return pen;
}

void hline(QPainter& p, int x1, int x2, int y) { p.drawLine(QPointF(x1, y), QPointF(x2, y)); }
void vline(QPainter& p, int x, int y1, int y2) { p.drawLine(QPointF(x, y1), QPointF(x, y2)); }

ProfileText text(const QString& name, QRect rect, const QString& family, double points,
                 bool bold, Qt::Alignment alignment, const QString& content,
                 bool rightToLeft = false) {
    ProfileText t;
    t.name = name;
    t.rect = rect;
    t.family = family;
    t.points = points;
    t.bold = bold;
    t.alignment = alignment;
    t.text = content;
    t.rightToLeft = rightToLeft;
    return t;
}

} // namespace

QFont designFamilyFont(const QString& family, double points, bool bold) {
    QFont font;
    const QStringList substitutes = QFont::substitutes(family);
    font.setFamilies(substitutes.isEmpty() ? QStringList{family} : substitutes);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

double chartT(const QString& tText) {
    return leadingNumber(tText);
}

QList<ProfileText> profileTexts(const ProfileValues& values, const ProfileLook& look) {
    QList<ProfileText> texts;
    ProfileText title = text(QStringLiteral("Label6"), QRect(450, 45, 10410, 330), kSansSerif,
                             12, true, kCentre, QStringLiteral("HOV - 480"));
    title.visible = look.title;
    texts << title;

    for (int i = 0; i < kScaleCount; ++i) {
        const auto k = static_cast<size_t>(i);
        const QString code = QLatin1String(kScales[k].code);
        const int upperX = i == kScaleCount - 1 ? kUpperFeCodeX : kCodeX[k];
        texts << text(QStringLiteral("LblCodeTop(%1)").arg(i), QRect(upperX, 405, 375, 240),
                      kSansSerif, 9.75, true, kCentre, code);
    }
    texts << text(QStringLiteral("LblCodeTopT"), QRect(11235, 405, 240, 240), kSansSerif, 9.75,
                  true, kLeft, QStringLiteral("T"));
    texts << text(QStringLiteral("Lblj"), QRect(4050, 900, 3075, 420), kTahoma, 12, true, kCentre,
                  values.sex, true);

    // Axis numbers 0 to 90, each with its top about 80 twips above its tick.
    for (int k = 0; k <= 9; ++k) {
        const int top = 7650 - 702 * k;
        const QString number = QString::number(k * 10);
        texts << text(QStringLiteral("LblAxisLeft(%1)").arg(k), QRect(90, top, 210, 195),
                      kSansSerif, 8.25, false, kRight, number);
        texts << text(QStringLiteral("LblAxisRight(%1)").arg(k), QRect(11205, top, 300, 195),
                      kSansSerif, 8.25, false, kLeft, number);
    }

    for (int i = 0; i < kScaleCount; ++i) {
        const auto k = static_cast<size_t>(i);
        texts << text(QStringLiteral("LblCodeBottom(%1)").arg(i), QRect(kCodeX[k], 7785, 375, 240),
                      kSansSerif, 9.75, true, kCentre, QLatin1String(kScales[k].code));
        texts << text(QStringLiteral("Lblkham(%1)").arg(i), QRect(kCellX[k], 8100, 375, 285),
                      kSansSerif, 8.25, true, kCentre, values.rawScores[k]);
        // The T row's cells are 240 high rather than 165, so that their digits are not cut.
        texts << text(QStringLiteral("Lblt(%1)").arg(i), QRect(kCellX[k], 8470, 375, 240),
                      kSansSerif, 8.25, true, kCentre, values.tScores[k]);
    }
    texts << text(QStringLiteral("LblRawCaption"), QRect(11025, 8070, 720, 330), kNazanin, 8.25,
                  true, kCentre, QStringLiteral("نمره خام"), true);
    texts << text(QStringLiteral("LblTCaption"), QRect(11070, 8430, 660, 300), kNazanin, 8.25,
                  true, kCentre, QStringLiteral("نمره T"), true);

    struct Count {
        const char* number;
        int captionX;
        int captionWidth;
        const char* caption;
        int valueX;
        const QString* value;
    };
    const Count counts[] = {
        {"38", 8550, 1500, "تعداد بدون پاسخ :", 7695, &values.unanswered},
        {"19", 6120, 1400, "تعداد پاسخ بلي :", 5265, &values.yes},
        {"39", 3825, 1400, "تعداد پاسخ خير:", 2970, &values.no},
    };
    for (const Count& c : counts) {
        ProfileText caption =
            text(QStringLiteral("LblCountCaption(%1)").arg(QLatin1String(c.number)),
                 QRect(c.captionX, 8880, c.captionWidth, 390), kNazanin, 9.75, true, kLeft,
                 QString::fromUtf8(c.caption), true);
        ProfileText value = text(QStringLiteral("Label2(%1)").arg(QLatin1String(c.number)),
                                 QRect(c.valueX, 8910, 840, 360), kNazanin, 9.75, true, kRight,
                                 *c.value);
        caption.visible = value.visible = look.countsRow;
        caption.countsRow = value.countsRow = true;
        texts << caption << value;
    }

    ProfileText notice = text(QStringLiteral("Lbl30"), QRect(4140, 2115, 5400, 900), kTitr, 20.25,
                              true, kLeft, QStringLiteral("قابل تفسير نمي باشد"), true);
    notice.visible = values.notInterpretable;
    texts << notice;
    return texts;
}

const QList<ProfileButton>& profileButtons() {
    static const QList<ProfileButton> buttons{
        {QStringLiteral("Command2"), QStringLiteral("خروج"), QRect(270, 9375, 1185, 465),
         designRgb(0x00C842D7)},
        {QStringLiteral("Cmdprint2"), QStringLiteral("پرينت بدون تفسير"),
         QRect(1800, 9375, 1635, 465), designRgb(0x0098A714)},
        {QStringLiteral("Cmdprint"), QStringLiteral("پرينت با تفسير"),
         QRect(3585, 9375, 1365, 465), designRgb(0x0098A714)},
        {QStringLiteral("CmdTaf"), QStringLiteral("مشاهده تفسير"), QRect(5085, 9375, 1320, 465),
         designRgb(0x00C842D7)},
        {QStringLiteral("Cmdword"), QStringLiteral("خروجيWord  با پروفايل"),
         QRect(6570, 9375, 2265, 465), designRgb(0x00C0C000)},
        {QStringLiteral("Cmdword2"), QStringLiteral("خروجي Word بدون پروفايل"),
         QRect(9000, 9375, 2535, 465), designRgb(0x00C0C000)},
    };
    return buttons;
}

void paintStaticLayout(QPainter& p, const ProfileLook& look) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor back = look.white ? QColor(Qt::white) : QColor(kBackColour);
    const QColor fill = look.white ? QColor(Qt::white) : QColor(kPlotFill);
    p.fillRect(QRect(0, 0, kWidth, kHeight), back);

    // Plot area Shape3, border width 2.
    p.setPen(linePen(Qt::black, 2));
    p.setBrush(fill);
    p.drawRect(kPlotRect);
    p.setBrush(Qt::NoBrush);

    // The dotted grid is drawn in invert mode: over the plot fill it shows the fill's
    // inverse. Painted as that colour, so that printers and PDF, which know no raster
    // operations, show it too.
    const QColor inverse(255 - fill.red(), 255 - fill.green(), 255 - fill.blue());
    p.setPen(linePen(inverse, 1, Qt::DotLine));
    for (int y : {1440, 2145, 2835, 3540, 4935, 5640})
        hline(p, 420, 10935, y);
    hline(p, 405, 10935, 6345);
    hline(p, 450, 10965, 7035);
    hline(p, 450, 10965, 7740);
    p.setPen(linePen(Qt::black, 2));
    hline(p, 420, 10935, 4245);

    // 101 ticks each side, a long one every fifth.
    p.setPen(linePen(Qt::black, 1));
    for (int k = 0; k <= 100; ++k) {
        const int y = 730 + 70 * k;
        const bool isLong = k % 5 == 0;
        hline(p, isLong ? 315 : 360, 450, y);
        hline(p, isLong ? 10905 : 10950, isLong ? 11115 : 11040, y);
    }

    // Group separators through plot and table: 6, 6, 3 and 3 scales.
    p.setPen(linePen(Qt::black, 3));
    for (int x : {3825, 7470, 9225})
        vline(p, x, 720, 8730);

    // Score table.
    p.setPen(linePen(Qt::black, 2));
    for (int y : {8055, 8415, 8730})
        hline(p, 450, 11745, y);
    for (int x : {450, 1035, 1665, 2205, 2700, 3240, 4455, 5040, 5625, 6210, 6840, 8010, 8640,
                  9810, 10350, 10935})
        vline(p, x, 7785, 8730);
    vline(p, 11745, 8055, 8730);
    p.restore();
}

void paintProfileLine(QPainter& p, const ScaleTexts& tScores) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(linePen(Qt::black, 2));
    for (int i = 0; i + 1 < kScaleCount; ++i) {
        const auto k = static_cast<size_t>(i);
        p.drawLine(QPointF(kPointX[k], yOfT(chartT(tScores[k]))),
                   QPointF(kPointX[k + 1], yOfT(chartT(tScores[k + 1]))));
    }
    p.restore();
}

void paintTexts(QPainter& p, const QList<ProfileText>& texts) {
    p.save();
    p.setPen(Qt::black);
    for (const ProfileText& t : texts) {
        if (!t.visible || t.text.isEmpty())
            continue;
        p.setFont(twipsFont(designFamilyFont(t.family, t.points, t.bold), t.points));
        QTextOption option(t.alignment);
        option.setTextDirection(t.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        option.setWrapMode(QTextOption::NoWrap);
        p.drawText(QRectF(t.rect), t.text, option);
    }
    p.restore();
}

void paintButtons(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const ProfileButton& b : profileButtons()) {
        p.setPen(linePen(QColor(0x40, 0x40, 0x40), 1));
        p.setBrush(QColor(b.back));
        p.drawRect(b.rect.adjusted(0, 0, -kPixel, -kPixel));
        p.setPen(Qt::black);
        p.setFont(twipsFont(designFamilyFont(kNazanin, 9.75, true), 9.75));
        QTextOption option(Qt::AlignCenter);
        option.setTextDirection(Qt::RightToLeft);
        p.drawText(QRectF(b.rect), b.caption, option);
    }
    p.restore();
}

void paintProfileWindow(QPainter& p, const ProfileValues& values, const ProfileLook& look) {
    paintStaticLayout(p, look);
    paintProfileLine(p, values.tScores);
    if (look.texts)
        paintTexts(p, profileTexts(values, look));
    if (look.buttons)
        paintButtons(p);
}

QImage renderProfileWindow(const ProfileValues& values, const ProfileLook& look, double dpi) {
    const double scale = dpi / kTwipsPerInch;
    QImage image(qRound(kWidth * scale), qRound(kHeight * scale), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    paintProfileWindow(p, values, look);
    p.end();
    return image;
}

} // namespace hov::report
