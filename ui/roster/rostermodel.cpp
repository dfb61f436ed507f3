#include "ui/roster/rostermodel.h"

#include "data/searchkey.h"

#include <algorithm>

namespace hov {

namespace {

constexpr int kPage = 200;

const QString& valueOf(const SubjectDb::RosterRow& row, int column) {
    switch (column) {
    case RosterModel::FirstNameColumn: return row.firstName;
    case RosterModel::LastNameColumn: return row.lastName;
    case RosterModel::GroupColumn: return row.group;
    default: return row.code;
    }
}

} // namespace

RosterModel::RosterModel(Fetch fetch, QObject* parent)
    : QAbstractTableModel(parent), fetch_(std::move(fetch)) {}

void RosterModel::setHeader(int column, const QString& text) {
    if (column < 0 || column >= ColumnCount)
        return;
    headers_[column] = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void RosterModel::setIds(QList<qint64> ids) {
    beginResetModel();
    ids_ = std::move(ids);
    rows_.clear();
    searchKeys_.clear();
    endResetModel();
}

void RosterModel::remember(const QList<SubjectDb::RosterRow>& rows) const {
    for (const SubjectDb::RosterRow& row : rows)
        rows_.insert(row.id, row);
}

void RosterModel::showSearch(const QList<SubjectDb::RosterRow>& all, const QString& typed) {
    const QStringList words = searchWords(typed);
    beginResetModel();
    remember(all);
    if (searchKeys_.size() != all.size()) {
        searchKeys_.clear();
        searchKeys_.reserve(all.size());
        for (const SubjectDb::RosterRow& row : all)
            searchKeys_.insert(row.id, searchKey(row.code + QLatin1Char(' ') + row.firstName +
                                                 QLatin1Char(' ') + row.lastName));
    }
    ids_.clear();
    for (const SubjectDb::RosterRow& row : all)
        if (matchesSearch(searchKeys_.value(row.id), words))
            ids_.append(row.id);
    endResetModel();
}

bool RosterModel::readPageOf(int row) const {
    const int first = row / kPage * kPage;
    const std::optional<QList<SubjectDb::RosterRow>> rows = fetch_(ids_.mid(first, kPage));
    if (!rows)
        return false;
    remember(*rows);
    return true;
}

const SubjectDb::RosterRow* RosterModel::shownRow(int row) const {
    if (row < 0 || row >= ids_.size())
        return nullptr;
    auto found = rows_.constFind(ids_[row]);
    if (found != rows_.constEnd())
        return &*found;
    if (!readPageOf(row)) {
        emit readFailed();
        return nullptr;
    }
    found = rows_.constFind(ids_[row]);
    return found != rows_.constEnd() ? &*found : nullptr;
}

std::optional<QStringList> RosterModel::shownCodes() const {
    QStringList codes;
    codes.reserve(ids_.size());
    for (int i = 0; i < ids_.size(); ++i) {
        // A row read but not found was deleted meanwhile: it is left out. A page that
        // could not be read fails the whole list, never shortens it.
        if (!rows_.contains(ids_[i]) && !readPageOf(i))
            return std::nullopt;
        const auto found = rows_.constFind(ids_[i]);
        if (found != rows_.constEnd())
            codes << found->code;
    }
    return codes;
}

int RosterModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ids_.size());
}

int RosterModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RosterModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const SubjectDb::RosterRow* row = shownRow(index.row());
    return row ? QVariant(valueOf(*row, index.column())) : QVariant();
}

QVariant RosterModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < ColumnCount ? QVariant(headers_[section]) : QVariant();
    return section + 1;
}

} // namespace hov
