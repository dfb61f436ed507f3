#include "ui/kit/captionlabel.h"

#include <QPainter>
#include <QStyle>

namespace hov {

void CaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(),
                          Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter |
                              Qt::TextForceLeftToRight,
                          palette(), isEnabled(), text(), foregroundRole());
}

} // namespace hov
