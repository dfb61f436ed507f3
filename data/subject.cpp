#include "data/subject.h"

#include "scoring/tscores.h"

namespace hov {

const QStringList& sexes() {
    // The domain's two sex texts: the norms are read by them.
    static const QStringList values{kMaleText, kFemaleText};
    return values;
}

const QStringList& maritalStates() {
    static const QStringList values{QStringLiteral("مجرد"), QStringLiteral("متأهل"),
                                    QStringLiteral("مطلقه"), QStringLiteral("بيوه")};
    return values;
}

const QStringList& groups() {
    static const QStringList values{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                                    QStringLiteral("D"), QStringLiteral("E"), QStringLiteral("F"),
                                    QStringLiteral("G")};
    return values;
}

namespace {

QString Subject::*memberOf(SubjectField field) {
    switch (field) {
    case SubjectField::FirstName: return &Subject::firstName;
    case SubjectField::LastName: return &Subject::lastName;
    case SubjectField::Age: return &Subject::age;
    case SubjectField::Sex: return &Subject::sex;
    case SubjectField::Marital: return &Subject::marital;
    case SubjectField::Group: return &Subject::group;
    case SubjectField::Education: return &Subject::education;
    case SubjectField::Date: return &Subject::date;
    case SubjectField::Time: return &Subject::time;
    }
    return &Subject::firstName;
}

constexpr SubjectField kFields[] = {SubjectField::FirstName, SubjectField::LastName,
                                    SubjectField::Sex,       SubjectField::Age,
                                    SubjectField::Marital,   SubjectField::Education,
                                    SubjectField::Date,      SubjectField::Time,
                                    SubjectField::Group};

} // namespace

SubjectChanges changedFields(const Subject& stored, const Subject& edited) {
    SubjectChanges changes;
    for (SubjectField field : kFields) {
        QString Subject::*member = memberOf(field);
        if (edited.*member != stored.*member)
            changes.append({field, edited.*member});
    }
    return changes;
}

void applyChanges(Subject& subject, const SubjectChanges& changes) {
    for (const auto& change : changes)
        subject.*memberOf(change.first) = change.second;
}

} // namespace hov
