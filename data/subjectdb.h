#pragma once

#include "data/appfolder.h"
#include "data/databasefile.h"
#include "data/result.h"
#include "data/subject.h"
#include "scoring/scales.h"

#include <QList>
#include <QStringList>
#include <QVariantList>
#include <array>
#include <optional>

namespace hov {

// A subject as a window opens it: the IDE row and the three answer rows.
struct OpenedSubject {
    Subject subject;
    AnswerSheet answers;
};

// The subject database HOVDB.mdb: subjects (IDE), their answers (Answer1-3) and the
// item texts (QUS). Every call reads or writes the file itself, so what another window
// wrote is always seen. Codes are compared exactly as typed ("7" and "07" differ).
//
// Errors: every call starts by clearing the last failure. A call that fails leaves
// lastFailure() set (and returns false, nullopt, Lookup::Failed or a failed Result);
// a read that failed is never reported as "not there". Show it with
// describe(lastFailure()) (= lastError()) and lastFailure().detail as the details.
class SubjectDb {
public:
    explicit SubjectDb(const AppFolder& folder);

    // The tables the file must hold; a file without one of them does not open.
    static const QStringList& tables();

    bool isOpen() const { return file_.isOpen(); }
    const QString& path() const { return file_.path(); }
    const StoreFailure& lastFailure() const { return file_.lastFailure(); }
    // The last call's failure in Persian (describe()); empty when it succeeded.
    QString lastError() const { return describe(file_.lastFailure()); }

    // nullopt when the count could not be read.
    std::optional<int> subjectCount();
    std::optional<int> answerRowCount(int table);
    Result<Subject> findSubject(const QString& code);
    Lookup codeExists(const QString& code);
    // The code of the subject registered last (highest ID); NotFound with no subject.
    Result<QString> lastRegisteredCode();
    // The code the registration proposes: one more than the number the last registered
    // code starts with (a code without one counts as 0), then the first such number not in
    // use. NotFound with no subject registered.
    Result<QString> proposeCode();

    // The one way a window opens a subject: the IDE row and the answers. With
    // MissingRows::Add the answer rows the subject lacks are added first (one
    // transaction); with MissingRows::Refuse a missing row fails the call.
    enum class MissingRows { Add, Refuse };
    Result<OpenedSubject> openSubject(const QString& code, MissingRows rows = MissingRows::Add);

    // Writes the IDE row and an empty row in each answer table in one transaction:
    // afterwards either all four rows exist or none does.
    bool registerSubject(const Subject& subject);
    // Sets the changed registration fields of one subject, in one statement. Both this and
    // storeRawScores() fail when no subject has that code.
    bool updateSubject(const QString& code, const SubjectChanges& changes);
    // Stores the 18 raw scores (scale order) in the subject's row, as scoreText() writes
    // them. A column the file lacks does not cost the others (false all the same).
    bool storeRawScores(const QString& code, const std::array<int, kScaleCount>& scores);

    // Adds, with only Code set, each answer row the subject lacks, in one transaction;
    // existing rows keep their answers.
    bool ensureAnswerRows(const QString& code);
    Lookup hasAnswerRow(const QString& code, int table);

    // Missing rows read as all unanswered. A failed read leaves *ok false (when given), so a
    // caller can tell "no answers" from "answers could not be read".
    AnswerSheet loadAnswers(const QString& code, bool* ok = nullptr);
    // Writes the 160 columns of one answer table from the sheet.
    bool writeAnswerTable(const QString& code, int table, const AnswerSheet& sheet);
    // The three answer tables, in one transaction.
    bool writeAllAnswers(const QString& code, const AnswerSheet& sheet);
    // Writes only the given items' columns of one answer table from the sheet; the
    // items must lie in that table. The other columns of the row stay as they are.
    bool writeAnswerItems(const QString& code, int table, const QList<int>& items,
                          const AnswerSheet& sheet);

    // ---- Stored interpretation (column Taf of the subject's IDE row) ----
    // What reading a subject's stored interpretation found.
    struct StoredInterpretation {
        enum class Status { Stored, None, Failed };
        Status status = Status::Failed;
        QString text; // exactly as stored; empty unless Stored
    };
    // None: no text stored yet (or no row with that code); Failed: the file could not be
    // read (reason in lastError()).
    StoredInterpretation loadInterpretation(const QString& code);
    // Replaces the subject's stored interpretation with the text, exactly as given. False,
    // with the reason in lastError(), when the write failed or no row has that code.
    bool storeInterpretation(const QString& code, const QString& text);

    // ---- Roster, item texts and score export ----------------------------------------
    // Each tells a failed read or write (with the reason in lastError()) from "none".

    // One grid row of the roster; id is the row's ID, its place in registration order.
    struct RosterRow {
        qint64 id = 0;
        QString code;
        QString firstName; // FName
        QString lastName;  // LName
        QString group;     // Group
    };
    enum class RosterColumn { Code, FirstName, LastName, Group };
    // The IDs of every subject, or of those whose column equals the text exactly, in
    // registration order; nullopt when IDE could not be read.
    std::optional<QList<qint64>> rosterIds();
    std::optional<QList<qint64>> rosterIdsWhere(RosterColumn column, const QString& text);
    // The rows with these IDs (in registration order), or every row.
    std::optional<QList<RosterRow>> rosterRows(const QList<qint64>& ids);
    std::optional<QList<RosterRow>> rosterRows();
    // The distinct non-empty values of a column, sorted.
    std::optional<QStringList> rosterValues(RosterColumn column);

    // Deletes the IDE row and the three answer rows of one code in one transaction: all
    // go, or none. A missing answer row is no obstacle. NotFound when IDE has no such code.
    enum class Deletion { Deleted, NotFound, Failed };
    Deletion deleteSubject(const QString& code);

    // The wording of an item; an empty text for a number without a row; nullopt when QUS
    // could not be read.
    std::optional<QString> readItemText(int item);
    // Rewrites the wording of item 1 to 480 (the row is added when it is missing); any
    // other number is refused.
    bool storeItemText(int item, const QString& text);

    // A subject's registration data and the raw scores of the last scoring, in scale
    // order (empty texts where the subject was never scored).
    struct SubjectScores {
        Subject subject;
        std::array<QString, kScaleCount> raw;
    };
    // Every subject, in the order they were registered; nullopt when IDE could not be read.
    std::optional<QList<SubjectScores>> allSubjectScores();

private:
    std::optional<QList<qint64>> readIds(const QString& sql, const QVariantList& values = {});
    std::optional<QList<RosterRow>> readRosterRows(const QString& where, const QVariantList& values);
    std::optional<int> count(const QString& table);
    Lookup hasRow(const QString& table, const QString& code);
    bool addMissingRows(const QString& code);
    bool writeItems(const QString& code, int table, const QList<int>& items,
                    const AnswerSheet& sheet);
    bool setColumns(const QString& code, const QStringList& columns, const QStringList& values);
    AnswerSheet readAnswers(const QString& code, bool* ok);
    DatabaseFile file_;
};

} // namespace hov
