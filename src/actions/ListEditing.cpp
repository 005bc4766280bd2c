// The list's editing commands. Every change is written to the settings at
// once, so a crash or a killed process loses no row.
#include "actions/ListEditing.h"

#include "base/KeyCodes.h"

namespace cursovia {
namespace {

const std::string EmptyListForInsert =
    "The list below is empty. There must be at least one item entry first to use this feature.";

} // namespace

void ListEditing::add(ErrorReport& report, const Action& action) {
    report.at(100, [&] {
        host_.requireKeptAsWritten(action); // the wait box takes any text
        list_.append(action);
    });
    report.at(102, [&] { host_.saveList(); });
}

void ListEditing::insert(ErrorReport& report, const Action& action) {
    if (report.test(100, [&] { return list_.rowCount() == 0; })) {
        report.at(102, [&] { host_.showMessage(EmptyListForInsert); });
        return;
    }
    if (report.test(104, [&] { return !list_.selected().has_value(); })) return;
    // The new row lands directly above the selected row, which stays selected.
    report.at(106, [&] {
        host_.requireKeptAsWritten(action);
        list_.insert(list_.selected().value(), action);
    });
    report.at(108, [&] { host_.saveList(); });
}

void ListEditing::removeSelected() {
    if (list_.rowCount() == 0 || !list_.selected()) return;
    list_.remove(*list_.selected());
    host_.saveList();
}

void ListEditing::removeSelected(ErrorReport& report) {
    report.at(100, [&] { removeSelected(); });
}

void ListEditing::removeOnKey(ErrorReport& report, int keyCode) {
    if (keyCode == static_cast<int>(vk::Delete)) removeSelected(report);
}

void ListEditing::clear(ErrorReport& report) {
    report.at(100, [&] { list_.clear(); });
    report.at(102, [&] { host_.saveList(); });
}

} // namespace cursovia
