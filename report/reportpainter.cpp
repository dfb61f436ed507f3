#include "report/reportpainter.h"

#include "report/docxwriter.h"
#include "report/twips.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QPageLayout>
#include <QGlyphRun>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QRawFont>
#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>

#include <algorithm>
#include <vector>

namespace hov::report {

namespace {

const QColor kDarkBlue(0x00, 0x00, 0x80);   // &H00800000&
const QColor kBandColour(0xE8, 0xFD, 0xFF); // &H00FFFDE8&
const QColor kDefaultColour(Qt::black);

// A design family with the faces that stand in for it; the families the report names
// beyond the windows' own take the substitutes of the nearest window family. "B Titr" prints
// in the Naskh face: the Kufi stand-in has no code points for its joined letter forms, so
// its words could not be found or copied in the PDF.
QFont reportFont(const QString& family, double points, bool bold) {
    static const QHash<QString, QString> nearest{
        {QStringLiteral("Arabic Transparent"), QStringLiteral("B Nazanin")},
        {QStringLiteral("B Titr"), QStringLiteral("B Nazanin")},
        {QStringLiteral("Calibri"), QStringLiteral("Arial")},
    };
    // The bundled faces only, so the report looks the same on every machine.
    QStringList families = QFont::substitutes(nearest.value(family, family));
    if (families.isEmpty())
        families << family;
    // Persian letters in any face that lacks them.
    families += QStringLiteral("Noto Naskh Arabic");
    QFont font;
    font.setFamilies(families);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferOutline);
    return twipsFont(font, points);
}

QFont captionFont() {
    return reportFont(QStringLiteral("Arial"), 9, true);
}

enum class Flow { SingleLine, Wrapped };

struct Label {
    QRectF rect;
    QString text;
    QFont font;
    QColor colour;
    Qt::Alignment horizontal;
    Flow flow = Flow::SingleLine;
    Qt::LayoutDirection direction = Qt::RightToLeft;
};

using Layouts = std::vector<std::unique_ptr<QTextLayout>>;

// A text laid out in lines of `width`, one layout per text line (CR LF, LF or CR end one).
Layouts layoutText(const QString& text, const QFont& font, double width,
                   const QTextOption& option) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    Layouts layouts;
    for (const QString& line : xmlSafeText(text).split(lineEnd)) {
        auto layout = std::make_unique<QTextLayout>(line, font);
        layout->setTextOption(option);
        layout->setCacheEnabled(true);
        layout->beginLayout();
        for (;;) {
            QTextLine textLine = layout->createLine();
            if (!textLine.isValid())
                break;
            textLine.setLeadingIncluded(true);
            textLine.setLineWidth(width);
        }
        layout->endLayout();
        layouts.push_back(std::move(layout));
    }
    return layouts;
}

QTextOption textOption(Qt::Alignment horizontal, Qt::LayoutDirection direction,
                       QTextOption::WrapMode wrap) {
    QTextOption option(horizontal | Qt::AlignAbsolute);
    option.setTextDirection(direction);
    option.setWrapMode(wrap);
    return option;
}

// Draws one laid-out line with its top left at `topLeft`. On a recorded page (the print
// preview records its pages as pictures) text runs are replayed one by one and lose their
// right-to-left order, so there the letters are drawn as their outlines; a printer or a PDF
// gets real text.
void drawLine(QPainter& painter, const QTextLine& line, QPointF topLeft, bool asOutlines) {
    const QPointF origin = topLeft - QPointF(0, line.y());
    if (!asOutlines) {
        line.draw(&painter, origin);
        return;
    }
    const QBrush ink = painter.pen().brush();
    for (const QGlyphRun& run : line.glyphRuns()) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        QPainterPath path;
        for (qsizetype i = 0; i < glyphs.size(); ++i)
            path.addPath(font.pathForGlyph(glyphs[i]).translated(positions[i]));
        painter.fillPath(path.translated(origin), ink);
    }
}

bool recordedPage(const QPainter& painter) {
    return painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Picture;
}

