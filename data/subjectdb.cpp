#include "data/subjectdb.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <algorithm>

namespace hov {

QString answerTableName(int table) {
    return QStringLiteral("Answer%1").arg(table + 1);
}

namespace {

// A null text binds as SQL NULL, any other text (also the empty one) as text.
QVariant bindable(const QString& text) {
    return text.isNull() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(text);
}

QString textOf(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

// The IDE columns of the registration data and the Subject field each one holds; the
// one list both the write and the read go by.
struct SubjectField {
    const char* column;
    QString Subject::*member;
};
constexpr SubjectField kSubjectFields[] = {
    {"Code", &Subject::code},      {"FName", &Subject::firstName}, {"LName", &Subject::lastName},
    {"Sen", &Subject::age},        {"Jens", &Subject::sex},        {"Taahol", &Subject::marital},
    {"Group", &Subject::group},    {"Tahsil", &Subject::education}, {"Date", &Subject::date},
    {"Time", &Subject::time}};

const QStringList& subjectColumns() {
    static const QStringList columns = [] {
        QStringList names;
        for (const SubjectField& field : kSubjectFields)
            names << QString::fromLatin1(field.column);
        return names;
    }();
    return columns;
}

QString quotedList(const QStringList& names) {
    QStringList out;
    out.reserve(names.size());
    for (const QString& name : names)
        out << quoted(name);
    return out.join(QStringLiteral(", "));
}

QString placeholders(qsizetype count) {
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

} // namespace

SubjectDb::SubjectDb(const AppFolder& folder) : file_(folder.subjectDatabase()) {}

bool SubjectDb::fail(const QSqlQuery& query) {
    file_.setError(query.lastError().text());
    return false;
}

int SubjectDb::subjectCount() {
    QSqlQuery q(file_.database());
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM \"IDE\"")) || !q.next())
        return fail(q), 0;
    return q.value(0).toInt();
}

int SubjectDb::answerRowCount(int table) {
    QSqlQuery q(file_.database());
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(quoted(answerTableName(table)))) ||
        !q.next())
        return fail(q), 0;
    return q.value(0).toInt();
}

std::optional<Subject> SubjectDb::findSubject(const QString& code) {
    QSqlQuery q(file_.database());
    q.prepare(QStringLiteral("SELECT %1 FROM \"IDE\" WHERE \"Code\" = ?")
                  .arg(quotedList(subjectColumns())));
    q.addBindValue(code);
    if (!q.exec())
        return fail(q), std::nullopt;
    if (!q.next())
        return std::nullopt;
    Subject s;
    int index = 0;
    for (const SubjectField& field : kSubjectFields)
        s.*field.member = textOf(q.value(index++));
    return s;
}

bool SubjectDb::codeExists(const QString& code) {
    QSqlQuery q(file_.database());
    q.prepare(QStringLiteral("SELECT 1 FROM \"IDE\" WHERE \"Code\" = ?"));
    q.addBindValue(code);
    if (!q.exec())
        return fail(q);
    return q.next();
}

std::optional<QString> SubjectDb::lastRegisteredCode() {
    QSqlQuery q(file_.database());
    if (!q.exec(QStringLiteral("SELECT \"Code\" FROM \"IDE\" ORDER BY \"ID\" DESC LIMIT 1")))
        return fail(q), std::nullopt;
    if (!q.next())
        return std::nullopt;
    return textOf(q.value(0));
}

bool SubjectDb::registerSubject(const Subject& subject) {
    QSqlDatabase db = file_.database();
    if (!db.transaction()) {
        file_.setError(db.lastError().text());
        return false;
    }
    auto abort = [&](const QSqlQuery& q) {
        file_.setError(q.lastError().text());
        db.rollback();
        return false;
    };
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO \"IDE\" (%1) VALUES (%2)")
                  .arg(quotedList(subjectColumns()), placeholders(subjectColumns().size())));
    for (const SubjectField& field : kSubjectFields)
        q.addBindValue(bindable(subject.*field.member));
    if (!q.exec())
        return abort(q);
    for (int table = 0; table < kAnswerTableCount; ++table) {
        // The code is new in IDE, so an answer row that carries it is left over from an
        // earlier subject; the new subject starts with no answers.
        QSqlQuery del(db);
        del.prepare(QStringLiteral("DELETE FROM %1 WHERE \"Code\" = ?")
                        .arg(quoted(answerTableName(table))));
        del.addBindValue(subject.code);
        if (!del.exec())
            return abort(del);
        QSqlQuery ins(db);
        ins.prepare(QStringLiteral("INSERT INTO %1 (\"Code\") VALUES (?)")
                        .arg(quoted(answerTableName(table))));
        ins.addBindValue(subject.code);
        if (!ins.exec())
            return abort(ins);
    }
    if (!db.commit()) {
        file_.setError(db.lastError().text());
        db.rollback();
        return false;
    }
    return true;
}

