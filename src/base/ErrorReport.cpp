#include "base/ErrorReport.h"

#include <exception>
#include <utility>

namespace cursovia {
namespace {

std::string describe(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return "Out of memory";
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unexpected failure";
    }
}

} // namespace

ErrorReport::ErrorReport(Dialogs& dialogs, std::string procedure)
    : dialogs_(dialogs), procedure_(std::move(procedure)) {}

std::string ErrorReport::text(const std::string& description, const std::string& procedure, int line) {
    return description + "\r\n" + "in CursoviaApp2021/08/31." + procedure + " " + "at line " + std::to_string(line) +
           "\r\r" + "Please email screenshot of this message to " + SupportAddress;
}

void ErrorReport::showEachOnceAtMost(std::size_t count, std::string closingDescription) {
    limit_ = Limit{count, std::move(closingDescription), {}};
}

void ErrorReport::fail(int line, const std::string& description) {
    std::string report = text(description, procedure_, line);
    if (limit_) {
        if (limit_->closed || !limit_->shown.insert(report).second) return;
        if (limit_->shown.size() > limit_->count) {
            limit_->closed = true;
            report = text(limit_->closingDescription, procedure_, line);
        }
    }
    dialogs_.messageBox(report, ErrorReportTitle, MessageButtons::Ok, MessageIcon::Exclamation);
}

void ErrorReport::at(int line, const std::function<void()>& statement) {
    try {
        statement();
    } catch (...) {
        fail(line, describe(std::current_exception()));
    }
}

bool ErrorReport::test(int line, const std::function<bool()>& condition) {
    try {
        return condition();
    } catch (...) {
        fail(line, describe(std::current_exception()));
        return true;
    }
}

} // namespace cursovia
