#pragma once
#include "base/Action.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace cursovia {

// What changed in the list, for views that render it.
struct ListChange {
    enum class Kind { Inserted, Removed, Reset, Moved, Changed };
    Kind kind = Kind::Reset;
    std::size_t first = 0; // Inserted, Removed, Changed: the first row touched; Moved: the row moved
    std::size_t count = 0; // Inserted, Removed, Changed: how many rows; Moved: 1
    std::size_t to = 0;    // Moved: where the row is afterwards
};

class ListObserver {
public:
    virtual ~ListObserver() = default;
    // Called just before the rows change, with what is about to change
    // (toolkits whose models announce a change before it happens need it).
    virtual void rowsChanging(const ListChange&) {}
    // Called after the rows changed.
    virtual void rowsChanged(const ListChange& change) = 0;
    // Called after the selected row changed (or was cleared).
    virtual void selectionChanged() = 0;
};

// The one store of the action list while the program runs; views render it
// and keep no copy. Rows are identified by position alone (0-based here).
// At most one row is selected.
class ActionList {
public:
    std::size_t rowCount() const { return rows_.size(); }
    // Throws std::out_of_range naming the row when it does not exist.
    const Action& row(std::size_t index) const;
    // What the list view shows in `column` of row `index`: X, Y, Wait and
    // Kind in columns 0 to 3, nothing in any other column. Throws
    // std::out_of_range naming the row when it does not exist.
    const std::string& text(std::size_t index, std::size_t column) const;

    std::optional<std::size_t> selected() const { return selected_; }
    // Selects the row at `index` (nullopt clears the selection). Throws
    // std::out_of_range when the row does not exist.
    void select(std::optional<std::size_t> index);

    void append(Action action);
    // The new row becomes row `index`; the rows from there on move down, and
    // the selection moves with its row.
    void insert(std::size_t index, Action action);
    // The rows below move up. Removing the selected row leaves no row selected.
    void remove(std::size_t index);
    void clear();
    // Row `from` becomes row `to`, the rows between shift by one; the
    // selection stays with its row.
    void move(std::size_t from, std::size_t to);
    // Row `index` takes the fields of `action`.
    void replace(std::size_t index, Action action);
    // Appends many rows with one notification.
    void appendAll(std::vector<Action> actions);

    // One observer at a time is enough: the window's list view. Pass nullptr to detach.
    void setObserver(ListObserver* observer) { observer_ = observer; }

private:
    // Tells the observer before and after `change` is applied.
    template <typename Apply>
    void change(const ListChange& change, Apply apply);
    void notifySelection();

    std::vector<Action> rows_;
    std::optional<std::size_t> selected_;
    ListObserver* observer_ = nullptr;
};

} // namespace cursovia
