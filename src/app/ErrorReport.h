#pragma once
#include "app/Dialogs.h"

#include <functional>
#include <string>

namespace cursovia {

// The report every guarded procedure shows when one of its statements fails.
// Statements are numbered 100, 102, 104, ... within their procedure. After a
// report the procedure goes on with the next statement; it is never left.
class ErrorReport {
public:
    // `procedure` is "Module.Procedure", for example "Form1.PushButton5_Click".
    ErrorReport(Dialogs& dialogs, std::string procedure);

    // Runs one statement; a failure (any exception) is reported and swallowed.
    void at(int line, const std::function<void()>& statement);

    // Tests an if-condition; a failure while testing it is reported and counts
    // as true, so execution goes on with the "then" branch.
    bool test(int line, const std::function<bool()>& condition);

    // Reports a failure found by the procedure itself at `line`.
    void fail(int line, const std::string& description);

    // The report's exact text.
    static std::string text(const std::string& description, const std::string& procedure, int line);

private:
    Dialogs& dialogs_;
    std::string procedure_;
};

inline constexpr const char* ErrorReportTitle = "Application Error";
inline constexpr const char* SupportAddress = "support@kelvardo.com";

} // namespace cursovia
