#include "base/CallbackBoundary.h"

#include "base/ErrorReport.h"

#include <cstdio>
#include <exception>
#include <new>
#include <string>

namespace cursovia {
namespace {

constexpr int WholeBody = 100;

void writeToLog(const char* procedure, const std::string& description) noexcept {
    std::fprintf(stderr, "cursovia: %s failed: %s\n", procedure, description.c_str());
    std::fflush(stderr);
}

} // namespace

void runAtCallbackBoundary(const char* procedure, Dialogs* dialogs, const std::function<void()>& handler) noexcept {
    std::string description;
    try {
        handler();
        return;
    } catch (const std::bad_alloc&) {
        description = "Out of memory"; // short enough to need no memory of its own
    } catch (const std::exception& e) {
        description = e.what();
    } catch (...) {
        description = "Unexpected failure";
    }
    writeToLog(procedure, description);
    if (!dialogs) return;
    try {
        ErrorReport(*dialogs, procedure).fail(WholeBody, description);
    } catch (const std::exception& e) {
        writeToLog(procedure, std::string("its error report could not be shown: ") + e.what());
    } catch (...) {
        writeToLog(procedure, "its error report could not be shown");
    }
}

} // namespace cursovia
