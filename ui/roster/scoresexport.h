#pragma once

#include "data/subjectdb.h"

#include <QList>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace hov {

using ScoreTexts = std::array<QString, 18>;
// The T scores of a subject's raw scores for its sex text; nullopt when the sex converts
// nothing (neither "مرد" nor "زن") or no norms are at hand.
using TScoreConverter =
    std::function<std::optional<ScoreTexts>(const ScoreTexts& raw, const QString& sex)>;

// The scores export as a table: a header, then one record per code in the order given
// (codes the file no longer holds are left out): code, first and last name, sex, age,
// group, education, date, the 18 raw scores and the 18 T scores (empty where the sex
// converts nothing or the subject was never scored).
QList<QStringList> scoresTable(const QList<SubjectDb::SubjectScores>& subjects,
                               const QStringList& codes, const TScoreConverter& convert);

} // namespace hov
