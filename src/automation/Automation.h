#pragma once
#include "automation/GlobalKeys.h"
#include "automation/MouseRecording.h"
#include "automation/RunEngine.h"
#include "automation/modKeyboard.h"
#include "automation/modMouse.h"

#include <cstdint>
#include <functional>

namespace cursovia {

// The run's state in one room: the chosen keys, the pointer, the run with
// its StopFlag, the recording, and the keyboard hook that raises the flag or
// ends the recording, wired to each other.
// The window only hands over the ports and answers RunWindow.
struct Automation {
    struct Ports {
        ActionList& list;
        Dialogs& dialogs;
        SettingsStore& settings;
        EventLoop& loop;
        Pointer& pointer;
        KeyEventSource& keys;
        MouseEventSource& mouseEvents;
        // Seeds each run's random source; the clock, unless a test fixes it.
        std::function<std::uint32_t()> seed;
    };
    Automation(Ports ports, RunWindow& window)
        : mouse(ports.pointer),
          run({ports.list, ports.dialogs, ports.settings, ports.loop, mouse, window, keys, ports.seed}),
          recording(ports.mouseEvents),
          keyboard({ports.keys, ports.dialogs, ports.settings, ports.loop, mouse, window, run, recording, keys}) {}

    GlobalKeys keys;
    modMouse mouse;
    RunEngine run;
    MouseRecording recording;
    modKeyboard keyboard;
};

} // namespace cursovia
