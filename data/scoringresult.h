#pragma once

#include "data/subject.h"
#include "scoring/rawscores.h"
#include "scoring/scales.h"

#include <array>

namespace hov {

// One subject's computation: what the scoring window shows and stores, and what the
// profile window takes over from it (FrmkLID::result()).
struct ScoringResult {
    Subject subject; // the IDE row of the subject the scores belong to; subject.sex is Jens
    int unanswered = 0;
    int yes = 0; // answered exactly "1"
    int no = 0;  // answered exactly "2"
    // Raw scores in scale order.
    std::array<int, kScaleCount> rawScores{};

    // A raw score as shown and as the norms look it up (scoreText()).
    QString rawScoreText(int scale) const { return scoreText(rawScores[static_cast<size_t>(scale)]); }
};

} // namespace hov
