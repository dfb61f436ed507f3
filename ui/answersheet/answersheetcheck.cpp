#include "ui/answersheet/answersheetcheck.h"

namespace hov {

void AnswerSheetCheck::clear() {
    second_.fill(QString());
    open_.fill(false);
}

AnswerSheetCheck::Outcome AnswerSheetCheck::enter(int item, const QString& value,
                                                  const QString& stored) {
    const size_t i = index(item);
    // Keep "keyed" visible even for an empty answer.
    second_[i] = value.isNull() ? QStringLiteral("") : value;
    if (open_[i]) {
        open_[i] = false;
        return Outcome::Settled;
    }
    open_[i] = !sameAnswer(value, stored);
    return open_[i] ? Outcome::Differs : Outcome::Agrees;
}

QList<int> AnswerSheetCheck::openItems() const {
    QList<int> items;
    for (int item = 1; item <= kItemCount; ++item)
        if (open_[index(item)])
            items << item;
    return items;
}

int AnswerSheetCheck::keyedCount() const {
    int count = 0;
    for (const QString& value : second_)
        count += value.isNull() ? 0 : 1;
    return count;
}

bool AnswerSheetCheck::sameAnswer(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return a.isEmpty() && b.isEmpty();
    return a == b;
}

} // namespace hov
