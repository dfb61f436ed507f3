#include "ui/roster/rostermodel.h"

#include "data/searchkey.h"

#include <QSet>
#include <algorithm>
#include <numeric>

namespace hov {

void RosterModel::setRows(QList<SubjectDb::RosterRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    searchKeys_.clear();
    shown_.resize(rows_.size());
    std::iota(shown_.begin(), shown_.end(), 0);
    endResetModel();
}

void RosterModel::setHeader(int column, const QString& text) {
    if (column < 0 || column >= ColumnCount)
        return;
    headers_[column] = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

const QString& RosterModel::valueOf(const SubjectDb::RosterRow& row, Column column) {
    switch (column) {
    case FirstNameColumn: return row.firstName;
    case LastNameColumn: return row.lastName;
    case GroupColumn: return row.group;
    default: return row.code;
    }
}

template <typename Keep> void RosterModel::filter(Keep keep) {
    beginResetModel();
    shown_.clear();
    for (int i = 0; i < rows_.size(); ++i)
        if (keep(i))
            shown_.append(i);
    endResetModel();
}

void RosterModel::showAll() {
    filter([](int) { return true; });
}

void RosterModel::filterEqual(Column column, const QString& text) {
    filter([&](int i) { return valueOf(rows_[i], column) == text; });
}

void RosterModel::filterSearch(const QString& typed) {
    const QStringList words = searchWords(typed);
    if (words.isEmpty()) {
        showAll();
        return;
    }
    if (searchKeys_.size() != rows_.size()) {
        searchKeys_.clear();
        searchKeys_.reserve(rows_.size());
        for (const SubjectDb::RosterRow& row : std::as_const(rows_))
            searchKeys_.append(searchKey(row.code + QLatin1Char(' ') + row.firstName +
                                         QLatin1Char(' ') + row.lastName));
    }
    filter([&](int i) { return matchesSearch(searchKeys_[i], words); });
}

const SubjectDb::RosterRow& RosterModel::shownRow(int row) const {
    return rows_[shown_[row]];
}

QStringList RosterModel::shownCodes() const {
    QStringList codes;
    codes.reserve(shown_.size());
    for (int i : shown_)
        codes << rows_[i].code;
    return codes;
}

QStringList RosterModel::distinctValues(Column column) const {
    QSet<QString> seen;
    QStringList values;
    for (const SubjectDb::RosterRow& row : rows_) {
        const QString& value = valueOf(row, column);
        if (!value.isEmpty() && !seen.contains(value)) {
            seen.insert(value);
            values << value;
        }
    }
    std::sort(values.begin(), values.end());
    return values;
}

int RosterModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int RosterModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RosterModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return valueOf(shownRow(index.row()), static_cast<Column>(index.column()));
    return {};
}

QVariant RosterModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < ColumnCount ? QVariant(headers_[section]) : QVariant();
    return section + 1;
}

} // namespace hov
