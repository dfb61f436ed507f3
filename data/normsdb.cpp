#include "data/normsdb.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace hov {

namespace {

QString textOf(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

// The T-score columns of tp: the scale code followed by "m" or "f".
QString normColumn(int scale, QChar sex) {
    return QLatin1String(kScales[static_cast<size_t>(scale)].code) + sex;
}

} // namespace

NormsDb::NormsDb(const AppFolder& folder) : file_(folder.normsDatabase(), tables()) {}

const QStringList& NormsDb::tables() {
    static const QStringList names{QStringLiteral("tp"), QStringLiteral("Taf")};
    return names;
}

// A column named with its table: SQLite reads a lone double-quoted name that is not a column
// as a text literal, so a file that lacks the column would read its name as every value.
QString NormsDb::column(const QString& table, const QString& name) const {
    return file_.table(table) + QLatin1Char('.') + file_.column(name);
}

std::optional<QList<NormRow>> NormsDb::normRows() {
    if (!file_.begin())
        return std::nullopt;
    QStringList columns{column(QStringLiteral("tp"), QStringLiteral("Score"))};
    for (int k = 0; k < kScaleCount; ++k)
        columns << column(QStringLiteral("tp"), normColumn(k, QLatin1Char('m')));
    for (int k = 0; k < kScaleCount; ++k)
        columns << column(QStringLiteral("tp"), normColumn(k, QLatin1Char('f')));
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    // A plain scan gives the table's own order, in which the first of a repeated Score wins.
    if (!file_.exec(q, QStringLiteral("SELECT %1 FROM %2")
                           .arg(columns.join(QStringLiteral(", ")), file_.table(QStringLiteral("tp")))))
        return std::nullopt;
    QList<NormRow> rows;
    while (q.next()) {
        NormRow row;
        row.score = textOf(q.value(0));
        for (int k = 0; k < kScaleCount; ++k) {
            row.male[static_cast<size_t>(k)] = textOf(q.value(1 + k));
            row.female[static_cast<size_t>(k)] = textOf(q.value(1 + kScaleCount + k));
        }
        rows.append(row);
    }
    if (q.lastError().isValid()) {
        file_.fail(q.lastError());
        return std::nullopt;
    }
    return rows;
}

std::optional<QList<ParagraphRow>> NormsDb::paragraphRows() {
    if (!file_.begin())
        return std::nullopt;
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    QStringList columns;
    for (const char* name : {"id", "Name", "1", "2", "3", "4"})
        columns << column(QStringLiteral("Taf"), QLatin1String(name));
    if (!file_.exec(q, QStringLiteral("SELECT %1 FROM %2")
                           .arg(columns.join(QStringLiteral(", ")), file_.table(QStringLiteral("Taf")))))
        return std::nullopt;
    QList<ParagraphRow> rows;
    while (q.next()) {
        ParagraphRow row;
        row.id = textOf(q.value(0));
        row.name = textOf(q.value(1));
        for (int c = 0; c < 4; ++c)
            row.paragraphs[static_cast<size_t>(c)] = textOf(q.value(2 + c));
        rows.append(row);
    }
    if (q.lastError().isValid()) {
        file_.fail(q.lastError());
        return std::nullopt;
    }
    return rows;
}

} // namespace hov
