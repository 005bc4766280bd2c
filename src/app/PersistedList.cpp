#include "app/PersistedList.h"

namespace cursovia {

std::string encodeActions(const ActionList& list) {
    std::string value;
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
    for (std::string_view piece : splitAt(value, RecordTerminator)) {
        if (piece.empty()) continue;
        rows.push_back(rowFromFields(splitAt(piece, FieldSeparator)));
    }
    return rows;
}

} // namespace cursovia
