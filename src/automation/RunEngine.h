#pragma once
#include "automation/GlobalKeys.h"
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

// The start/stop button's captions with the default stop key (see startCaption).
inline constexpr const char* StartCaption = "Start Running (Press Ctrl + Alt + S To Stop)";
inline constexpr const char* StopCaption = "Stop Running (Press Ctrl + Alt + S To Stop)";
// Where the start/stop button reports, pressed or started by its key.
inline constexpr std::string_view RunButtonProcedure = "Form1.PushButton5_Click";

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
        const GlobalKeys& keys;
        // Seeds each run's random source; the clock, unless a test fixes it.
        std::function<std::uint32_t()> seed;
    };
    explicit RunEngine(Parts parts) : parts_(parts) {}

    // The start/stop button: starts a run, or stops the one under way.
    void startOrStop(ErrorReport& report);

    // The loop itself, from row `startRow` (1-based); reports as "Form1.MouseClickList".
    // It ends when stopped, when the list is emptied or at the end of the
    // Repeat option's limit, and never leaves a button held.
    void MouseClickList(std::int64_t startRow);

    // The program is closing, perhaps in the middle of a run: lets go of any
    // button the run holds down.
    void releaseHeldButtons() { parts_.mouse.ReleaseHeldButtons(); }
    // Whether a run is under way, further down the call stack.
    bool running() const { return running_; }

    // Raised by the stop key and by a second press of the button; cleared
    // just before each run.
    bool StopFlag = false;

private:
    Parts parts_;
    bool running_ = false;
};

} // namespace cursovia
