// The run: the start/stop button and the loop that moves, clicks and waits
// row after row until the stop flag is raised.
#include "automation/RunEngine.h"

#include "automation/Main.h"
#include "base/Conversions.h"
#include "base/ScopedFlag.h"
#include "base/SettingsKeys.h"

#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace cursovia {
namespace {

std::string firstRunTip(const GlobalKeys& keys) {
    return "This is a one-time message since this is your first time using this software. Please remember this tip: "
           "press " +
           combinationText(shownStopKey(keys)) +
           " keys together to stop running this automation. You can also click on the 'Help' button later for more "
           "instructions.";
}

// A row that fails on every pass must not bury the user under message boxes,
// nor must a list of many rows that fail each in its own way.
constexpr std::size_t RunReportsShown = 10;
const std::string RunReportsClosing = "More steps of this run failed; no more reports are shown until it ends";

// Row `position` (1-based) of the list, read afresh; failures name the row.
const Action& rowAt(const ActionList& list, std::int64_t position) {
    if (position < 1 || static_cast<std::uint64_t>(position) > list.rowCount())
        throw std::out_of_range("Row " + std::to_string(position) + " no longer exists; the list has " +
                                std::to_string(list.rowCount()) + " rows");
    return list.row(static_cast<std::size_t>(position - 1));
}

// The run's checks: a stop, or a list emptied meanwhile (nothing is left to replay).
bool runEnds(bool stopFlag, const ActionList& list) { return stopFlag || list.rowCount() == 0; }

template <typename Convert>
auto field(std::int64_t position, const std::string& text, Convert convert) {
    try {
        return convert(text);
    } catch (const ConversionError& e) {
        throw ConversionError("Row " + std::to_string(position) + ": " + e.what());
    }
}

} // namespace

void RunEngine::startOrStop(ErrorReport& report) {
    ActionList& list = parts_.list;
    RunWindow& window = parts_.window;
    if (report.test(100, [&] { return list.rowCount() == 0; })) {
        report.at(102, [&] { window.showMessage("No items in the list."); });
        return;
    }
    if (report.test(104, [&] { return window.buttonCaption() == startCaption(parts_.keys); })) {
        report.at(106, [&] { window.setButtonCaption(stopCaption(parts_.keys)); });
        std::optional<std::int64_t> startRow;
        if (report.test(108, [&] { return window.startsFromFirstRow(); })) {
            report.at(110, [&] { startRow = 1; });
        } else if (report.test(112, [&] { return window.startsFromSelectedRow(); })) {
            if (report.test(114, [&] { return list.selected().has_value(); }))
                report.at(116, [&] { startRow = static_cast<std::int64_t>(list.selected().value()) + 1; });
            else
                report.at(118, [&] { window.showMessage("No items selected."); });
        }
        if (startRow) {
            report.at(120, [&] { StopFlag = false; });
            report.at(122, [&] {
                const ScopedFlag running(running_);
                MouseClickList(*startRow);
            });
        }
        report.at(124, [&] { window.setButtonCaption(startCaption(parts_.keys)); });
        return;
    }
    // A run is active further down the call stack; it sees the flag at its next check.
    report.at(126, [&] { StopFlag = true; });
    report.at(128, [&] { parts_.loop.processPendingEvents(); });
}

void RunEngine::MouseClickList(std::int64_t startRow) {
    ActionList& list = parts_.list;
    RunWindow& window = parts_.window;
    ErrorReport report(parts_.dialogs, "Form1.MouseClickList");
    report.showEachOnceAtMost(RunReportsShown, RunReportsClosing);
    std::int64_t i = startRow;

    if (report.test(100, [&] {
            return textToNumber(parts_.settings.read(std::string(settings::Loads.name), "")) == 1;
        }))
        report.at(102, [&] { window.showMessage(firstRunTip(parts_.keys)); });
    report.at(104, [&] { window.minimise(); });

    while (list.rowCount() > 0) {
        report.at(106, [&] {
            const Action& row = rowAt(list, i);
            const std::int32_t x = field(i, row.x, [](const std::string& t) { return toInt32(textToNumber(t)); });
            const std::int32_t y = field(i, row.y, [](const std::string& t) { return toInt32(textToNumber(t)); });
            parts_.mouse.MoveMouse(x, y);
        });
        if (runEnds(StopFlag, list)) break;
        report.at(108, [&] {
            const std::string& kind = rowAt(list, i).kind;
            if (kind == kind::SingleClick) parts_.mouse.LeftClick();
            else if (kind == kind::DoubleClick) parts_.mouse.LeftDoubleClick();
        });
        if (runEnds(StopFlag, list)) break;
        report.at(110, [&] {
            // A wait that cannot be read still yields once, so the run stays stoppable.
            double seconds = 0;
            std::exception_ptr unreadable;
            try {
                seconds = field(i, rowAt(list, i).wait, [](const std::string& t) { return textToNumber(t); });
            } catch (...) {
                unreadable = std::current_exception();
            }
            WaitSeconds(parts_.loop, StopFlag, seconds);
            if (unreadable) std::rethrow_exception(unreadable);
        });
        if (runEnds(StopFlag, list)) break;
        report.at(112, [&] {
            ++i;
            if (i > static_cast<std::int64_t>(list.rowCount())) i = 1;
        });
        report.at(114, [&] { list.select(static_cast<std::size_t>(i - 1)); });
        if (runEnds(StopFlag, list)) break;
    }

    report.at(116, [&] { window.showWindow(); });
    report.at(118, [&] { window.focusWindow(); });
    report.at(120, [&] { window.clearTrayHidden(); });
}

} // namespace cursovia
