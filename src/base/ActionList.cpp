#include "base/ActionList.h"

#include <algorithm>
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
    change({ListChange::Kind::Inserted, rows_.size(), 1}, [&] { rows_.push_back(std::move(action)); });
}

void ActionList::appendAll(std::vector<Action> actions) {
    if (actions.empty()) return;
    const std::size_t first = rows_.size();
    const std::size_t count = actions.size();
    change({ListChange::Kind::Inserted, first, count}, [&] {
        if (rows_.empty())
            rows_ = std::move(actions); // no copy of a large list loaded into an empty one
        else
            rows_.insert(rows_.end(), std::make_move_iterator(actions.begin()), std::make_move_iterator(actions.end()));
    });
}

void ActionList::insert(std::size_t index, Action action) {
    if (index > rows_.size()) noSuchRow(index, rows_.size());
    const bool selectionMoves = selected_ && *selected_ >= index;
    change({ListChange::Kind::Inserted, index, 1}, [&] {
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), std::move(action));
        if (selectionMoves) ++*selected_;
    });
    if (selectionMoves) notifySelection();
}

void ActionList::remove(std::size_t index) {
    if (index >= rows_.size()) noSuchRow(index, rows_.size());
    const bool selectionMoves = selected_ && *selected_ >= index;
    change({ListChange::Kind::Removed, index, 1}, [&] {
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
        if (selected_ == index) selected_.reset();
        else if (selectionMoves) --*selected_;
    });
    if (selectionMoves) notifySelection();
}

void ActionList::clear() {
    if (rows_.empty() && !selected_) return;
    const bool hadSelection = selected_.has_value();
    change({ListChange::Kind::Reset, 0, 0}, [&] {
        rows_.clear();
        selected_.reset();
    });
    if (hadSelection) notifySelection();
}

void ActionList::move(std::size_t from, std::size_t to) {
    if (from >= rows_.size()) noSuchRow(from, rows_.size());
    if (to >= rows_.size()) noSuchRow(to, rows_.size());
    if (from == to) return;
    std::optional<std::size_t> selection = selected_;
    if (selection == from) selection = to;
    else if (selection && from < *selection && *selection <= to) --*selection;
    else if (selection && to <= *selection && *selection < from) ++*selection;
    const bool selectionMoves = selection != selected_;
    change({ListChange::Kind::Moved, from, 1, to}, [&] {
        const auto at = [&](std::size_t i) { return rows_.begin() + static_cast<std::ptrdiff_t>(i); };
        if (from < to) std::rotate(at(from), at(from + 1), at(to + 1));
        else std::rotate(at(to), at(from), at(from + 1));
        selected_ = selection;
    });
    if (selectionMoves) notifySelection();
}

void ActionList::replace(std::size_t index, Action action) {
    if (index >= rows_.size()) noSuchRow(index, rows_.size());
    change({ListChange::Kind::Changed, index, 1}, [&] { rows_[index] = std::move(action); });
}

template <typename Apply>
void ActionList::change(const ListChange& change, Apply apply) {
    if (observer_) observer_->rowsChanging(change);
    apply();
    if (observer_) observer_->rowsChanged(change);
}

void ActionList::notifySelection() {
    if (observer_) observer_->selectionChanged();
}

} // namespace cursovia