bool SubjectDb::hasAnswerRow(const QString& code, int table) {
    QSqlQuery q(file_.database());
    q.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE \"Code\" = ?")
                  .arg(quoted(answerTableName(table))));
    q.addBindValue(code);
    if (!q.exec())
        return fail(q);
    return q.next();
}

bool SubjectDb::ensureAnswerRows(const QString& code) {
    bool ok = true;
    for (int table = 0; table < kAnswerTableCount; ++table) {
        if (hasAnswerRow(code, table))
            continue;
        QSqlQuery q(file_.database());
        q.prepare(QStringLiteral("INSERT INTO %1 (\"Code\") VALUES (?)")
                      .arg(quoted(answerTableName(table))));
        q.addBindValue(code);
        if (!q.exec())
            ok = fail(q);
    }
    return ok;
}

AnswerSheet SubjectDb::loadAnswers(const QString& code, bool* ok) {
    AnswerSheet sheet;
    if (ok)
        *ok = true;
    for (int table = 0; table < kAnswerTableCount; ++table) {
        QSqlQuery q(file_.database());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT * FROM %1 WHERE \"Code\" = ?")
                      .arg(quoted(answerTableName(table))));
        q.addBindValue(code);
        if (!q.exec()) {
            fail(q);
            if (ok)
                *ok = false;
            continue;
        }
        if (!q.next()) {
            if (q.lastError().isValid()) {
                fail(q);
                if (ok)
                    *ok = false;
            }
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
    QList<int> items;
    items.reserve(kItemsPerTable);
    for (int item = firstItemOf(table); item < firstItemOf(table) + kItemsPerTable; ++item)
        items << item;
    return writeAnswerItems(code, table, items, sheet);
}

bool SubjectDb::writeAllAnswers(const QString& code, const AnswerSheet& sheet) {
    bool ok = true;
    for (int table = 0; table < kAnswerTableCount; ++table)
        ok = writeAnswerTable(code, table, sheet) && ok;
    return ok;
}

bool SubjectDb::writeAnswerItems(const QString& code, int table, const QList<int>& items,
                                 const AnswerSheet& sheet) {
    if (items.isEmpty())
        return true;
    QStringList sets;
    for (int item : items) {
        if (!isItem(item) || answerTableOf(item) != table) {
            file_.setError(QStringLiteral("سؤال %1 در %2 نيست").arg(item).arg(answerTableName(table)));
            return false;
        }
        sets << quoted(itemColumn(item)) + QStringLiteral(" = ?");
    }
    QSqlQuery q(file_.database());
    q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE \"Code\" = ?")
                  .arg(quoted(answerTableName(table)), sets.join(QStringLiteral(", "))));
    for (int item : items)
        q.addBindValue(bindable(sheet.at(item)));
    q.addBindValue(code);
    if (!q.exec())
        return fail(q);
    if (q.numRowsAffected() == 1)
        return true;
    file_.setError(QStringLiteral("رديف پاسخ %1 پيدا نشد").arg(answerTableName(table)));
    return false;
}

bool SubjectDb::storeColumns(const QString& code, const QList<QPair<QString, QString>>& columns) {
    if (columns.isEmpty())
        return true;
    QStringList sets;
    for (const auto& column : columns)
        sets << quoted(column.first) + QStringLiteral(" = ?");
    QSqlQuery q(file_.database());
    q.prepare(QStringLiteral("UPDATE \"IDE\" SET %1 WHERE \"Code\" = ?")
                  .arg(sets.join(QStringLiteral(", "))));
    for (const auto& column : columns)
        q.addBindValue(bindable(column.second));
    q.addBindValue(code);
    if (q.exec())
        return true;
    // One bad column (an older file without it, say) must not cost the others.
    bool ok = fail(q);
    if (columns.size() > 1)
        for (const auto& column : columns)
            storeColumns(code, {column});
    return ok;
}

QString SubjectDb::itemText(int item) {
    QSqlQuery q(file_.database());
    q.prepare(QStringLiteral("SELECT \"QU\" FROM \"QUS\" WHERE \"Code\" = ?"));
    q.addBindValue(QString::number(item));
    if (!q.exec())
        return fail(q), QString();
    return q.next() ? textOf(q.value(0)) : QString();
}

