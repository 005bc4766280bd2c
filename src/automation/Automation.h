#pragma once
#include "automation/GlobalKeys.h"
#include "automation/RunEngine.h"
#include "automation/modKeyboard.h"
#include "automation/modMouse.h"

namespace cursovia {

// The run's state in one room: the chosen keys, the pointer, the run with
// its StopFlag and the keyboard hook that raises it, wired to each other.
// The window only hands over the ports and answers RunWindow.
struct Automation {
    struct Ports {
        ActionList& list;
        Dialogs& dialogs;
        SettingsStore& settings;
        EventLoop& loop;
        Pointer& pointer;
        KeyEventSource& keys;
    };
    Automation(Ports ports, RunWindow& window)
        : mouse(ports.pointer),
          run({ports.list, ports.dialogs, ports.settings, ports.loop, mouse, window, keys}),
          keyboard({ports.keys, ports.dialogs, ports.settings, ports.loop, mouse, window, run, keys}) {}

    GlobalKeys keys;
    modMouse mouse;
    RunEngine run;
    modKeyboard keyboard;
};

} // namespace cursovia