// Draws a label's text inside its rectangle: a text too large for it is set smaller (down
// to half its size), and whatever still does not fit is cut at the label's edges, so a
// label never paints over its neighbours.
void drawLabel(QPainter& painter, const Label& label) {
    if (label.text.isEmpty())
        return;
    const bool wrapped = label.flow == Flow::Wrapped;
    const QTextOption option =
        textOption(label.horizontal, label.direction,
                   wrapped ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    QFont font = label.font;
    const int fullSize = font.pixelSize();
    Layouts layouts;
    double height = 0;
    for (int size = fullSize; size >= fullSize / 2; size -= std::max(1, fullSize / 20)) {
        font.setPixelSize(size);
        layouts = layoutText(label.text, font, label.rect.width(), option);
        height = 0;
        double widest = 0;
        for (const auto& layout : layouts) {
            height += layout->boundingRect().height();
            for (int i = 0; i < layout->lineCount(); ++i)
                widest = std::max(widest, layout->lineAt(i).naturalTextWidth());
        }
        if (widest <= label.rect.width() + 1 && (!wrapped || height <= label.rect.height() + 1))
            break;
    }
    painter.save();
    painter.setPen(label.colour);
    // A single line may use the small gap between rows for its accents and descenders.
    const double allowance = wrapped ? 0 : 60;
    painter.setClipRect(label.rect.adjusted(0, -allowance, 0, allowance), Qt::IntersectClip);
    // Wrapped labels start at the top; a single line sits in the middle of its label.
    double y = wrapped ? label.rect.top() : label.rect.center().y() - height / 2;
    const bool outlines = recordedPage(painter);
    for (const auto& layout : layouts)
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            drawLine(painter, line, QPointF(label.rect.left(), y), outlines);
            y += line.height();
        }
    painter.restore();
}

Label caption(double x, double y, double w, double h, const QString& text) {
    return {QRectF(x, y, w, h), text, captionFont(), kDarkBlue, Qt::AlignHCenter};
}

Label value(double x, double y, double w, double h, const QString& text) {
    return {QRectF(x, y, w, h), text, captionFont(), kDarkBlue, Qt::AlignRight};
}

// 1515 twips at 1200 dpi: the logo never needs more pixels than this in the report.
constexpr int kLargestLogoSide = 1300;

// The logo file's picture, decoded no larger than the report can show; a file that is no
// picture gives a null image.
QImage decodeLogo(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kLargestLogoSide || size.height() > kLargestLogoSide))
        reader.setScaledSize(size.scaled(kLargestLogoSide, kLargestLogoSide, Qt::KeepAspectRatio));
    return reader.read();
}

QImage logoOf(const ReportValues& v) {
    if (v.logoPicture.isNull())
        return decodeLogo(v.logo);
    const QImage& logo = v.logoPicture;
    if (logo.width() <= kLargestLogoSide && logo.height() <= kLargestLogoSide)
        return logo;
    return logo.scaled(kLargestLogoSide, kLargestLogoSide, Qt::KeepAspectRatio,
                       Qt::SmoothTransformation);
}

void paintDetail(QPainter& painter, const ReportValues& v, const ProfilePaint& profile) {
    // The two bands behind the header and the subject row.
    painter.fillRect(QRectF(385, 81, 10425, 1740), kBandColour);
    painter.fillRect(QRectF(81, 1791, 10425, 525), kBandColour);

    if (v.printLogo) {
        const QImage logo = logoOf(v);
        if (!logo.isNull()) {
            const QRectF box(177, 81, 1515, 1395);
            paintFitted(painter, box, logo.size(), [&](QPainter& p) {
                p.setRenderHint(QPainter::SmoothPixmapTransform);
                p.drawImage(QPointF(0, 0), logo);
            });
        }
    }

    const QList<Label> labels{
        {QRectF(2197, 194, 8475, 555), v.clinicName,
         reportFont(QStringLiteral("Arabic Transparent"), 15.75, true), kDefaultColour,
         Qt::AlignHCenter, Flow::Wrapped},
        {QRectF(2224, 950, 8445, 435), QStringLiteral("آزمون شخصيتي ورناسا HOV"),
         reportFont(QStringLiteral("Arial"), 14.25, true), kDefaultColour, Qt::AlignHCenter},
        caption(2046, 1525, 1485, 270, QStringLiteral("تاريخ اجراي آزمون:")),
        value(713, 1525, 1350, 270, v.testDate),
        caption(10321, 1943, 319, 270, QStringLiteral("كد:")),
        value(9719, 1943, 525, 270, v.code),
        caption(9190, 1943, 390, 270, QStringLiteral("گروه:")),
        value(8579, 1943, 600, 270, v.group),
        caption(8164, 1943, 405, 270, QStringLiteral("نام:")),
        value(7287, 1943, 855, 270, v.firstName),
        caption(6378, 1943, 885, 270, QStringLiteral("نام خانوادگي:")),
        value(5273, 1943, 1080, 270, v.lastName),
        caption(4858, 1943, 390, 270, QStringLiteral("جنس:")),
        value(4285, 1943, 510, 270, v.sex),
        caption(3908, 1943, 345, 270, QStringLiteral("سن:")),
        value(3513, 1943, 345, 270, v.age),
        caption(3022, 1943, 465, 270, QStringLiteral("تاهل:")),
        value(2461, 1943, 555, 270, v.marital),
        caption(1704, 1943, 735, 270, QStringLiteral("تحصيلات:")),
        value(371, 1943, 1350, 270, v.education),
        caption(9459, 2349, 1170, 270, QStringLiteral("تعداد بدون پاسخ:")),
        value(8890, 2349, 525, 270, v.unanswered),
        caption(7597, 2349, 1185, 270, QStringLiteral("تعداد پاسخ بلي:")),
        value(7028, 2349, 525, 270, v.yes),
        caption(5697, 2349, 1185, 270, QStringLiteral("تعداد پاسخ خير:")),
        value(5128, 2349, 525, 270, v.no),
    };
    for (const Label& label : labels)
        drawLabel(painter, label);

    if (profile) {
        painter.save();
        painter.setClipRect(dr1::kImage2, Qt::IntersectClip);
        profile(painter, dr1::kImage2);
        painter.restore();
    }
}

