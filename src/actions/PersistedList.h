#pragma once
#include "actions/ParsedRows.h"
#include "base/ActionList.h"
#include "base/SettingsStore.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cursovia {

// The list kept across runs in the "Actions" setting: each row's four fields
// joined by the field separator, each row followed by the record terminator.
// There is no escape: a field is split when read back wherever it holds a
// separator, or part of one that the separators written around it complete
// ("1||MySeparator12", say). Such rows are refused where they would enter the
// list, so the stored value always reads back as it was written.
inline constexpr std::string_view FieldSeparator = "||MySeparator12||";
inline constexpr std::string_view RecordTerminator = "||MySeparator23||";

std::string encodeActions(const ActionList& list);

// The rows of a stored value, empty pieces skipped; empty text gives no rows.
std::vector<ParsedRow> decodeActions(std::string_view value);

// The name of the first field of `row` ("X", "Y", "Wait" or "Action") that
// would not read back as written; empty when the whole row would.
std::string_view fieldTheStoredListCannotKeep(const Action& row);

// Throws std::invalid_argument naming the field when the row would not read back as written.
void requireStoredListCanKeep(const Action& row);

// Takes the rows that would not read back as written out of `rows`, reporting
// each at `line` as a row `origin` ("in the file"); a flood is cut short.
void dropRowsTheStoredListCannotKeep(std::vector<ParsedRow>& rows, ErrorReport& report, int line,
                                     const std::string& origin);

// The list kept across runs: written to the "Actions" setting after every
// change, and only a change, so that a list that could not be restored whole
// is not replaced by what was shown of it. Before a change replaces a value
// that did not come back whole (a row left out, fields missing or added, rows
// the list could not take), that value is kept under a key of its own,
// "Actions.damaged-" and the local date and time, and the user told so.
class PersistedList {
public:
    // `tell` shows the user a warning.
    PersistedList(const ActionList& list, SettingsStore& settings, std::function<void(const std::string&)> tell)
        : list_(list), settings_(settings), tell_(std::move(tell)) {}

    // Start-up: adds the stored rows to `list`. Rows it cannot keep are
    // reported at `rowsLine` and left out, as are missing fields; a value that
    // cannot be read is reported at `readLine`.
    void restore(ActionList& list, ErrorReport& report, int readLine, int rowsLine);

    // Writes the list. Until a write succeeds the list counts as unsaved;
    // throws when it could not be written, or the former value not kept.
    void save();
    bool unsaved() const { return unsaved_; }

private:
    void keepFormerValue();

    const ActionList& list_;
    SettingsStore& settings_;
    std::function<void(const std::string&)> tell_;
    bool unsaved_ = false;
    std::optional<std::string> notRestoredWhole_; // the stored value, until kept aside
};

} // namespace cursovia
