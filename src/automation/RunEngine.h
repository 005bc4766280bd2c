#pragma once
#include "automation/RunWindow.h"
#include "automation/modMouse.h"
#include "base/ActionList.h"
#include "base/Dialogs.h"
#include "base/ErrorReport.h"
#include "base/EventLoop.h"
#include "base/SettingsStore.h"

#include <cstdint>
#include <functional>

namespace cursovia {

inline constexpr const char* StartCaption = "Start Running (Press Ctrl + Alt + S To Stop)";
inline constexpr const char* StopCaption = "Stop Running (Press Ctrl + Alt + S To Stop)";

// The run: the start/stop button and the loop that moves, clicks and waits
// row after row until the stop flag is raised or its limit is reached. The loop runs on the
// user-interface thread; a second press of the button re-enters startOrStop
// from inside the loop's waits and raises the flag.
class RunEngine {
public:
    struct Parts {
        ActionList& list;
        Dialogs& dialogs;
        SettingsStore& settings;
        EventLoop& loop;
        modMouse& mouse;
        RunWindow& window;
        // Seeds each run's random source; the clock, unless a test fixes it.
        std::function<std::uint32_t()> seed;
    };
    // `stopFlag` is the process-wide StopFlag, also raised by the global keys.
    RunEngine(Parts parts, bool& stopFlag) : parts_(parts), stopFlag_(stopFlag) {}

    // The start/stop button: starts a run, or stops the one under way.
    void startOrStop(ErrorReport& report);

    // The loop itself, from row `startRow` (1-based); reports as "Form1.MouseClickList".
    // It ends when stopped, when the list is emptied or at the end of the
    // Repeat option's limit, and never leaves a button held.
    void MouseClickList(std::int64_t startRow);

    // The program is closing, perhaps in the middle of a run: lets go of any
    // button the run holds down.
    void releaseHeldButtons() { parts_.mouse.ReleaseHeldButtons(); }

private:
    Parts parts_;
    bool& stopFlag_;
};

} // namespace cursovia
