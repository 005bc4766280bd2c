#pragma once
#include "actions/ListHost.h"
#include "actions/PersistedList.h"
#include "base/ActionList.h"
#include "base/ErrorReport.h"

namespace cursovia {

// The list's editing commands: Add, Insert, Remove, Clear. Each runs its
// statements through the error report of the handler that called it.
class ListEditing {
public:
    ListEditing(ActionList& list, PersistedList& stored, ListHost& host) : list_(list), stored_(stored), host_(host) {}

    void add(ErrorReport& report, const Action& action);
    // Refused with a message when the list is empty; nothing happens without a selected row.
    void insert(ErrorReport& report, const Action& action);
    void removeSelected(ErrorReport& report);
    // The list's key handler: only the Delete key removes the selected row.
    void removeOnKey(ErrorReport& report, int keyCode);
    void clear(ErrorReport& report);

private:
    void removeSelected();

    ActionList& list_;
    PersistedList& stored_;
    ListHost& host_;
};

} // namespace cursovia
