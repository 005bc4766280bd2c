#pragma once
#include "base/Action.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace cursovia {

// What changed in the list, for views that render it.
struct ListChange {
    enum class Kind { Inserted, Removed, Reset };
    Kind kind = Kind::Reset;
    std::size_t first = 0; // Inserted, Removed: the first row touched
    std::size_t count = 0; // Inserted, Removed: how many rows
};

class ListObserver {
public:
    virtual ~ListObserver() = default;
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
    // Appends many rows with one notification.
    void appendAll(std::vector<Action> actions);

    // One observer at a time is enough: the window's list view. Pass nullptr to detach.
    void setObserver(ListObserver* observer) { observer_ = observer; }

private:
    void notify(const ListChange& change);
    void notifySelection();

    std::vector<Action> rows_;
    std::optional<std::size_t> selected_;
    ListObserver* observer_ = nullptr;
};

} // namespace cursovia
