#pragma once

#include "data/subjectdb.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace hov {

// The roster's rows for the grid: every subject read from the file, of which the rows
// that pass the filter in force are shown. Filtering happens here, in memory, so a
// filter over a large roster costs no reading.
class RosterModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CodeColumn, FirstNameColumn, LastNameColumn, GroupColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // Replaces every row; all are shown.
    void setRows(QList<SubjectDb::RosterRow> rows);
    void setHeader(int column, const QString& text);

    // At most one filter is in force; each replaces the last.
    void showAll();
    // Rows whose column equals the text exactly.
    void filterEqual(Column column, const QString& text);
    // Rows whose code and names hold every word of a typed search (see searchKey()).
    void filterSearch(const QString& typed);

    int allRowCount() const { return static_cast<int>(rows_.size()); }
    const SubjectDb::RosterRow& shownRow(int row) const;
    // The codes of the rows shown, top to bottom.
    QStringList shownCodes() const;
    // The distinct non-empty values of a column over every row, sorted.
    QStringList distinctValues(Column column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    static const QString& valueOf(const SubjectDb::RosterRow& row, Column column);
    template <typename Keep> void filter(Keep keep);

    QList<SubjectDb::RosterRow> rows_;
    QList<int> shown_; // indices into rows_
    QList<QString> searchKeys_; // made at the first search
    QString headers_[ColumnCount];
};

} // namespace hov
