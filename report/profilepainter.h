#pragma once

// The profile window's picture, painted in twips: the static drawing (plot area, grid,
// ticks, separators, score table), the profile line, the texts of the design's labels and
// the button row. One painting serves the window on screen (which shows real labels and
// buttons over the drawing), the printed report and the picture of the .docx export, at any
// resolution: the painter only has to be scaled to twips (report::scaleToTwips, or 1/15 on a
// 96 dpi screen) with its origin at the top left of the window's client area.

#include "scoring/tscores.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

#include <array>

class QPainter;

namespace hov::report {

// A colour written as the design writes it, &H00BBGGRR&.
constexpr QRgb designRgb(quint32 bgr) {
    return qRgb(static_cast<int>(bgr & 0xff), static_cast<int>((bgr >> 8) & 0xff),
                static_cast<int>((bgr >> 16) & 0xff));
}

namespace profile {

// The window, 12600 x 10050: also the size of every picture of it.
inline constexpr int kWidth = 12600;
inline constexpr int kHeight = 10050;
inline constexpr QRgb kBackColour = designRgb(0x00626877);
inline constexpr QRgb kPlotFill = designRgb(0x007D8910);
inline constexpr QRect kPlotRect{450, 720, 10500, 7050};

// Per scale, in scale order: the profile point's X, the left X of the scale-code labels
// (lower row; the upper row differs only for Fe) and the left X of the score cells.
inline constexpr std::array<int, kScaleCount> kPointX = {
    660, 1350, 1920, 2400, 2990, 3510, 4200, 4800, 5340,
    5925, 6480, 7110, 7755, 8350, 8940, 9510, 10035, 10685};
inline constexpr std::array<int, kScaleCount> kCodeX = {
    555, 1185, 1830, 2325, 2865, 3360, 4005, 4605, 5235,
    5775, 6390, 7005, 7560, 8175, 8835, 9405, 9870, 10455};
inline constexpr int kUpperFeCodeX = 10410;
inline constexpr std::array<int, kScaleCount> kCellX = {
    540, 1170, 1755, 2250, 2790, 3330, 3960, 4545, 5175,
    5760, 6345, 6975, 7560, 8145, 8730, 9315, 9855, 10440};

// Y of a T score: T = 0 at 7730, T = 50 at 4230, T = 100 at 730; never clamped.
constexpr double yOfT(double t) { return 7730.0 - 70.0 * t; }

} // namespace profile

// What the picture shows of one subject: the texts of the design's input labels.
struct ProfileValues {
    QString sex;           // Lblj
    ScaleTexts rawScores;  // Lblkham(0) ... Lblkham(17)
    ScaleTexts tScores;    // Lblt(0) ... Lblt(17); the profile is drawn from these
    QString unanswered;    // Label2(38)
    QString yes;           // Label2(19)
    QString no;            // Label2(39)
    bool notInterpretable = false; // Lbl30 shown
};

// How the window looks: at rest, or in the print or Word capture state. A picture never holds
// the window frame or the interpretation panel: both are hidden in every capture.
struct ProfileLook {
    bool white = false;    // white back colour and white plot fill
    bool title = true;     // the title Label6
    bool buttons = true;   // the six buttons
    bool countsRow = true; // the three count captions and their values
    bool texts = true;     // paint the labels' texts (off where real labels show them)

    static ProfileLook rest() { return {}; }
    static ProfileLook printCapture() { return {true, false, false, false, true}; }
    static ProfileLook wordCapture() { return {true, false, false, true, true}; }
};

// One label of the design, in twips, with its text for the values given.
struct ProfileText {
    QString name;       // objectName: "Label6", "Lblj", "Lblkham(3)", "Label2(38)", ...
    QRect rect;         // twips, in the window's client area
    QString family;     // the design's family ("MS Sans Serif", "B Nazanin", ...)
    double points = 8.25;
    bool bold = false;
    Qt::Alignment alignment; // absolute (AlignAbsolute set): not mirrored
    bool rightToLeft = false;
    QString text;
    bool visible = true;
    bool countsRow = false; // belongs to the counts row (hidden in the print capture)
};

// One button of the design's button row.
struct ProfileButton {
    QString name;
    QString caption;
    QRect rect; // twips
    QRgb back;
};

// A font of one of the design's families at a size in points, through the substitutes the
// program installs for the design's families.
QFont designFamilyFont(const QString& family, double points, bool bold);

// Every label of the window with its text and visibility for the values and the look.
QList<ProfileText> profileTexts(const ProfileValues& values, const ProfileLook& look = {});
// The six buttons, left to right.
const QList<ProfileButton>& profileButtons();
// The numeric T of a T text as the chart reads it: its leading number, 0 for none.
double chartT(const QString& tText);

// Parts of the picture, each into a painter in twips.
void paintStaticLayout(QPainter& painter, const ProfileLook& look);
void paintProfileLine(QPainter& painter, const ScaleTexts& tScores);
void paintTexts(QPainter& painter, const QList<ProfileText>& texts);
void paintButtons(QPainter& painter);

// The whole window picture, 12600 x 10050 twips: static drawing, profile, label texts (when
// look.texts) and buttons (when look.buttons).
void paintProfileWindow(QPainter& painter, const ProfileValues& values, const ProfileLook& look);
// The same picture as an image at the given resolution (840 x 670 pixels at 96 dpi).
QImage renderProfileWindow(const ProfileValues& values, const ProfileLook& look,
                           double dpi = 96.0);

} // namespace hov::report