// ---- Stored interpretation (column Taf of the subject's IDE row) ----

SubjectDb::StoredInterpretation SubjectDb::loadInterpretation(const QString& code) {
    StoredInterpretation result;
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT \"Taf\" FROM \"IDE\" WHERE \"Code\" = ?"));
    q.addBindValue(code);
    if (!q.exec())
        return fail(q), result;
    if (!q.next()) {
        if (q.lastError().isValid())
            return fail(q), result;
        result.status = StoredInterpretation::Status::None;
        return result;
    }
    result.text = textOf(q.value(0));
    result.status = result.text.isEmpty() ? StoredInterpretation::Status::None
                                          : StoredInterpretation::Status::Stored;
    return result;
}

bool SubjectDb::storeInterpretation(const QString& code, const QString& text) {
    QSqlQuery q(file_.database());
    q.prepare(QStringLiteral("UPDATE \"IDE\" SET \"Taf\" = ? WHERE \"Code\" = ?"));
    // An empty editor stores an empty text, not "nothing".
    q.addBindValue(text.isNull() ? QString(QLatin1String("")) : text);
    q.addBindValue(code);
    if (!q.exec())
        return fail(q);
    if (q.numRowsAffected() < 1) {
        file_.setError(QStringLiteral("آزمودني با كد %1 در پرونده نيست").arg(code));
        return false;
    }
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
    return QStringLiteral("Code");
}

const QString kRosterSelect = QStringLiteral(
    "SELECT \"ID\", \"Code\", \"FName\", \"LName\", \"Group\" FROM \"IDE\"");

// The IDs of a large roster travel in batches of this many bound values.
constexpr qsizetype kIdBatch = 500;

} // namespace

std::optional<QList<qint64>> SubjectDb::rosterIds() {
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT \"ID\" FROM \"IDE\" ORDER BY \"ID\"")))
        return fail(q), std::nullopt;
    QList<qint64> ids;
    while (q.next())
        ids.append(q.value(0).toLongLong());
    if (q.lastError().isValid())
        return fail(q), std::nullopt;
    return ids;
}

std::optional<QList<qint64>> SubjectDb::rosterIdsWhere(RosterColumn column, const QString& text) {
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT \"ID\" FROM \"IDE\" WHERE %1 = ? ORDER BY \"ID\"")
                  .arg(quoted(rosterColumnName(column))));
    q.addBindValue(text);
    if (!q.exec())
        return fail(q), std::nullopt;
    QList<qint64> ids;
    while (q.next())
        ids.append(q.value(0).toLongLong());
    if (q.lastError().isValid())
        return fail(q), std::nullopt;
    return ids;
}

namespace {
bool readRosterRows(QSqlQuery& q, QList<SubjectDb::RosterRow>& rows) {
    while (q.next())
        rows.append({q.value(0).toLongLong(), textOf(q.value(1)), textOf(q.value(2)),
                     textOf(q.value(3)), textOf(q.value(4))});
    return !q.lastError().isValid();
}
} // namespace

std::optional<QList<SubjectDb::RosterRow>> SubjectDb::rosterRows(const QList<qint64>& ids) {
    QList<RosterRow> rows;
    rows.reserve(ids.size());
    for (qsizetype start = 0; start < ids.size(); start += kIdBatch) {
        const qsizetype count = std::min(kIdBatch, ids.size() - start);
        QSqlQuery q(file_.database());
        q.setForwardOnly(true);
        q.prepare(kRosterSelect + QStringLiteral(" WHERE \"ID\" IN (%1) ORDER BY \"ID\"")
                                      .arg(placeholders(count)));
        for (qsizetype i = start; i < start + count; ++i)
            q.addBindValue(ids[i]);
        if (!q.exec() || !readRosterRows(q, rows))
            return fail(q), std::nullopt;
    }
    return rows;
}

std::optional<QList<SubjectDb::RosterRow>> SubjectDb::rosterRows() {
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    QList<RosterRow> rows;
    if (!q.exec(kRosterSelect + QStringLiteral(" ORDER BY \"ID\"")) || !readRosterRows(q, rows))
        return fail(q), std::nullopt;
    return rows;
}

std::optional<QStringList> SubjectDb::rosterValues(RosterColumn column) {
    const QString name = quoted(rosterColumnName(column));
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT DISTINCT %1 FROM \"IDE\" WHERE %1 <> '' ORDER BY %1")
                    .arg(name)))
        return fail(q), std::nullopt;
    QStringList values;
    while (q.next())
        values << textOf(q.value(0));
    if (q.lastError().isValid())
        return fail(q), std::nullopt;
    return values;
}

