#include "actions/ParsedRows.h"

#include "app/ErrorReport.h"

#include <array>
#include <string>

namespace cursovia {

std::vector<std::string_view> splitAt(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t found; (found = text.find(separator, start)) != std::string_view::npos;
         start = found + separator.size())
        pieces.push_back(text.substr(start, found - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

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
    std::vector<Missing> missing;
    const std::size_t firstRow = list.rowCount();
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (int field = rows[i].fieldCount + 1; field <= 4; ++field) missing.push_back({firstRow + i, field});

    std::vector<Action> actions;
    actions.reserve(rows.size());
    for (auto& row : rows) actions.push_back(std::move(row.action));
    list.appendAll(std::move(actions));

    const std::size_t shown = std::min<std::size_t>(missing.size(), MissingFieldReportsShownSingly);
    for (std::size_t i = 0; i < shown; ++i) {
        const auto& m = missing[i];
        report.fail(firstFieldLine + 2 * (m.field - 2),
                    "Subscript out of range: row " + std::to_string(m.row + 1) + " has no " +
                        fieldNames[static_cast<std::size_t>(m.field - 2)] + " field; it was left empty");
    }
    if (missing.size() > shown)
        report.fail(firstFieldLine, "Subscript out of range: " + std::to_string(missing.size() - shown) +
                                        " more fields were missing; they were left empty");
}

} // namespace cursovia
