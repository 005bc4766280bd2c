#include "app/PersistedList.h"

#include <algorithm>

namespace cursovia {

std::string encodeActions(const ActionList& list) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < list.rowCount(); ++i) {
        const Action& a = list.row(i);
        length += a.x.size() + a.y.size() + a.wait.size() + a.kind.size() + 3 * FieldSeparator.size() +
                  RecordTerminator.size();
    }
    std::string value;
    value.reserve(length); // a list of a million rows is saved after every change
    for (std::size_t i = 0; i < list.rowCount(); ++i) {
        const Action& a = list.row(i);
        value.append(a.x).append(FieldSeparator);
        value.append(a.y).append(FieldSeparator);
        value.append(a.wait).append(FieldSeparator);
        value.append(a.kind).append(RecordTerminator);
    }
    return value;
}

std::vector<ParsedRow> decodeActions(std::string_view value) {
    std::vector<ParsedRow> rows;
    if (value.empty()) return rows;
    const std::vector<std::string_view> pieces = splitAt(value, RecordTerminator);
    rows.reserve(static_cast<std::size_t>(std::count_if(pieces.begin(), pieces.end(), [](auto p) { return !p.empty(); })));
    for (std::string_view piece : pieces) {
        if (piece.empty()) continue;
        rows.push_back(rowFromFields(splitAt(piece, FieldSeparator)));
    }
    return rows;
}

} // namespace cursovia