SubjectDb::Lookup SubjectDb::lookUpCode(const QString& code) {
    QSqlQuery q(file_.database());
    q.prepare(QStringLiteral("SELECT 1 FROM \"IDE\" WHERE \"Code\" = ?"));
    q.addBindValue(code);
    if (!q.exec())
        return fail(q), Lookup::Failed;
    if (q.next())
        return Lookup::Found;
    if (q.lastError().isValid())
        return fail(q), Lookup::Failed;
    return Lookup::NotFound;
}

SubjectDb::Deletion SubjectDb::deleteSubject(const QString& code) {
    QSqlDatabase db = file_.database();
    if (!db.transaction()) {
        file_.setError(db.lastError().text());
        return Deletion::Failed;
    }
    const QStringList tables{QStringLiteral("IDE"), answerTableName(0), answerTableName(1),
                             answerTableName(2)};
    for (const QString& table : tables) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("DELETE FROM %1 WHERE \"Code\" = ?").arg(quoted(table)));
        q.addBindValue(code);
        if (!q.exec()) {
            fail(q);
            db.rollback();
            return Deletion::Failed;
        }
        if (table == tables.first() && q.numRowsAffected() == 0) {
            db.rollback();
            return Deletion::NotFound;
        }
    }
    if (!db.commit()) {
        file_.setError(db.lastError().text());
        db.rollback();
        return Deletion::Failed;
    }
    return Deletion::Deleted;
}

std::optional<QString> SubjectDb::readItemText(int item) {
    QSqlQuery q(file_.database());
    q.prepare(QStringLiteral("SELECT \"QU\" FROM \"QUS\" WHERE \"Code\" = ?"));
    q.addBindValue(QString::number(item));
    if (!q.exec())
        return fail(q), std::nullopt;
    if (q.next())
        return textOf(q.value(0));
    if (q.lastError().isValid())
        return fail(q), std::nullopt;
    return QString();
}

bool SubjectDb::storeItemText(int item, const QString& text) {
    if (!isItem(item)) {
        file_.setError(QStringLiteral("سؤالي با شماره %1 وجود ندارد").arg(item));
        return false;
    }
    QSqlQuery q(file_.database());
    q.prepare(QStringLiteral("UPDATE \"QUS\" SET \"QU\" = ? WHERE \"Code\" = ?"));
    q.addBindValue(text);
    q.addBindValue(QString::number(item));
    if (!q.exec())
        return fail(q);
    if (q.numRowsAffected() > 0)
        return true;
    QSqlQuery add(file_.database());
    add.prepare(QStringLiteral("INSERT INTO \"QUS\" (\"Code\", \"QU\") VALUES (?, ?)"));
    add.addBindValue(QString::number(item));
    add.addBindValue(text);
    return add.exec() || fail(add);
}

std::optional<QList<SubjectDb::SubjectScores>> SubjectDb::allSubjectScores() {
    // The raw score columns in scale order; the scale Ie has always been kept in Le.
    static const QStringList scoreColumns{
        QStringLiteral("Do"), QStringLiteral("Cs"), QStringLiteral("Sy"), QStringLiteral("Sp"),
        QStringLiteral("Sa"), QStringLiteral("Wb"), QStringLiteral("Re"), QStringLiteral("So"),
        QStringLiteral("Sc"), QStringLiteral("To"), QStringLiteral("Gi"), QStringLiteral("Cm"),
        QStringLiteral("Ac"), QStringLiteral("Ai"), QStringLiteral("Le"), QStringLiteral("Py"),
        QStringLiteral("Fx"), QStringLiteral("Fe")};
    static_assert(std::tuple_size_v<decltype(SubjectScores::raw)> == 18);
    QSqlQuery q(file_.database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT %1, %2 FROM \"IDE\" ORDER BY \"ID\"")
                    .arg(quotedList(subjectColumns()), quotedList(scoreColumns))))
        return fail(q), std::nullopt;
    QList<SubjectScores> rows;
    const int first = static_cast<int>(subjectColumns().size());
    while (q.next()) {
        SubjectScores row;
        int index = 0;
        for (const SubjectField& field : kSubjectFields)
            row.subject.*field.member = textOf(q.value(index++));
        for (int s = 0; s < 18; ++s)
            row.raw[static_cast<size_t>(s)] = textOf(q.value(first + s));
        rows.append(row);
    }
    if (q.lastError().isValid())
        return fail(q), std::nullopt;
    return rows;
}

} // namespace hov
