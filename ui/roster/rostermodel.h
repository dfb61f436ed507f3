#pragma once

#include "data/subjectdb.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

namespace hov {

// The roster's rows for the grid. The model holds the IDs of the rows shown and reads a
// row's texts only when the grid asks for it, a page at a time, so a roster of any length
// opens at once; a search reads every row once and keeps them.
class RosterModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CodeColumn, FirstNameColumn, LastNameColumn, GroupColumn, ColumnCount };
    // Reads the rows of some IDs; nullopt when they could not be read.
    using Fetch =
        std::function<std::optional<QList<SubjectDb::RosterRow>>(const QList<qint64>& ids)>;

    explicit RosterModel(Fetch fetch, QObject* parent = nullptr);

    void setHeader(int column, const QString& text);
    // The rows shown, in this order; forgets every row read so far.
    void setIds(QList<qint64> ids);
    // The rows shown become those of the search (see searchKey()); `all` is every row.
    void showSearch(const QList<SubjectDb::RosterRow>& all, const QString& typed);

    // The shown row's texts, read when not yet at hand; nullptr when the read failed.
    const SubjectDb::RosterRow* shownRow(int row) const;
    // The codes of the rows shown, top to bottom; nullopt when some of them could not be
    // read (the caller tells the operator; readFailed() is not emitted).
    std::optional<QStringList> shownCodes() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // A page of rows could not be read; the grid shows those rows empty.
    void readFailed() const;

private:
    void remember(const QList<SubjectDb::RosterRow>& rows) const;
    // Reads the page of rows around `row`; false when it could not be read.
    bool readPageOf(int row) const;

    Fetch fetch_;
    QList<qint64> ids_;
    mutable QHash<qint64, SubjectDb::RosterRow> rows_;
    QHash<qint64, QString> searchKeys_; // made at the first search
    QString headers_[ColumnCount];
};

} // namespace hov
