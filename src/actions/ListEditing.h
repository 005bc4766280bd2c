#pragma once
#include "actions/ListHost.h"
#include "actions/PersistedList.h"
#include "base/ActionList.h"
#include "base/ErrorReport.h"

#include <array>
#include <cstdint>

namespace cursovia {

// The commands of the list's context menu, in the menu's order.
enum class ListCommand : std::uint8_t { MoveUp, MoveDown, Duplicate, UseCurrentSettings, CopyToSettings, Remove };

struct ListCommandSpec {
    ListCommand command;
    const char* caption; // the menu item
    const char* name;    // the menu item's name, for its error reports
};
inline constexpr std::array<ListCommandSpec, 6> ListCommands{{
    {ListCommand::MoveUp, "Move Up", "mnuMoveUp"},
    {ListCommand::MoveDown, "Move Down", "mnuMoveDown"},
    {ListCommand::Duplicate, "Duplicate", "mnuDuplicate"},
    {ListCommand::UseCurrentSettings, "Use Current Settings", "mnuUseCurrentSettings"},
    {ListCommand::CopyToSettings, "Copy To Settings", "mnuCopyToSettings"},
    {ListCommand::Remove, "Remove", "mnuRemove"},
}};

// The list's editing commands: Add, Insert, Remove, Clear, and moving,
// duplicating and replacing the selected row. Each runs its
// statements through the error report of the handler that called it.
class ListEditing {
public:
    ListEditing(ActionList& list, PersistedList& stored, ListHost& host) : list_(list), stored_(stored), host_(host) {}

    void add(ErrorReport& report, const Action& action);
    // Rows at the end of the list, stored once.
    void addAll(ErrorReport& report, std::vector<Action> actions);
    // Refused with a message when the list is empty; nothing happens without a selected row.
    void insert(ErrorReport& report, const Action& action);
    void removeSelected(ErrorReport& report);
    // The list's key handler: only the Delete key removes the selected row.
    void removeOnKey(ErrorReport& report, int keyCode);
    void clear(ErrorReport& report);
    // The selected row one place up (-1) or down (+1); nothing at either end.
    void moveSelected(ErrorReport& report, int by);
    // A row dragged from `from` to `to`; the selection follows it.
    void move(ErrorReport& report, std::size_t from, std::size_t to);
    // A copy of the selected row right below it, then selected.
    void duplicateSelected(ErrorReport& report);
    // The selected row takes the fields of `action`.
    void replaceSelected(ErrorReport& report, const Action& action);

private:
    void removeSelected();

    ActionList& list_;
    PersistedList& stored_;
    ListHost& host_;
};

} // namespace cursovia
