#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>
#include <vector>

namespace hov {

class AnswerSheetBox;

// One page of the answer sheet: a coloured sheet of entry boxes with each item's
// number drawn beside its box. The numbers are painted rather than made labels, so
// the 480-item window opens quickly.
class AnswerSheetPage : public QWidget {
    Q_OBJECT
public:
    AnswerSheetPage(const QColor& background, QWidget* parent);

    // Places the item's box; its number is drawn labelWidth pixels wide, gap pixels to
    // the left of the box, right-aligned against it.
    void addBox(AnswerSheetBox* box, const QRect& geometry);
    void setLabelStyle(const QFont& font, const QColor& colour);
    // Where the number of the box's item is drawn.
    QRect labelRect(const AnswerSheetBox* box) const;

    static constexpr int kLabelWidth = 37;
    static constexpr int kLabelGap = 3;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<AnswerSheetBox*> boxes_;
    QFont labelFont_;
    QColor labelColour_;
};

} // namespace hov
