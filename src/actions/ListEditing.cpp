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
        requireStoredListCanKeep(action); // the wait box takes any text
        list_.append(action);
    });
    report.at(102, [&] { stored_.save(); });
}

void ListEditing::addAll(ErrorReport& report, std::vector<Action> actions) {
    report.at(100, [&] {
        for (const Action& action : actions) requireStoredListCanKeep(action);
        list_.appendAll(std::move(actions));
    });
    report.at(102, [&] { stored_.save(); });
}

void ListEditing::insert(ErrorReport& report, const Action& action) {
    if (report.test(100, [&] { return list_.rowCount() == 0; })) {
        report.at(102, [&] { host_.showMessage(EmptyListForInsert); });
        return;
    }
    if (report.test(104, [&] { return !list_.selected().has_value(); })) return;
    // The new row lands directly above the selected row, which stays selected.
    report.at(106, [&] {
        requireStoredListCanKeep(action);
        list_.insert(list_.selected().value(), action);
    });
    report.at(108, [&] { stored_.save(); });
}

void ListEditing::removeSelected() {
    if (list_.rowCount() == 0 || !list_.selected()) return;
    list_.remove(*list_.selected());
    stored_.save();
}

void ListEditing::removeSelected(ErrorReport& report) {
    report.at(100, [&] { removeSelected(); });
}

void ListEditing::removeOnKey(ErrorReport& report, int keyCode) {
    if (keyCode == static_cast<int>(vk::Delete)) removeSelected(report);
}

void ListEditing::clear(ErrorReport& report) {
    report.at(100, [&] { list_.clear(); });
    report.at(102, [&] { stored_.save(); });
}

void ListEditing::moveSelected(ErrorReport& report, int by) {
    if (report.test(100, [&] { return !list_.selected().has_value(); })) return;
    const std::size_t from = *list_.selected();
    if (report.test(102, [&] { return (by < 0 && from == 0) || (by > 0 && from + 1 >= list_.rowCount()); })) return;
    report.at(104, [&] { list_.move(from, by < 0 ? from - 1 : from + 1); });
    report.at(106, [&] { stored_.save(); });
}

void ListEditing::move(ErrorReport& report, std::size_t from, std::size_t to) {
    if (report.test(100, [&] { return from == to || from >= list_.rowCount() || to >= list_.rowCount(); })) return;
    report.at(102, [&] {
        list_.move(from, to);
        list_.select(to);
    });
    report.at(104, [&] { stored_.save(); });
}

void ListEditing::duplicateSelected(ErrorReport& report) {
    if (report.test(100, [&] { return !list_.selected().has_value(); })) return;
    report.at(102, [&] {
        const std::size_t at = *list_.selected() + 1;
        const Action copy = list_.row(at - 1);
        if (at == list_.rowCount()) list_.append(copy);
        else list_.insert(at, copy);
        list_.select(at);
    });
    report.at(104, [&] { stored_.save(); });
}

void ListEditing::replaceSelected(ErrorReport& report, const Action& action) {
    if (report.test(100, [&] { return !list_.selected().has_value(); })) return;
    report.at(102, [&] {
        requireStoredListCanKeep(action);
        list_.replace(*list_.selected(), action);
    });
    report.at(104, [&] { stored_.save(); });
}

} // namespace cursovia
