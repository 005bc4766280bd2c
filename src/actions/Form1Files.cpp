// Saving the list to an action file, loading one, and the sample list.
#include "actions/ActionFile.h"
#include "actions/SampleActions.h"
#include "app/Form1.h"

namespace cursovia {
namespace {

const FileDialogRequest SaveDialog{"Save Action As", "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"};
const FileDialogRequest LoadDialog{"Select Action File", "All Files (*.*)|*.*|"};
const std::string TooManyFiles = "You've selected too many files to add.\r\rPlease try adding via the \"Add All\" button.";
const std::string SaveNameTooLong = "The chosen file name is too long for the file dialog";

} // namespace

void Form1::PushButton8_Click() {
    ErrorReport report(ports_.dialogs, "Form1.PushButton8_Click");
    FileDialogResult chosen;
    report.at(100, [&] { chosen = ports_.dialogs.saveFile(SaveDialog); });
    // The dialog's failure, not a cancel: the user must be able to tell them apart.
    if (chosen.outcome == FileDialogResult::Outcome::NameTooLong) report.fail(100, SaveNameTooLong);
    if (chosen.outcome != FileDialogResult::Outcome::Chosen || chosen.path.empty()) return;
    report.at(102, [&] {
        writeFileReplacing(chosen.path, ports_.fileEncoding.toFile(formatActionFile(list_)));
    });
}

void Form1::PushButton9_Click() {
    ErrorReport report(ports_.dialogs, "Form1.PushButton9_Click");
    FileDialogResult chosen;
    report.at(100, [&] { chosen = ports_.dialogs.openFile(LoadDialog); });
    if (chosen.outcome == FileDialogResult::Outcome::NameTooLong) {
        showMessage(TooManyFiles);
        return;
    }
    if (chosen.outcome != FileDialogResult::Outcome::Chosen || chosen.path.empty()) return;
    // The whole file is read and decoded before the list is touched: a file
    // that cannot be read adds nothing.
    std::vector<ParsedRow> rows;
    bool read = false;
    report.at(102, [&] {
        rows = parseActionFileBytes(readActionFileBytes(chosen.path), ports_.fileEncoding);
        read = true;
    });
    if (!read || rows.empty()) return;
    appendReportingMissingFields(list_, std::move(rows), report, 104);
    report.at(110, [&] { saveList(); });
}

void Form1::PushButton6_Click() {
    ErrorReport report(ports_.dialogs, "Form1.PushButton6_Click");
    report.at(100, [&] { list_.appendAll({SampleActions.begin(), SampleActions.end()}); });
    report.at(102, [&] { saveList(); });
}

} // namespace cursovia
