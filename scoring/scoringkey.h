#pragma once

#include <QtGlobal>

#include <span>

namespace hov {

inline constexpr int kKeyItemMax = 480;
inline constexpr int kScoringKeySize = 694;

// One (scale, item) pair of the scoring key.
struct KeyEntry {
    quint8 scale; // index in the fixed scale order (scales.h)
    quint16 item; // 1..480, the item number of the answer columns
    quint8 keyed; // the answer that scores: 1 = yes, 2 = no
};

// The scoring key, grouped by scale in scale order. It is compiled into the program from
// assets/scoring-key.csv at build time, so it can be neither lost nor edited at the desk.
std::span<const KeyEntry> scoringKey();

} // namespace hov
