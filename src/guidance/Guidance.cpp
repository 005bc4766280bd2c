// The Help and "Not Working?" buttons.
#include "guidance/Guidance.h"

#include "guidance/HelpTexts.h"

namespace cursovia {

void ShowHelp(ErrorReport& report, Dialogs& dialogs, const std::string& title, const std::string& captureKey,
              const std::string& stopKey) {
    report.at(100, [&] {
        dialogs.messageBox(helpText(captureKey, stopKey), title, MessageButtons::Ok, MessageIcon::None);
    });
}

void ShowNotWorking(ErrorReport& report, Dialogs& dialogs, ShellOpen& shell, const std::string& title) {
    MessageAnswer answer = MessageAnswer::No;
    report.at(100, [&] {
        answer = dialogs.messageBox(notWorkingText(), title, MessageButtons::YesNo, MessageIcon::None);
    });
    if (answer == MessageAnswer::Yes)
        report.at(102, [&] { shell.openDocument(SearchAddress); });
}

} // namespace cursovia
