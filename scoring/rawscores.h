#pragma once

#include "scoring/scales.h"

#include <QString>
#include <QStringView>

#include <array>
#include <span>

namespace hov {

// The number a text starts with, read the forgiving way stored answers have always been read:
// blanks (spaces, tabs) are skipped anywhere, then an optional sign, digits, an optional decimal
// part and an optional exponent; reading stops at the first character that cannot continue the
// number. A text without a leading number is 0. " 1", "01" and "1x" are 1, "1 2" is 12, "x" and
// "" are 0. Numbers too large for a double are infinite, too small ones 0.
double leadingNumber(QStringView text);

// Raw scores in scale order. answers[i] is the stored answer text of item i + 1; items past the
// end of answers are unanswered, entries past item 480 are ignored. An entry of the scoring key
// scores when the leading number of its item's answer equals its keyed answer, so an unanswered
// or odd answer ("3", "x") scores nowhere.
std::array<int, kScaleCount> rawScores(std::span<const QString> answers);

// A raw score as it is shown, stored and looked up in the norms: decimal, no sign, no padding.
QString scoreText(int score);

} // namespace hov
