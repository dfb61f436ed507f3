#include "ui/roster/scoresexport.h"

#include "scoring/scales.h"

#include <QHash>

namespace hov {

QList<QStringList> scoresTable(const QList<SubjectDb::SubjectScores>& subjects,
                               const QStringList& codes, const TScoreConverter& convert) {
    static_assert(std::tuple_size_v<ScoreTexts> == kScaleCount);
    QStringList header{QStringLiteral("code"),  QStringLiteral("first_name"),
                       QStringLiteral("last_name"), QStringLiteral("sex"),
                       QStringLiteral("age"),   QStringLiteral("group"),
                       QStringLiteral("education"), QStringLiteral("date")};
    for (const Scale& scale : scales())
        header << QString::fromLatin1(scale.code);
    for (const Scale& scale : scales())
        header << QString::fromLatin1(scale.code) + QStringLiteral("_T");

    QHash<QString, qsizetype> byCode;
    byCode.reserve(subjects.size());
    for (qsizetype i = 0; i < subjects.size(); ++i)
        byCode.insert(subjects[i].subject.code, i);

    QList<QStringList> table{header};
    table.reserve(codes.size() + 1);
    for (const QString& code : codes) {
        const auto found = byCode.constFind(code);
        if (found == byCode.constEnd())
            continue;
        const SubjectDb::SubjectScores& row = subjects[*found];
        const Subject& s = row.subject;
        QStringList record{s.code, s.firstName, s.lastName, s.sex, s.age, s.group, s.education,
                           s.date};
        for (const QString& raw : row.raw)
            record << raw;
        bool scored = false;
        for (const QString& raw : row.raw)
            scored = scored || !raw.isEmpty();
        const std::optional<ScoreTexts> t =
            scored && convert ? convert(row.raw, s.sex) : std::nullopt;
        for (int i = 0; i < kScaleCount; ++i)
            record << (t ? (*t)[static_cast<size_t>(i)] : QString());
        table << record;
    }
    return table;
}

} // namespace hov
