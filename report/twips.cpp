#include "report/twips.h"

#include <QPaintDevice>
#include <QPainter>

namespace hov::report {

double pixelsPerTwip(const QPaintDevice& device) {
    return device.logicalDpiX() / kTwipsPerInch;
}

void scaleToTwips(QPainter& painter) {
    const QPaintDevice* device = painter.device();
    if (!device)
        return;
    painter.scale(device->logicalDpiX() / kTwipsPerInch, device->logicalDpiY() / kTwipsPerInch);
}

QFont twipsFont(QFont font, double points) {
    font.setPixelSize(qMax(1, qRound(points * 20.0)));
    return font;
}

} // namespace hov::report
