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
// ("1||MySeparator12", say). A value cut short can restore such a field; saved
// again, it then reads back differently at the next start.
inline constexpr std::string_view FieldSeparator = "||MySeparator12||";
inline constexpr std::string_view RecordTerminator = "||MySeparator23||";

std::string encodeActions(const ActionList& list);

// The rows of a stored value, empty pieces skipped; empty text gives no rows.
std::vector<ParsedRow> decodeActions(std::string_view value);

} // namespace cursovia
