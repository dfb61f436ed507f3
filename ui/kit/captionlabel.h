#pragma once

#include <QLabel>

namespace hov {

// A field caption written with the colon first (" :کد"): the texts are laid out for a
// left-to-right paragraph and read "کد:" only when painted that way, against the right
// edge. A QLabel would take the window's right-to-left direction and put the colon first.
class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace hov
