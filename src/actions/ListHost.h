#pragma once
#include "actions/ParsedRows.h"
#include "base/Action.h"

#include <string>
#include <vector>

namespace cursovia {

class ErrorReport;

// What the list's commands ask of the window that holds the list.
class ListHost {
public:
    virtual ~ListHost() = default;
    // Keeps the list across runs; called after every change.
    virtual void saveList() = 0;
    // The program's own message: OK only, no icon, the application title.
    virtual void showMessage(const std::string& text) = 0;
    // The same with the warning icon, for what the user asked that cannot be done.
    virtual void showWarning(const std::string& text) = 0;

    // The list kept across runs cannot hold every text. Throws, saying why,
    // when it could not keep `row` as written.
    virtual void requireKeptAsWritten(const Action& row) = 0;
    // Takes the rows it could not keep out of `rows`, reporting each at `line`
    // as a row `origin` ("in the file").
    virtual void dropRowsNotKeptAsWritten(std::vector<ParsedRow>& rows, ErrorReport& report, int line,
                                          const std::string& origin) = 0;
};

} // namespace cursovia
