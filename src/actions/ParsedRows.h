#pragma once
#include "base/Action.h"
#include "base/ActionList.h"
#include "base/SplitText.h"

#include <string_view>
#include <vector>

namespace cursovia {

class ErrorReport;

// A row read back from a stored text, with how many of its four fields the text held.
struct ParsedRow {
    Action action;
    int fieldCount = 0;
    friend bool operator==(const ParsedRow&, const ParsedRow&) = default;
};

// Fields 1 to 4 become X, Y, Wait and Kind; later fields are ignored, missing ones stay empty.
ParsedRow rowFromFields(const std::vector<std::string_view>& fields);

// Appends the rows in order, then reports each missing field: field 2, 3 and 4
// at the statements `firstFieldLine`, +2 and +4 of the reporting procedure.
// A flood of reports (a file that is not an action file at all) is cut short:
// the first few are shown one by one, the rest in one closing report.
void appendReportingMissingFields(ActionList& list, std::vector<ParsedRow> rows, ErrorReport& report,
                                  int firstFieldLine);

inline constexpr int MissingFieldReportsShownSingly = 10;

} // namespace cursovia
