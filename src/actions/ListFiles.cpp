// Saving the list to an action file, loading one, and the sample list.
#include "actions/ListFiles.h"

#include "actions/ActionFile.h"
#include "actions/SampleActions.h"

namespace cursovia {
namespace {

const FileFilter TextFiles{"Text Files", {"*.txt"}};
const FileFilter AllFiles{"All Files", {EveryFile}};
const FileDialogRequest SaveDialog{"Save Action As", {TextFiles, AllFiles}};
const FileDialogRequest LoadDialog{"Select Action File", {AllFiles}};
const std::string TooManyFiles = "You've selected too many files to add.\r\rPlease try adding via the \"Add All\" button.";
const std::string SaveNameTooLong = "The chosen file name is too long for the file dialog";

} // namespace

void ListFiles::saveToFile(ErrorReport& report) {
    FileDialogResult chosen;
    report.at(100, [&] { chosen = dialogs_.saveFile(SaveDialog); });
    // The dialog's failure, not a cancel: the user must be able to tell them apart.
    if (chosen.outcome == FileDialogResult::Outcome::NameTooLong) report.fail(100, SaveNameTooLong);
    if (chosen.outcome != FileDialogResult::Outcome::Chosen || chosen.path.empty()) return;
    report.at(102, [&] {
        writeFileReplacing(chosen.path, fileEncoding_.toFile(formatActionFile(list_)), fileOwnership_);
    });
}

void ListFiles::loadFromFile(ErrorReport& report) {
    FileDialogResult chosen;
    report.at(100, [&] { chosen = dialogs_.openFile(LoadDialog); });
    if (chosen.outcome == FileDialogResult::Outcome::NameTooLong) {
        host_.showMessage(TooManyFiles);
        return;
    }
    if (chosen.outcome != FileDialogResult::Outcome::Chosen || chosen.path.empty()) return;
    // The whole file is read and decoded before the list is touched: a file
    // that cannot be read adds nothing.
    std::vector<ParsedRow> rows;
    bool read = false;
    report.at(102, [&] {
        try {
            rows = parseActionFileBytes(readActionFileBytes(chosen.path), fileEncoding_);
            read = true;
        } catch (const ActionFileRefused& refused) {
            host_.showWarning(refused.what());
        }
    });
    if (!read || rows.empty()) return;
    host_.dropRowsNotKeptAsWritten(rows, report, 104, "in the file");
    appendReportingMissingFields(list_, std::move(rows), report, 104);
    report.at(110, [&] { host_.saveList(); });
}

void ListFiles::appendSamples(ErrorReport& report) {
    report.at(100, [&] { list_.appendAll({SampleActions.begin(), SampleActions.end()}); });
    report.at(102, [&] { host_.saveList(); });
}

} // namespace cursovia
