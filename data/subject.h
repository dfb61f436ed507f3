#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
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

// The values the registration offers for Jens, Taahol and Group, in the lists' order.
// A stored subject may hold any text (an older file, an edit elsewhere); these are
// what the lists offer.
const QStringList& sexes();          // "مرد", "زن"
const QStringList& maritalStates();  // "مجرد", "متأهل", "مطلقه", "بيوه"
const QStringList& groups();         // "A" to "G"

// The registration fields a window may change after registration (the code never changes).
enum class SubjectField { FirstName, LastName, Age, Sex, Marital, Group, Education, Date, Time };
// Changed fields, each with its new value; what SubjectDb::updateSubject writes.
using SubjectChanges = QList<QPair<SubjectField, QString>>;

// The fields whose value in `edited` differs from `stored`, with their new values. A null
// and an empty text count as equal (a null column shown as an empty field and left empty
// stays null).
SubjectChanges changedFields(const Subject& stored, const Subject& edited);
// Sets the changed fields on `subject`.
void applyChanges(Subject& subject, const SubjectChanges& changes);

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
