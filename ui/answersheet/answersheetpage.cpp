#include "ui/answersheet/answersheetpage.h"

#include "ui/answersheet/answersheetbox.h"

#include <QPaintEvent>
#include <QPainter>

namespace hov {

AnswerSheetPage::AnswerSheetPage(const QColor& background, QWidget* parent) : QWidget(parent) {
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    setPalette(p);
    setAutoFillBackground(true);
    boxes_.reserve(160);
}

void AnswerSheetPage::addBox(AnswerSheetBox* box, const QRect& geometry) {
    box->setGeometry(geometry);
    boxes_.push_back(box);
}

void AnswerSheetPage::setLabelStyle(const QFont& font, const QColor& colour) {
    labelFont_ = font;
    labelColour_ = colour;
    update();
}

QRect AnswerSheetPage::labelRect(const AnswerSheetBox* box) const {
    const QRect g = box->geometry();
    return QRect(g.left() - kLabelGap - kLabelWidth, g.top(), kLabelWidth, g.height());
}

void AnswerSheetPage::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setFont(labelFont_);
    painter.setPen(labelColour_);
    for (const AnswerSheetBox* box : boxes_) {
        const QRect r = labelRect(box);
        if (r.intersects(event->rect()))
            painter.drawText(r, Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter,
                             QString::number(box->item()));
    }
}

} // namespace hov
