#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace hov {

// The windows are laid out in twips; 15 twips make a pixel at 96 dpi.
inline constexpr int kTwipsPerPixel = 15;
constexpr int px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
constexpr QPoint pxPoint(int left, int top) { return QPoint(px(left), px(top)); }
constexpr QSize pxSize(int width, int height) { return QSize(px(width), px(height)); }
constexpr QRect pxRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace hov
