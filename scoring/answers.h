#pragma once

#include <QString>

#include <span>

namespace hov {

// The answer codes an answer row holds: "1" yes, "2" no. An empty text (or SQL NULL) is
// unanswered; any other text is odd: kept as it is, counted nowhere.
inline const QString kAnswerYes = QStringLiteral("1");
inline const QString kAnswerNo = QStringLiteral("2");

// The three answer counts of one subject and the unanswered items in the warning's form.
struct AnswerCounts {
    int unanswered = 0;
    int yes = 0;
    int no = 0;
    // " n  " for every unanswered item n, in item order.
    QString unansweredList;
};

// answers[i] is the stored answer of item i + 1. Only an empty text is unanswered and only
// exactly "1" or "2" is a yes or a no; anything else (" 1", "01", "3") counts nowhere
// here, though scoring may still read a number in it.
AnswerCounts countAnswers(std::span<const QString> answers);

} // namespace hov
