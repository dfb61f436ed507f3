#pragma once

#include <QString>
#include <array>

namespace hov {

// A subject's registration data: one row of IDE.
struct Subject {
    QString code;
    QString firstName; // FName
    QString lastName;  // LName
    QString age;       // Sen
    QString sex;       // Jens: "مرد" or "زن"
    QString marital;   // Taahol
    QString group;     // Group: "A" to "G"
    QString education; // Tahsil
    QString date;      // Date: Jalali, form 0
    QString time;      // Time
};

inline constexpr int kItemCount = 480;
inline constexpr int kItemsPerTable = 160;
inline constexpr int kAnswerTableCount = 3;

// Items 1-160 live in Answer1, 161-320 in Answer2, 321-480 in Answer3; the column
// of item n is named n in decimal.
inline int answerTableOf(int item) { return (item - 1) / kItemsPerTable; }
inline int firstItemOf(int table) { return table * kItemsPerTable + 1; }
QString answerTableName(int table);
inline QString itemColumn(int item) { return QString::number(item); }
inline bool isItem(int n) { return n >= 1 && n <= kItemCount; }

// The stored answers of one subject, item 1 to 480. A null text is an SQL NULL, an
// empty text an empty value; both mean unanswered, and both are kept as they were.
class AnswerSheet {
public:
    const QString& at(int item) const { return values_[static_cast<size_t>(item - 1)]; }
    void set(int item, const QString& value) { values_[static_cast<size_t>(item - 1)] = value; }
    const std::array<QString, kItemCount>& values() const { return values_; }

private:
    std::array<QString, kItemCount> values_;
};

} // namespace hov
