#include "actions/ParsedRows.h"

#include "base/ErrorReport.h"

#include <array>
#include <string>

namespace cursovia {

ParsedRow rowFromFields(const std::vector<std::string_view>& fields) {
    ParsedRow row;
    std::array<std::string*, 4> targets{&row.action.x, &row.action.y, &row.action.wait, &row.action.kind};
    for (std::size_t i = 0; i < targets.size() && i < fields.size(); ++i) *targets[i] = fields[i];
    row.fieldCount = static_cast<int>(fields.size());
    return row;
}

void appendReportingMissingFields(ActionList& list, std::vector<ParsedRow> rows, ErrorReport& report,
                                  int firstFieldLine) {
    static constexpr std::array<const char*, 3> fieldNames{"Y", "Wait", "Action"};
    struct Missing {
        std::size_t row;
        int field;
    };
    // Only the reports shown one by one are kept; a file of millions of short
    // lines would otherwise need a record of every missing field.
    std::vector<Missing> shownSingly;
    std::size_t missingCount = 0;
    const std::size_t firstRow = list.rowCount();
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (int field = rows[i].fieldCount + 1; field <= 4; ++field, ++missingCount)
            if (shownSingly.size() < MissingFieldReportsShownSingly) shownSingly.push_back({firstRow + i, field});

    std::vector<Action> actions;
    actions.reserve(rows.size());
    for (auto& row : rows) actions.push_back(std::move(row.action));
    rows = {}; // the list takes the rows without a third copy of them alive
    list.appendAll(std::move(actions));

    for (const Missing& m : shownSingly)
        report.fail(firstFieldLine + 2 * (m.field - 2),
                    "Subscript out of range: row " + std::to_string(m.row + 1) + " has no " +
                        fieldNames[static_cast<std::size_t>(m.field - 2)] + " field; it was left empty");
    if (missingCount > shownSingly.size())
        report.fail(firstFieldLine, "Subscript out of range: " + std::to_string(missingCount - shownSingly.size()) +
                                        " more fields were missing; they were left empty");
}

} // namespace cursovia
