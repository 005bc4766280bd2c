// The run: the start/stop button and the loop that moves, clicks and waits
// row after row until the stop flag is raised.
#include "automation/RunEngine.h"

#include "automation/Main.h"
#include "automation/RunRandomness.h"
#include "base/Conversions.h"
#include "base/ScopedFlag.h"
#include "base/SettingsKeys.h"

#include <algorithm>
#include <chrono>
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

// What each kind of row does after the move; any other text does nothing more.
struct KindStep {
    std::string_view kind;
    void (modMouse::*carryOut)();
};
constexpr KindStep KindSteps[] = {
    {kind::SingleClick, &modMouse::LeftClick},
    {kind::DoubleClick, &modMouse::LeftDoubleClick},
    {kind::RightClick, &modMouse::RightClick},
    {kind::MiddleClick, &modMouse::MiddleClick},
    {kind::RightDoubleClick, &modMouse::RightDoubleClick},
    {kind::LeftDown, &modMouse::LeftDown},
    {kind::LeftUp, &modMouse::LeftUp},
    {kind::ScrollUp, &modMouse::ScrollUp},
    {kind::ScrollDown, &modMouse::ScrollDown},
};

// How far a run with a limit has come: passes over the list counted in
// steps from the start row, or the time left until its end.
class RunLimit {
public:
    RunLimit(const RunOptions& options, MonotonicTime firstMove)
        : mode_(options.mode), passes_(options.count),
          end_(firstMove + std::chrono::seconds(options.durationSeconds)) {}

    bool limited() const { return mode_ != RepeatMode::UntilStopped; }
    MonotonicTime end() const { return end_; }
    void stepDone() { ++steps_; }

    bool reached(MonotonicTime now, std::size_t rows) const {
        switch (mode_) {
        case RepeatMode::Times: return steps_ >= std::int64_t{passes_} * static_cast<std::int64_t>(rows);
        case RepeatMode::For: return now >= end_;
        case RepeatMode::UntilStopped: break;
        }
        return false;
    }

    // "pass 3 of 10, row 2 of 5" or "0:04:10 left, row 2 of 5".
    std::string progress(MonotonicTime now, std::int64_t row, std::size_t rows) const {
        const std::string where = "row " + std::to_string(row) + " of " + std::to_string(rows);
        if (mode_ == RepeatMode::Times) {
            const std::int64_t pass = rows == 0 ? 1 : std::min<std::int64_t>(passes_, steps_ / static_cast<std::int64_t>(rows) + 1);
            return "pass " + std::to_string(pass) + " of " + std::to_string(passes_) + ", " + where;
        }
        // Whole seconds, rounded up: the end comes as the count reaches 0:00:00.
        const auto left = std::chrono::ceil<std::chrono::seconds>(std::max(end_ - now, MonotonicTime(0)));
        return durationText(left.count()) + " left, " + where;
    }

private:
    RepeatMode mode_;
    std::int32_t passes_;
    MonotonicTime end_;
    std::int64_t steps_ = 0;
};

std::uint32_t seedFromClock() {
    return static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

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
    EventLoop& loop = parts_.loop;
    ErrorReport report(parts_.dialogs, "Form1.MouseClickList");
    report.showEachOnceAtMost(RunReportsShown, RunReportsClosing);
    std::int64_t i = startRow;

    if (report.test(100, [&] {
            return textToNumber(parts_.settings.read(std::string(settings::Loads.name), "")) == 1;
        }))
        report.at(102, [&] { window.showMessage(firstRunTip(parts_.keys)); });
    report.at(104, [&] { window.minimise(); });

    // The limit counts from here, the first move, after the window has hidden.
    const RunOptions options = window.runOptions();
    RunRandomness random(parts_.seed ? parts_.seed() : seedFromClock(), options.positionJitter, options.waitJitter,
                         options.positionJitter > 0 ? parts_.mouse.Screens() : std::vector<ScreenArea>{});
    RunLimit limit(options, loop.now());
    std::string progressShown;
    const auto showProgress = [&] {
        if (!limit.limited()) return;
        std::string progress = limit.progress(loop.now(), i, list.rowCount());
        if (progress != progressShown) window.showProgress(progressShown = std::move(progress));
    };
    const RunDeadline deadline{limit.end(), showProgress};
    const RunDeadline* waitsEndBy = options.mode == RepeatMode::For ? &deadline : nullptr;
    // The run's checks: a stop, a list emptied meanwhile (nothing is left to
    // replay), or the end of its limit.
    const auto runEnds = [&] { return StopFlag || list.rowCount() == 0 || limit.reached(loop.now(), list.rowCount()); };

    while (list.rowCount() > 0) {
        showProgress();
        report.at(106, [&] {
            const Action& row = rowAt(list, i);
            const std::int32_t x = field(i, row.x, [](const std::string& t) { return toInt32(textToNumber(t)); });
            const std::int32_t y = field(i, row.y, [](const std::string& t) { return toInt32(textToNumber(t)); });
            const ScreenPoint at = random.position({x, y});
            parts_.mouse.MoveMouse(at.x, at.y);
        });
        if (runEnds()) break;
        report.at(108, [&] {
            const std::string& kind = rowAt(list, i).kind;
            const auto step = std::find_if(std::begin(KindSteps), std::end(KindSteps),
                                           [&](const KindStep& s) { return s.kind == kind; });
            if (step != std::end(KindSteps)) (parts_.mouse.*step->carryOut)();
            // Once per row, after its last event: the next row's move cannot
            // overtake this row's click, and a zero-wait run waits for the
            // system once per row rather than once per event.
            parts_.mouse.Settle();
        });
        if (runEnds()) break;
        report.at(110, [&] {
            // A wait that cannot be read still yields once, so the run stays stoppable.
            double seconds = 0;
            std::exception_ptr unreadable;
            try {
                seconds = field(i, rowAt(list, i).wait, [](const std::string& t) { return textToNumber(t); });
            } catch (...) {
                unreadable = std::current_exception();
            }
            WaitSeconds(loop, StopFlag, random.wait(seconds), waitsEndBy);
            if (unreadable) std::rethrow_exception(unreadable);
        });
        limit.stepDone();
        if (runEnds()) break;
        report.at(112, [&] {
            ++i;
            if (i > static_cast<std::int64_t>(list.rowCount())) i = 1;
        });
        report.at(114, [&] { list.select(static_cast<std::size_t>(i - 1)); });
        if (runEnds()) break;
    }

    // However the run ended, no button stays down, and the tip is the product name again.
    parts_.mouse.ReleaseHeldButtons();
    if (limit.limited()) window.showProgress("");
    report.at(116, [&] { window.showWindow(); });
    report.at(118, [&] { window.focusWindow(); });
    report.at(120, [&] { window.clearTrayHidden(); });
}

} // namespace cursovia
