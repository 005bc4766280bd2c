#pragma once
#include "base/ActionList.h"
#include "actions/ParsedRows.h"

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

} // namespace cursovia
