#pragma once

#include <QFont>

class QPainter;
class QPaintDevice;

namespace hov::report {

// The windows and the report are laid out in twips (1/1440 inch): 15 twips to a pixel at
// 96 dpi. Painting through this scale gives the same geometry on the screen, in a grab at
// any resolution and on a printed page.
constexpr double kTwipsPerInch = 1440.0;

// Scales the painter so that one unit is one twip on its device.
void scaleToTwips(QPainter& painter);
// Device pixels per twip on a paint device (0.0667 at 96 dpi).
double pixelsPerTwip(const QPaintDevice& device);

// A font of the given size in points, sized in the painter's twip units (a point is 20
// twips); a font given in points would shrink to a pixel under the twip scale.
QFont twipsFont(QFont font, double points);

} // namespace hov::report
