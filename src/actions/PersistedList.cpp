#include "actions/PersistedList.h"

#include "base/ErrorReport.h"
#include "base/SettingsKeys.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <stdexcept>

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

namespace {

// Every separator holds this text: a field without it cannot complete one.
constexpr std::string_view SeparatorsMiddle = FieldSeparator.substr(2, 11);
static_assert(SeparatorsMiddle == RecordTerminator.substr(2, 11));

constexpr std::array<std::string_view, 4> FieldNames{"X", "Y", "Wait", "Action"};

std::array<std::string*, 4> fieldsOf(Action& row) { return {&row.x, &row.y, &row.wait, &row.kind}; }

// Whether the row, stored after another one, reads back as written. A
// separator a field completes reaches at most into the separators on either
// side, so the row's own record decides, whatever its neighbours hold.
bool readsBackAsWritten(const Action& row) {
    ActionList alone;
    alone.append(row);
    const std::vector<ParsedRow> back = decodeActions(std::string(RecordTerminator) + encodeActions(alone));
    return back.size() == 1 && back[0].fieldCount == 4 && back[0].action == row;
}

std::string notKept(std::string_view field) {
    return "its " + std::string(field) + " field holds text that the saved list uses as a separator (\"" +
           std::string(FieldSeparator) + "\" or \"" + std::string(RecordTerminator) + "\")";
}

} // namespace

std::string_view fieldTheStoredListCannotKeep(const Action& row) {
    Action copy = row;
    const std::array<std::string*, 4> fields = fieldsOf(copy);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i]->find(SeparatorsMiddle) == std::string::npos) continue;
        Action alone;
        *fieldsOf(alone)[i] = *fields[i];
        if (!readsBackAsWritten(alone)) return FieldNames[i];
    }
    return {};
}

void requireStoredListCanKeep(const Action& row) {
    if (const std::string_view field = fieldTheStoredListCannotKeep(row); !field.empty())
        throw std::invalid_argument("The row was not added: " + notKept(field));
}

void dropRowsTheStoredListCannotKeep(std::vector<ParsedRow>& rows, ErrorReport& report, int line,
                                     const std::string& origin) {
    constexpr std::size_t shownSingly = MissingFieldReportsShownSingly;
    std::size_t position = 0, dropped = 0;
    std::erase_if(rows, [&](const ParsedRow& row) {
        ++position;
        const std::string_view field = fieldTheStoredListCannotKeep(row.action);
        if (field.empty()) return false;
        if (++dropped <= shownSingly)
            report.fail(line, "Row " + std::to_string(position) + " " + origin + " was not added: " + notKept(field));
        return true;
    });
    if (dropped > shownSingly)
        report.fail(line, std::to_string(dropped - shownSingly) + " more rows " + origin +
                              " were not added: their fields hold text that the saved list uses as a separator");
}

namespace {

const std::string ActionsKey(settings::Actions.name);

// The local date and time as in "20261210-130512", for a key of its own.
std::string timeStamp() {
    const std::time_t now = std::time(nullptr);
    char text[32] = "unknown-time";
    if (const std::tm* local = std::localtime(&now)) std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", local);
    return text;
}

} // namespace

void PersistedList::restore(ActionList& list, ErrorReport& report, int readLine, int rowsLine) {
    std::string value;
    std::vector<ParsedRow> rows;
    bool whole = false;
    report.at(readLine, [&] {
        value = settings_.read(ActionsKey, "");
        rows = decodeActions(value);
        whole = std::all_of(rows.begin(), rows.end(), [](const ParsedRow& row) { return row.fieldCount == 4; });
        const std::size_t decoded = rows.size();
        dropRowsTheStoredListCannotKeep(rows, report, rowsLine, "in the saved list");
        whole = whole && rows.size() == decoded;
        if (!whole) notRestoredWhole_ = value;
    });
    report.at(rowsLine, [&] {
        if (!rows.empty()) notRestoredWhole_ = value; // until the list took every row
        appendReportingMissingFields(list, std::move(rows), report, rowsLine);
        if (whole) notRestoredWhole_.reset();
    });
}

void PersistedList::keepFormerValue() {
    const std::string key = ActionsKey + ".damaged-" + timeStamp();
    settings_.write(key, *notRestoredWhole_);
    notRestoredWhole_.reset();
    tell_("The list saved before could not be read whole when the program started, so your change would have "
          "replaced what was not shown. It was kept in the settings as \"" + key + "\", and the list below is saved "
          "from now on.");
}

void PersistedList::save() {
    unsaved_ = true; // until written: shutdown tries again
    if (notRestoredWhole_) keepFormerValue();
    settings_.write(ActionsKey, encodeActions(list_));
    unsaved_ = false;
}

} // namespace cursovia
