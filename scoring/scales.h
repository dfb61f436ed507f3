#pragma once

#include <QStringView>

#include <array>

namespace hov {

inline constexpr int kScaleCount = 18;

struct Scale {
    const char* code;      // as shown and as the norms name it
    int keyed;             // number of keyed items, the highest raw score
    int keyedYes;          // items that score on "1"
    int keyedNo;           // items that score on "2"
};

// The fixed scale order. Every per-scale array of the program (raw scores, labels, stored
// columns, norms, chart) follows it, so an index means the same scale everywhere.
inline constexpr std::array<Scale, kScaleCount> kScales = {{
    {"Do", 46, 23, 23},
    {"Cs", 32, 11, 21},
    {"Sy", 36, 22, 14},
    {"Sp", 56, 23, 33},
    {"Sa", 33, 16, 17},
    {"Wb", 44, 6, 38},
    {"Re", 41, 16, 25},
    {"So", 55, 22, 33},
    {"Sc", 50, 6, 44},
    {"To", 32, 3, 29},
    {"Gi", 40, 9, 31},
    {"Cm", 27, 14, 13},
    {"Ac", 38, 12, 26},
    {"Ai", 32, 3, 29},
    {"Ie", 51, 18, 33},
    {"Py", 22, 6, 16},
    {"Fx", 21, 1, 20},
    {"Fe", 38, 17, 21},
}};

const std::array<Scale, kScaleCount>& scales();

// Index of a scale code in the fixed order, or -1 for a code that is not a scale.
int scaleIndex(QStringView code);

} // namespace hov
