#include "scoring/answers.h"

namespace hov {

AnswerCounts countAnswers(std::span<const QString> answers) {
    AnswerCounts counts;
    int item = 0;
    for (const QString& t : answers) {
        ++item;
        if (t.isEmpty()) {
            ++counts.unanswered;
            counts.unansweredList += QLatin1Char(' ') + QString::number(item) + QStringLiteral("  ");
        } else if (t == kAnswerYes) {
            ++counts.yes;
        } else if (t == kAnswerNo) {
            ++counts.no;
        }
    }
    return counts;
}

} // namespace hov
