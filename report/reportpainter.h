#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace hov::report {

// The values the printed report DR1 shows; everything is plain text as the profile window
// and the scoring window hold it.
struct ReportValues {
    // The subject row (Section1: Label170 ... Label188).
    QString code;
    QString group;
    QString firstName;
    QString lastName;
    QString sex;
    QString age;
    QString marital;
    QString education;
    QString testDate;
    // The counts as the profile window shows them (Label2, Label4, Label7).
    QString unanswered;
    QString yes;
    QString no;
    QString clinicName;    // Label8
    QString clinicAddress; // Label5 of the page footer
    QString contacts;      // Label10 of the page footer: the contact block, CR LF separated
    QByteArray logo;       // the picture file's bytes (Image4)
    QImage logoPicture;    // or the logo already decoded; used when not null
    bool printLogo = false; // the settings flag Check1
    // Label9; empty in a report without interpretation.
    QString interpretation;
};

// Paints the profile picture into `target`, a rectangle in the painter's twips. Painting
// straight into the report keeps the chart as vector graphics.
using ProfilePaint = std::function<void(QPainter& painter, const QRectF& target)>;

// The report's layout in twips, as designed.
namespace dr1 {
constexpr double kReportWidth = 10815;
constexpr double kMarginSides = 440;
constexpr double kMarginTopBottom = 1440;
constexpr double kFooterHeight = 1446;
constexpr double kLabel9Top = 9728;
const QRectF kImage2{107, 2769, 10425, 6810};
} // namespace dr1

// Gives the device the report's page: A4 portrait with the design's margins.
void setUpReportPage(QPagedPaintDevice& device);

// Paints DR1 onto the device's pages, the page footer on every page; a long interpretation
// runs on over further pages, line by line. Returns the number of pages painted, 0 when the
// device could not be painted on.
int paintReport(QPagedPaintDevice& device, const ReportValues& values, const ProfilePaint& profile);

// Runs `paint`, which draws a picture of `source` size from (0, 0), scaled to fit `target`
// with its proportions kept and centred in it.
void paintFitted(QPainter& painter, const QRectF& target, const QSizeF& source,
                 const std::function<void(QPainter&)>& paint);

} // namespace hov::report
