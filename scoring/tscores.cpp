#include "scoring/tscores.h"

namespace hov {

std::optional<ScaleTexts> convertToTScores(const ScaleTexts& rawScores, const QString& sex,
                                           std::span<const NormRow> rows) {
    const bool male = sex == kMaleText;
    if (!male && sex != kFemaleText)
        return std::nullopt;
    ScaleTexts t;
    for (size_t k = 0; k < rawScores.size(); ++k) {
        for (const NormRow& row : rows) {
            if (row.score == rawScores[k]) {
                t[k] = male ? row.male[k] : row.female[k];
                break;
            }
        }
    }
    return t;
}

} // namespace hov
