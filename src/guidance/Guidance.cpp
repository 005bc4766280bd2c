// The Help and "Not Working?" buttons.
#include "app/Form1.h"
#include "guidance/HelpTexts.h"

namespace cursovia {

void Form1::PushButton2_Click() {
    ErrorReport(ports_.dialogs, "Form1.PushButton2_Click").at(100, [&] { showMessage(helpText()); });
}

void Form1::PushButton10_Click() {
    ErrorReport report(ports_.dialogs, "Form1.PushButton10_Click");
    MessageAnswer answer = MessageAnswer::No;
    report.at(100, [&] {
        answer = ports_.dialogs.messageBox(notWorkingText(), appTitle_, MessageButtons::YesNo, MessageIcon::None);
    });
    if (answer == MessageAnswer::Yes)
        report.at(102, [&] { ports_.shell.openDocument(std::string("\"") + SearchAddress + "\""); });
}

} // namespace cursovia
