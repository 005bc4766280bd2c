#include "base/ActionList.h"

#include <iterator>
#include <stdexcept>
#include <string>

namespace cursovia {
namespace {

[[noreturn]] void noSuchRow(std::size_t index, std::size_t count) {
    throw std::out_of_range("Row " + std::to_string(index + 1) + " does not exist; the list has " +
                            std::to_string(count) + " rows");
}

// Column i shows this field of the row.
constexpr std::string Action::*ColumnFields[] = {&Action::x, &Action::y, &Action::wait, &Action::kind};

} // namespace

const Action& ActionList::row(std::size_t index) const {
    if (index >= rows_.size()) noSuchRow(index, rows_.size());
    return rows_[index];
}

const std::string& ActionList::text(std::size_t index, std::size_t column) const {
    static const std::string none;
    const Action& shown = row(index);
    return column < std::size(ColumnFields) ? shown.*ColumnFields[column] : none;
}

void ActionList::select(std::optional<std::size_t> index) {
    if (index && *index >= rows_.size()) noSuchRow(*index, rows_.size());
    if (index == selected_) return;
    selected_ = index;
    notifySelection();
}

void ActionList::append(Action action) {
    rows_.push_back(std::move(action));
    notify({ListChange::Kind::Inserted, rows_.size() - 1, 1});
}

void ActionList::appendAll(std::vector<Action> actions) {
    if (actions.empty()) return;
    const std::size_t first = rows_.size();
    const std::size_t count = actions.size();
    if (rows_.empty())
        rows_ = std::move(actions); // no copy of a large list loaded into an empty one
    else
        rows_.insert(rows_.end(), std::make_move_iterator(actions.begin()), std::make_move_iterator(actions.end()));
    notify({ListChange::Kind::Inserted, first, count});
}

void ActionList::insert(std::size_t index, Action action) {
    if (index > rows_.size()) noSuchRow(index, rows_.size());
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), std::move(action));
    const bool selectionMoves = selected_ && *selected_ >= index;
    if (selectionMoves) ++*selected_;
    notify({ListChange::Kind::Inserted, index, 1});
    if (selectionMoves) notifySelection();
}

void ActionList::remove(std::size_t index) {
    if (index >= rows_.size()) noSuchRow(index, rows_.size());
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    bool selectionMoves = false;
    if (selected_ == index) {
        selected_.reset();
        selectionMoves = true;
    } else if (selected_ && *selected_ > index) {
        --*selected_;
        selectionMoves = true;
    }
    notify({ListChange::Kind::Removed, index, 1});
    if (selectionMoves) notifySelection();
}

void ActionList::clear() {
    if (rows_.empty() && !selected_) return;
    const bool hadSelection = selected_.has_value();
    rows_.clear();
    selected_.reset();
    notify({ListChange::Kind::Reset, 0, 0});
    if (hadSelection) notifySelection();
}

void ActionList::notify(const ListChange& change) {
    if (observer_) observer_->rowsChanged(change);
}

void ActionList::notifySelection() {
    if (observer_) observer_->selectionChanged();
}

} // namespace cursovia
