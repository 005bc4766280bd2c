// The list's editing commands. Every change is written to the settings at
// once, so a crash or a killed process loses no row.
#include "app/Form1.h"
#include "app/PersistedList.h"

namespace cursovia {
namespace {

constexpr int DeleteKey = 46;
const std::string EmptyListForInsert =
    "The list below is empty. There must be at least one item entry first to use this feature.";

} // namespace

Action Form1::newAction() const {
    Action a{control(ControlId::lblXPosition).caption, control(ControlId::lblYPosition).caption,
             control(ControlId::Text1).caption, ""};
    if (control(ControlId::Option1).value) a.kind = kind::NoAction;
    else if (control(ControlId::Option2).value) a.kind = kind::SingleClick;
    else if (control(ControlId::Option3).value) a.kind = kind::DoubleClick;
    requireStoredListCanKeep(a); // the wait box takes any text
    return a;
}

void Form1::PushButton1_Click() {
    ErrorReport report(ports_.dialogs, "Form1.PushButton1_Click");
    report.at(100, [&] { list_.append(newAction()); });
    report.at(102, [&] { saveList(); });
}

void Form1::PushButton7_Click() {
    ErrorReport report(ports_.dialogs, "Form1.PushButton7_Click");
    if (report.test(100, [&] { return list_.rowCount() == 0; })) {
        report.at(102, [&] { showMessage(EmptyListForInsert); });
        return;
    }
    if (report.test(104, [&] { return !list_.selected().has_value(); })) return;
    // The new row lands directly above the selected row, which stays selected.
    report.at(106, [&] { list_.insert(list_.selected().value(), newAction()); });
    report.at(108, [&] { saveList(); });
}

void Form1::removeSelected() {
    if (list_.rowCount() == 0 || !list_.selected()) return;
    list_.remove(*list_.selected());
    saveList();
}

void Form1::PushButton3_Click() {
    ErrorReport(ports_.dialogs, "Form1.PushButton3_Click").at(100, [&] { removeSelected(); });
}

void Form1::PushButton4_Click() {
    ErrorReport report(ports_.dialogs, "Form1.PushButton4_Click");
    report.at(100, [&] { list_.clear(); });
    report.at(102, [&] { saveList(); });
}

void Form1::ListView1_Select(std::optional<std::size_t> row) {
    ErrorReport(ports_.dialogs, "Form1.ListView1_Click").at(100, [&] { list_.select(row); });
}

void Form1::ListView1_DblClick() {
    ErrorReport(ports_.dialogs, "Form1.ListView1_DblClick").at(100, [&] { removeSelected(); });
}

void Form1::ListView1_KeyDown(int keyCode) {
    if (keyCode != DeleteKey) return;
    ErrorReport(ports_.dialogs, "Form1.ListView1_KeyDown").at(100, [&] { removeSelected(); });
}

} // namespace cursovia
