#pragma once

#include "data/subject.h"

#include <QList>
#include <QString>
#include <array>

namespace hov {

// Double entry of a paper sheet: the second keying of every item is held here and
// compared with the stored (first) answer. An item whose two entries differ stays
// open until it is keyed once more; that third keying settles it.
class AnswerSheetCheck {
public:
    enum class Outcome {
        Agrees,  // second entry equals the stored answer
        Differs, // second entry differs: the item is open
        Settled, // the item was open; the value keyed now is the answer to store
    };

    // Forgets every second entry.
    void clear();
    // A second-entry value ("", "1" or "2") for the item, against its stored answer.
    Outcome enter(int item, const QString& value, const QString& stored);

    QList<int> openItems() const;
    int keyedCount() const;

    // Both entries say the same: null and "" are both "no answer"; anything else
    // must match exactly (a stored "1 " is not "1").
    static bool sameAnswer(const QString& a, const QString& b);

private:
    static size_t index(int item) { return static_cast<size_t>(item - 1); }
    // The second entry as keyed; null when the item has not been keyed a second time.
    std::array<QString, kItemCount> second_;
    std::array<bool, kItemCount> open_{};
};

} // namespace hov
