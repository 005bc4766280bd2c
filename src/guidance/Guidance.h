#pragma once
#include "base/Dialogs.h"
#include "base/ErrorReport.h"
#include "guidance/ShellOpen.h"

#include <string>

namespace cursovia {

// The Help and "Not Working?" buttons. Each runs its statements through the
// error report of the handler that called it; `title` is the application title.
// `captureKey` and `stopKey` name the keys as the user chose them.
void ShowHelp(ErrorReport& report, Dialogs& dialogs, const std::string& title, const std::string& captureKey,
              const std::string& stopKey);
// Asks whether to open a web search for another tool, and opens it on Yes.
void ShowNotWorking(ErrorReport& report, Dialogs& dialogs, ShellOpen& shell, const std::string& title);

} // namespace cursovia
