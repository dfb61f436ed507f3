#include "data/subjectdb.h"

#include "data/bidi.h"
#include "scoring/rawscores.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <algorithm>

#include <cmath>

namespace hov {

QString answerTableName(int table) {
    return QStringLiteral("Answer%1").arg(table + 1);
}

namespace {

const QString kIde = QStringLiteral("IDE");
const QString kCode = QStringLiteral("Code");

// A null text binds as SQL NULL, any other text (also the empty one) as text.
QVariant bindable(const QString& text) {
    return text.isNull() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(text);
}

QString textOf(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

// The IDE columns of the registration data and the Subject field each one holds; the
// one list both the write and the read go by.
struct SubjectColumn {
    const char* column;
    QString Subject::*member;
};
constexpr SubjectColumn kSubjectColumns[] = {
    {"Code", &Subject::code},      {"FName", &Subject::firstName}, {"LName", &Subject::lastName},
    {"Sen", &Subject::age},        {"Jens", &Subject::sex},        {"Taahol", &Subject::marital},
    {"Group", &Subject::group},    {"Tahsil", &Subject::education}, {"Date", &Subject::date},
    {"Time", &Subject::time}};

QString columnOf(SubjectField field) {
    switch (field) {
    case SubjectField::FirstName: return QStringLiteral("FName");
    case SubjectField::LastName: return QStringLiteral("LName");
    case SubjectField::Age: return QStringLiteral("Sen");
    case SubjectField::Sex: return QStringLiteral("Jens");
    case SubjectField::Marital: return QStringLiteral("Taahol");
    case SubjectField::Group: return QStringLiteral("Group");
    case SubjectField::Education: return QStringLiteral("Tahsil");
    case SubjectField::Date: return QStringLiteral("Date");
    case SubjectField::Time: return QStringLiteral("Time");
    }
    return QString();
}

// The IDE column of a scale's raw score: the scale's code, but for Ie, whose column the
// subject table has always called Le.
QString rawScoreColumn(int scale) {
    const QString code = QLatin1String(scales()[static_cast<size_t>(scale)].code);
    return code == QLatin1String("Ie") ? QStringLiteral("Le") : code;
}

QString placeholders(qsizetype count) {
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

} // namespace

SubjectDb::SubjectDb(const AppFolder& folder) : file_(folder.subjectDatabase(), tables()) {}

const QStringList& SubjectDb::tables() {
    static const QStringList names{kIde, answerTableName(0), answerTableName(1),
                                   answerTableName(2), QStringLiteral("QUS")};
    return names;
}

std::optional<int> SubjectDb::count(const QString& table) {
    QSqlQuery q(file_.database());
    if (!file_.exec(q, QStringLiteral("SELECT COUNT(*) FROM %1").arg(file_.table(table))))
        return std::nullopt;
    if (!q.next()) {
        file_.fail(q.lastError());
        return std::nullopt;
    }
    return q.value(0).toInt();
}

std::optional<int> SubjectDb::subjectCount() {
    if (!file_.begin())
        return std::nullopt;
    return count(kIde);
}

std::optional<int> SubjectDb::answerRowCount(int table) {
    if (!file_.begin())
        return std::nullopt;
    return count(answerTableName(table));
}

Result<Subject> SubjectDb::findSubject(const QString& code) {
    if (!file_.begin())
        return Result<Subject>::failed(lastFailure());
    QStringList columns;
    for (const SubjectColumn& c : kSubjectColumns)
        columns << file_.column(QLatin1String(c.column));
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    if (!file_.exec(q, QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                           .arg(columns.join(QStringLiteral(", ")), file_.table(kIde), file_.column(kCode)),
                    {code}))
        return Result<Subject>::failed(lastFailure());
    if (!q.next()) {
        if (q.lastError().isValid()) {
            file_.fail(q.lastError());
            return Result<Subject>::failed(lastFailure());
        }
        return Result<Subject>::notFound();
    }
    Subject s;
    int index = 0;
    for (const SubjectColumn& c : kSubjectColumns)
        s.*c.member = textOf(q.value(index++));
    return Result<Subject>::found(s);
}

Lookup SubjectDb::hasRow(const QString& table, const QString& code) {
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    if (!file_.exec(q, QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?")
                           .arg(file_.table(table), file_.column(kCode)),
                    {code}))
        return Lookup::Failed;
    if (q.next())
        return Lookup::Found;
    if (q.lastError().isValid()) {
        file_.fail(q.lastError());
        return Lookup::Failed;
    }
    return Lookup::NotFound;
}

Lookup SubjectDb::codeExists(const QString& code) {
    if (!file_.begin())
        return Lookup::Failed;
    return hasRow(kIde, code);
}

Lookup SubjectDb::hasAnswerRow(const QString& code, int table) {
    if (!file_.begin())
        return Lookup::Failed;
    return hasRow(answerTableName(table), code);
}

Result<QString> SubjectDb::lastRegisteredCode() {
    if (!file_.begin())
        return Result<QString>::failed(lastFailure());
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    if (!file_.exec(q, QStringLiteral("SELECT %1 FROM %2 ORDER BY %3 DESC LIMIT 1")
                           .arg(file_.column(kCode), file_.table(kIde), file_.column(QStringLiteral("ID")))))
        return Result<QString>::failed(lastFailure());
    if (!q.next()) {
        if (q.lastError().isValid()) {
            file_.fail(q.lastError());
            return Result<QString>::failed(lastFailure());
        }
        return Result<QString>::notFound();
    }
    return Result<QString>::found(textOf(q.value(0)));
}

Result<QString> SubjectDb::proposeCode() {
    const Result<QString> last = lastRegisteredCode();
    if (!last.isFound())
        return last;
    // A code that does not start with a number counts as 0; fractions and signs are
    // dropped so the proposal is always a plain positive number.
    const double value = leadingNumber(*last);
    qint64 p = value >= 0 && value < 1e15 ? static_cast<qint64>(std::floor(value)) + 1 : 1;
    for (;; ++p) {
        const QString code = QString::number(p);
        switch (hasRow(kIde, code)) {
        case Lookup::Found: continue;
        case Lookup::NotFound: return Result<QString>::found(code);
        case Lookup::Failed: return Result<QString>::failed(lastFailure());
        }
    }
}

Result<OpenedSubject> SubjectDb::openSubject(const QString& code, MissingRows rows) {
    const Result<Subject> subject = findSubject(code);
    if (!subject.isFound())
        return subject.isFailed() ? Result<OpenedSubject>::failed(subject.failure())
                                  : Result<OpenedSubject>::notFound();
    if (rows == MissingRows::Add) {
        if (!file_.inTransaction([&] { return addMissingRows(code); }))
            return Result<OpenedSubject>::failed(lastFailure());
    } else {
        // A window that stands on the three rows: a write to a row that is not there
        // would store nothing.
        for (int table = 0; table < kAnswerTableCount; ++table) {
            const Lookup row = hasRow(answerTableName(table), code);
            if (row == Lookup::NotFound)
                file_.fail(StoreFailure::Kind::Other,
                           QStringLiteral("رديف پاسخ %1 پيدا نشد").arg(isolated(answerTableName(table))));
            if (row != Lookup::Found)
                return Result<OpenedSubject>::failed(lastFailure());
        }
    }
    bool ok = false;
    AnswerSheet answers = readAnswers(code, &ok);
    if (!ok)
        return Result<OpenedSubject>::failed(lastFailure());
    return Result<OpenedSubject>::found({*subject, answers});
}

bool SubjectDb::registerSubject(const Subject& subject) {
    if (!file_.begin())
        return false;
    return file_.inTransaction([&] {
        QStringList columns;
        for (const SubjectColumn& c : kSubjectColumns)
            columns << file_.column(QLatin1String(c.column));
        QVariantList values;
        for (const SubjectColumn& c : kSubjectColumns)
            values << bindable(subject.*c.member);
        QSqlQuery q(file_.database());
        if (!file_.exec(q, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(file_.table(kIde), columns.join(QStringLiteral(", ")),
                                    placeholders(columns.size())),
                        values))
            return false;
        for (int table = 0; table < kAnswerTableCount; ++table) {
            // The code is new in IDE, so an answer row that carries it is left over from an
            // earlier subject; the new subject starts with no answers.
            QSqlQuery del(file_.database());
            if (!file_.exec(del, QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                                     .arg(file_.table(answerTableName(table)), file_.column(kCode)),
                            {subject.code}))
                return false;
            QSqlQuery ins(file_.database());
            if (!file_.exec(ins, QStringLiteral("INSERT INTO %1 (%2) VALUES (?)")
                                     .arg(file_.table(answerTableName(table)), file_.column(kCode)),
                            {subject.code}))
                return false;
        }
        return true;
    });
}

bool SubjectDb::setColumns(const QString& code, const QStringList& columns,
                           const QStringList& values) {
    QStringList sets;
    for (const QString& column : columns)
        sets << file_.column(column) + QStringLiteral(" = ?");
    QVariantList binds;
    for (const QString& value : values)
        binds << bindable(value);
    binds << code;
    QSqlQuery q(file_.database());
    if (!file_.exec(q, QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                           .arg(file_.table(kIde), sets.join(QStringLiteral(", ")), file_.column(kCode)),
                    binds))
        return false;
    // A subject deleted meanwhile (in another window, say) took nothing: not a success.
    if (q.numRowsAffected() < 1)
        return file_.fail(StoreFailure::Kind::Other,
                          QStringLiteral("آزمودني با كد %1 در پرونده نيست").arg(isolated(code)));
    return true;
}

bool SubjectDb::updateSubject(const QString& code, const SubjectChanges& changes) {
    if (!file_.begin())
        return false;
    if (changes.isEmpty())
        return true;
    QStringList columns;
    QStringList values;
    for (const auto& change : changes) {
        columns << columnOf(change.first);
        values << change.second;
    }
    return setColumns(code, columns, values);
}

bool SubjectDb::storeRawScores(const QString& code, const std::array<int, kScaleCount>& scores) {
    if (!file_.begin())
        return false;
    QStringList columns;
    QStringList values;
    for (int i = 0; i < kScaleCount; ++i) {
        columns << rawScoreColumn(i);
        values << scoreText(scores[static_cast<size_t>(i)]);
    }
    if (setColumns(code, columns, values))
        return true;
    // One bad column (an older file without it, say) must not cost the others; the
    // first failure is the one reported.
    const StoreFailure first = lastFailure();
    for (int i = 0; i < kScaleCount; ++i)
        setColumns(code, {columns[i]}, {values[i]});
    return file_.fail(first);
}

bool SubjectDb::addMissingRows(const QString& code) {
    for (int table = 0; table < kAnswerTableCount; ++table) {
        const Lookup row = hasRow(answerTableName(table), code);
        if (row == Lookup::Failed)
            return false;
        if (row == Lookup::Found)
            continue;
        QSqlQuery q(file_.database());
        if (!file_.exec(q, QStringLiteral("INSERT INTO %1 (%2) VALUES (?)")
                               .arg(file_.table(answerTableName(table)), file_.column(kCode)),
                        {code}))
            return false;
    }
    return true;
}

bool SubjectDb::ensureAnswerRows(const QString& code) {
    if (!file_.begin())
        return false;
    return file_.inTransaction([&] { return addMissingRows(code); });
}

AnswerSheet SubjectDb::loadAnswers(const QString& code, bool* ok) {
    bool read = false;
    AnswerSheet sheet;
    if (file_.begin())
        sheet = readAnswers(code, &read);
    if (ok)
        *ok = read;
    return sheet;
}

AnswerSheet SubjectDb::readAnswers(const QString& code, bool* ok) {
    AnswerSheet sheet;
    *ok = true;
    for (int table = 0; table < kAnswerTableCount; ++table) {
        QSqlQuery q(file_.database());
        q.setForwardOnly(true);
        if (!file_.exec(q, QStringLiteral("SELECT * FROM %1 WHERE %2 = ?")
                               .arg(file_.table(answerTableName(table)), file_.column(kCode)),
                        {code})) {
            *ok = false;
            continue;
        }
        if (!q.next()) {
            if (q.lastError().isValid())
                *ok = file_.fail(q.lastError());
            continue;
        }
        const QSqlRecord record = q.record();
        const int first = firstItemOf(table);
        for (int item = first; item < first + kItemsPerTable; ++item) {
            const int index = record.indexOf(itemColumn(item));
            if (index >= 0)
                sheet.set(item, textOf(q.value(index)));
        }
    }
    return sheet;
}

bool SubjectDb::writeAnswerTable(const QString& code, int table, const AnswerSheet& sheet) {
    if (!file_.begin())
        return false;
    QList<int> items;
    items.reserve(kItemsPerTable);
    for (int item = firstItemOf(table); item < firstItemOf(table) + kItemsPerTable; ++item)
        items << item;
    return writeItems(code, table, items, sheet);
}

bool SubjectDb::writeAllAnswers(const QString& code, const AnswerSheet& sheet) {
    if (!file_.begin())
        return false;
    return file_.inTransaction([&] {
        for (int table = 0; table < kAnswerTableCount; ++table) {
            QList<int> items;
            items.reserve(kItemsPerTable);
            for (int item = firstItemOf(table); item < firstItemOf(table) + kItemsPerTable; ++item)
                items << item;
            if (!writeItems(code, table, items, sheet))
                return false;
        }
        return true;
    });
}

bool SubjectDb::writeAnswerItems(const QString& code, int table, const QList<int>& items,
                                 const AnswerSheet& sheet) {
    if (!file_.begin())
        return false;
    return writeItems(code, table, items, sheet);
}

bool SubjectDb::writeItems(const QString& code, int table, const QList<int>& items,
                           const AnswerSheet& sheet) {
    if (items.isEmpty())
        return true;
    QStringList sets;
    for (int item : items) {
        if (!isItem(item) || answerTableOf(item) != table)
            return file_.fail(StoreFailure::Kind::Other, QStringLiteral("سؤال %1 در %2 نيست")
                                                             .arg(item)
                                                             .arg(isolated(answerTableName(table))));
        sets << file_.column(itemColumn(item)) + QStringLiteral(" = ?");
    }
    QVariantList binds;
    binds.reserve(items.size() + 1);
    for (int item : items)
        binds << bindable(sheet.at(item));
    binds << code;
    QSqlQuery q(file_.database());
    if (!file_.exec(q, QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                           .arg(file_.table(answerTableName(table)), sets.join(QStringLiteral(", ")),
                                file_.column(kCode)),
                    binds))
        return false;
    if (q.numRowsAffected() == 1)
        return true;
    return file_.fail(StoreFailure::Kind::Other,
                      QStringLiteral("رديف پاسخ %1 پيدا نشد").arg(isolated(answerTableName(table))));
}

// ---- Stored interpretation (column Taf of the subject's IDE row) ----

SubjectDb::StoredInterpretation SubjectDb::loadInterpretation(const QString& code) {
    StoredInterpretation result;
    if (!file_.begin())
        return result;
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    // Named with its table: a lone "Taf" that is not a column would read as the text 'Taf'.
    const QString ide = file_.table(kIde);
    if (!file_.exec(q, QStringLiteral("SELECT %1.%2 FROM %1 WHERE %1.%3 = ?")
                           .arg(ide, file_.column(QStringLiteral("Taf")), file_.column(kCode)),
                    {code}))
        return result;
    if (!q.next()) {
        if (q.lastError().isValid()) {
            file_.fail(q.lastError());
            return result;
        }
        result.status = StoredInterpretation::Status::None;
        return result;
    }
    result.text = textOf(q.value(0));
    result.status = result.text.isEmpty() ? StoredInterpretation::Status::None
                                          : StoredInterpretation::Status::Stored;
    return result;
}

bool SubjectDb::storeInterpretation(const QString& code, const QString& text) {
    if (!file_.begin())
        return false;
    QSqlQuery q(file_.database());
    // An empty editor stores an empty text, not "nothing".
    if (!file_.exec(q, QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                           .arg(file_.table(kIde), file_.column(QStringLiteral("Taf")), file_.column(kCode)),
                    {text.isNull() ? QString(QLatin1String("")) : text, code}))
        return false;
    if (q.numRowsAffected() < 1)
        return file_.fail(StoreFailure::Kind::Other,
                          QStringLiteral("آزمودني با كد %1 در پرونده نيست").arg(isolated(code)));
    return true;
}

// ---- Roster, item texts and score export --------------------------------------------

namespace {

QString rosterColumnName(SubjectDb::RosterColumn column) {
    switch (column) {
    case SubjectDb::RosterColumn::FirstName: return QStringLiteral("FName");
    case SubjectDb::RosterColumn::LastName: return QStringLiteral("LName");
    case SubjectDb::RosterColumn::Group: return QStringLiteral("Group");
    case SubjectDb::RosterColumn::Code: break;
    }
    return kCode;
}

// The IDs of a large roster travel in batches of this many bound values.
constexpr qsizetype kIdBatch = 500;

} // namespace

std::optional<QList<qint64>> SubjectDb::readIds(const QString& sql, const QVariantList& values) {
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    if (!file_.exec(q, sql, values))
        return std::nullopt;
    QList<qint64> ids;
    while (q.next())
        ids.append(q.value(0).toLongLong());
    if (q.lastError().isValid()) {
        file_.fail(q.lastError());
        return std::nullopt;
    }
    return ids;
}

std::optional<QList<qint64>> SubjectDb::rosterIds() {
    if (!file_.begin())
        return std::nullopt;
    const QString id = file_.column(QStringLiteral("ID"));
    return readIds(QStringLiteral("SELECT %1 FROM %2 ORDER BY %1").arg(id, file_.table(kIde)));
}

std::optional<QList<qint64>> SubjectDb::rosterIdsWhere(RosterColumn column, const QString& text) {
    if (!file_.begin())
        return std::nullopt;
    const QString id = file_.column(QStringLiteral("ID"));
    return readIds(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? ORDER BY %1")
                       .arg(id, file_.table(kIde), file_.column(rosterColumnName(column))),
                   {text});
}

std::optional<QList<SubjectDb::RosterRow>> SubjectDb::readRosterRows(const QString& where,
                                                                      const QVariantList& values) {
    const QString id = file_.column(QStringLiteral("ID"));
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    if (!file_.exec(q,
                    QStringLiteral("SELECT %1, %2, %3, %4, %5 FROM %6 %7 ORDER BY %1")
                        .arg(id, file_.column(kCode), file_.column(QStringLiteral("FName")),
                             file_.column(QStringLiteral("LName")),
                             file_.column(QStringLiteral("Group")), file_.table(kIde), where),
                    values))
        return std::nullopt;
    QList<RosterRow> rows;
    while (q.next())
        rows.append({q.value(0).toLongLong(), textOf(q.value(1)), textOf(q.value(2)),
                     textOf(q.value(3)), textOf(q.value(4))});
    if (q.lastError().isValid()) {
        file_.fail(q.lastError());
        return std::nullopt;
    }
    return rows;
}

std::optional<QList<SubjectDb::RosterRow>> SubjectDb::rosterRows(const QList<qint64>& ids) {
    if (!file_.begin())
        return std::nullopt;
    QList<RosterRow> rows;
    rows.reserve(ids.size());
    for (qsizetype start = 0; start < ids.size(); start += kIdBatch) {
        const qsizetype count = std::min(kIdBatch, ids.size() - start);
        QVariantList values;
        values.reserve(count);
        for (qsizetype i = start; i < start + count; ++i)
            values << ids[i];
        const auto batch = readRosterRows(
            QStringLiteral("WHERE %1 IN (%2)")
                .arg(file_.column(QStringLiteral("ID")), placeholders(count)),
            values);
        if (!batch)
            return std::nullopt;
        rows += *batch;
    }
    return rows;
}

std::optional<QList<SubjectDb::RosterRow>> SubjectDb::rosterRows() {
    if (!file_.begin())
        return std::nullopt;
    return readRosterRows(QString(), {});
}

std::optional<QStringList> SubjectDb::rosterValues(RosterColumn column) {
    if (!file_.begin())
        return std::nullopt;
    const QString name = file_.column(rosterColumnName(column));
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    if (!file_.exec(q, QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %1 <> '' ORDER BY %1")
                           .arg(name, file_.table(kIde))))
        return std::nullopt;
    QStringList values;
    while (q.next())
        values << textOf(q.value(0));
    if (q.lastError().isValid()) {
        file_.fail(q.lastError());
        return std::nullopt;
    }
    return values;
}

SubjectDb::Deletion SubjectDb::deleteSubject(const QString& code) {
    if (!file_.begin())
        return Deletion::Failed;
    bool found = true;
    const bool ok = file_.inTransaction([&] {
        QStringList tables{kIde};
        for (int table = 0; table < kAnswerTableCount; ++table)
            tables << answerTableName(table);
        for (const QString& table : tables) {
            QSqlQuery q(file_.database());
            if (!file_.exec(q, QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                                   .arg(file_.table(table), file_.column(kCode)),
                            {code}))
                return false;
            // Nothing to delete without the IDE row; an answer row may be missing.
            if (table == kIde && q.numRowsAffected() == 0) {
                found = false;
                return false;
            }
        }
        return true;
    });
    if (ok)
        return Deletion::Deleted;
    return found ? Deletion::Failed : Deletion::NotFound;
}

std::optional<QString> SubjectDb::readItemText(int item) {
    if (!file_.begin())
        return std::nullopt;
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    if (!file_.exec(q, QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                           .arg(file_.column(QStringLiteral("QU")),
                                file_.table(QStringLiteral("QUS")), file_.column(kCode)),
                    {QString::number(item)}))
        return std::nullopt;
    if (q.next())
        return textOf(q.value(0));
    if (q.lastError().isValid()) {
        file_.fail(q.lastError());
        return std::nullopt;
    }
    return QString();
}

bool SubjectDb::storeItemText(int item, const QString& text) {
    if (!file_.begin())
        return false;
    if (!isItem(item))
        return file_.fail(StoreFailure::Kind::Other,
                          QStringLiteral("سؤالي با شماره %1 وجود ندارد").arg(item));
    const QString qus = file_.table(QStringLiteral("QUS"));
    const QString qu = file_.column(QStringLiteral("QU"));
    const QString number = QString::number(item);
    return file_.inTransaction([&] {
        QSqlQuery q(file_.database());
        if (!file_.exec(q, QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                               .arg(qus, qu, file_.column(kCode)),
                        {text, number}))
            return false;
        if (q.numRowsAffected() > 0)
            return true;
        QSqlQuery add(file_.database());
        return file_.exec(add, QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                                   .arg(qus, file_.column(kCode), qu),
                          {number, text});
    });
}

std::optional<QList<SubjectDb::SubjectScores>> SubjectDb::allSubjectScores() {
    if (!file_.begin())
        return std::nullopt;
    QStringList columns;
    for (const SubjectColumn& c : kSubjectColumns)
        columns << file_.column(QLatin1String(c.column));
    for (int scale = 0; scale < kScaleCount; ++scale)
        columns << file_.column(rawScoreColumn(scale));
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    if (!file_.exec(q, QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                           .arg(columns.join(QStringLiteral(", ")), file_.table(kIde),
                                file_.column(QStringLiteral("ID")))))
        return std::nullopt;
    QList<SubjectScores> rows;
    const int first = static_cast<int>(std::size(kSubjectColumns));
    while (q.next()) {
        SubjectScores row;
        int index = 0;
        for (const SubjectColumn& c : kSubjectColumns)
            row.subject.*c.member = textOf(q.value(index++));
        for (int scale = 0; scale < kScaleCount; ++scale)
            row.raw[static_cast<size_t>(scale)] = textOf(q.value(first + scale));
        rows.append(row);
    }
    if (q.lastError().isValid()) {
        file_.fail(q.lastError());
        return std::nullopt;
    }
    return rows;
}

} // namespace hov