void paintFooter(QPainter& painter, double top, const ReportValues& v) {
    painter.save();
    painter.translate(0, top);
    painter.setPen(QPen(Qt::black, 15));
    painter.drawLine(QPointF(0, 29), QPointF(10727, 29));
    painter.drawLine(QPointF(0, 67), QPointF(10727, 67));
    drawLabel(painter, {QRectF(5511, 103, 5146, 1343), v.clinicAddress,
                        reportFont(QStringLiteral("B Titr"), 9.75, true), kDefaultColour,
                        Qt::AlignRight, Flow::Wrapped});
    drawLabel(painter, {QRectF(155, 103, 5302, 1343), v.contacts.trimmed(),
                        reportFont(QStringLiteral("Calibri"), 9.75, true), kDefaultColour,
                        Qt::AlignLeft, Flow::Wrapped, Qt::LeftToRight});
    painter.restore();
}

} // namespace

void setUpReportPage(QPagedPaintDevice& device) {
    const double pt = 72.0 / kTwipsPerInch;
    device.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(dr1::kMarginSides * pt, dr1::kMarginTopBottom * pt, dr1::kMarginSides * pt,
                  dr1::kMarginTopBottom * pt),
        QPageLayout::Point));
}

void paintFitted(QPainter& painter, const QRectF& target, const QSizeF& source,
                 const std::function<void(QPainter&)>& paint) {
    if (source.isEmpty() || target.isEmpty())
        return;
    const double scale =
        std::min(target.width() / source.width(), target.height() / source.height());
    painter.save();
    painter.translate(target.center());
    painter.scale(scale, scale);
    painter.translate(-source.width() / 2, -source.height() / 2);
    paint(painter);
    painter.restore();
}

int paintReport(QPagedPaintDevice& device, const ReportValues& values,
                const ProfilePaint& profile) {
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scaleToTwips(painter);

    // The page's printable body in twips; a page too small for the design shrinks it whole.
    const double bodyWidth = device.width() / pixelsPerTwip(device);
    const double bodyHeight = device.height() * kTwipsPerInch / device.logicalDpiY();
    const double smallestDetail = dr1::kLabel9Top + 600 + dr1::kFooterHeight;
    const double scale = std::min({1.0, bodyWidth / dr1::kReportWidth, bodyHeight / smallestDetail});
    painter.scale(scale, scale);
    const double pageHeight = bodyHeight / scale;
    const double footerTop = pageHeight - dr1::kFooterHeight;

    paintDetail(painter, values, profile);
    paintFooter(painter, footerTop, values);
    int pages = 1;

    // Label9 grows with its text: every line goes where the last one ended, or to the top
    // of the next page when it would reach into the footer; a line is never split.
    const QRectF label9(80, dr1::kLabel9Top, 10432, 5971);
    Layouts layouts;
    if (!values.interpretation.isEmpty())
        layouts = layoutText(values.interpretation,
                             reportFont(QStringLiteral("B Nazanin"), 14.25, false), label9.width(),
                             textOption(Qt::AlignRight, Qt::RightToLeft,
                                        QTextOption::WrapAtWordBoundaryOrAnywhere));
    painter.setPen(kDarkBlue);
    const bool outlines = recordedPage(painter);
    double y = label9.top();
    for (const auto& layout : layouts) {
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (y + line.height() > footerTop && y > 0) {
                if (!device.newPage())
                    return 0;
                ++pages;
                paintFooter(painter, footerTop, values);
                y = 0;
            }
            drawLine(painter, line, QPointF(label9.left(), y), outlines);
            y += line.height();
        }
    }
    painter.end();
    return pages;
}

} // namespace hov::report
