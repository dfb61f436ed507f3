#pragma once

#include "scoring/scales.h"

#include <QString>

#include <array>
#include <optional>
#include <span>

namespace hov {

// One row of the norm table: a raw score and, per scale in scale order, the T score of that
// raw score for male and for female subjects, as stored (text).
struct NormRow {
    QString score;
    std::array<QString, kScaleCount> male;
    std::array<QString, kScaleCount> female;
};

using ScaleTexts = std::array<QString, kScaleCount>;

// The two sex texts the norms know; any other text converts nothing.
inline const QString kMaleText = QStringLiteral("مرد");
inline const QString kFemaleText = QStringLiteral("زن");

// T scores of the 18 raw-score texts for the subject's sex. "مرد" reads the male columns,
// "زن" the female ones; for any other sex text there is nothing to convert (nullopt) and the
// caller keeps the T scores it had. Each raw-score text is compared exactly as given with the
// rows' Score; the first matching row in table order wins, and a raw score no row holds gets
// an empty T. T texts are copied as stored, never recomputed.
std::optional<ScaleTexts> convertToTScores(const ScaleTexts& rawScores, const QString& sex,
                                           std::span<const NormRow> rows);

} // namespace hov
