#include "ActionTableModel.h"

#include "app/Form1.h"
#include "base/ScopedFlag.h"

namespace cursovia::qtx11 {

ActionTableModel::ActionTableModel(const Form1& form, QObject* parent) : QAbstractTableModel(parent), form_(form) {}

int ActionTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(form_.list().rowCount());
}

int ActionTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(form_.columns().size());
}

QVariant ActionTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || static_cast<std::size_t>(index.row()) >= form_.list().rowCount())
        return {};
    return QString::fromStdString(
        form_.list().text(static_cast<std::size_t>(index.row()), static_cast<std::size_t>(index.column())));
}

QVariant ActionTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        static_cast<std::size_t>(section) >= form_.columns().size())
        return {};
    return QString::fromStdString(form_.columns()[static_cast<std::size_t>(section)].header);
}

void ActionTableModel::rowsChanging(const ListChange& change) {
    changing_ = true;
    const int first = static_cast<int>(change.first);
    const int last = static_cast<int>(change.first + change.count) - 1;
    switch (change.kind) {
    case ListChange::Kind::Inserted: beginInsertRows({}, first, last); break;
    case ListChange::Kind::Removed: beginRemoveRows({}, first, last); break;
    case ListChange::Kind::Reset: beginResetModel(); break;
    case ListChange::Kind::Moved: {
        // Qt names the row the moved one will stand before, counted before the move.
        const int to = static_cast<int>(change.to);
        moving_ = beginMoveRows({}, first, first, {}, to > first ? to + 1 : to);
        break;
    }
    case ListChange::Kind::Changed: break;
    }
}

void ActionTableModel::rowsChanged(const ListChange& change) {
    const int first = static_cast<int>(change.first);
    const int last = static_cast<int>(change.first + change.count) - 1;
    switch (change.kind) {
    case ListChange::Kind::Inserted: endInsertRows(); break;
    case ListChange::Kind::Removed: endRemoveRows(); break;
    case ListChange::Kind::Reset: endResetModel(); break;
    case ListChange::Kind::Moved:
        if (moving_) endMoveRows();
        moving_ = false;
        break;
    case ListChange::Kind::Changed: emit dataChanged(index(first, 0), index(last, columnCount() - 1)); break;
    }
    changing_ = false;
}

void ActionTableModel::columnsChanged() {
    const ScopedFlag changing(changing_);
    beginResetModel();
    endResetModel();
}

} // namespace cursovia::qtx11
