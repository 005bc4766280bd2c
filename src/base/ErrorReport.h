#pragma once
#include "base/Dialogs.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <set>
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

    // For a procedure that loops: each distinct report is shown once, and only
    // the first `count` of them; the next new failure is reported with
    // `closingDescription` instead, and nothing more is shown after it.
    void showEachOnceAtMost(std::size_t count, std::string closingDescription);

    // The report's exact text.
    static std::string text(const std::string& description, const std::string& procedure, int line);

private:
    struct Limit {
        std::size_t count;
        std::string closingDescription;
        std::set<std::string> shown;
        bool closed = false;
    };

    Dialogs& dialogs_;
    std::string procedure_;
    std::optional<Limit> limit_;
};

inline constexpr const char* ErrorReportTitle = "Application Error";
inline constexpr const char* SupportAddress = "support@kelvardo.com";

} // namespace cursovia
