#pragma once
#include "automation/GlobalKeys.h"
#include "automation/KeyEvents.h"

#include <optional>

namespace cursovia {

class Dialogs;
class EventLoop;
class RunEngine;
class RunWindow;
class SettingsStore;
class modMouse;
class MouseRecording;

// The global keys: the capture key writes the pointer position into the X
// and Y labels, the stop key raises StopFlag, the start/stop key presses the
// start/stop button; during a recording either of the last two ends it. The decision is made from each key event itself (which
// key went down, which modifiers were down at that moment), and no key is
// ever blocked. While the user chooses a new combination in the Keys frame,
// the next key chooses instead of acting.
class modKeyboard : public KeySink {
public:
    struct Parts {
        KeyEventSource& source;
        Dialogs& dialogs;
        SettingsStore& settings;
        EventLoop& loop;
        modMouse& mouse;
        RunWindow& window;
        RunEngine& run;
        MouseRecording& recording;
        GlobalKeys& keys;
    };
    explicit modKeyboard(Parts parts) : parts_(parts) {}

    void InstallKeyboardHook();
    void RemoveKeyboardHook();
    bool installed() const { return installed_; }

    // Reads the three keys from the settings; returns what to tell the user
    // about stored values that were ignored (empty when none was).
    std::string readKeys();

    // The next combination pressed becomes `role`'s key (Escape cancels,
    // Backspace clears a key that may be none); a second call for the same
    // role cancels.
    void chooseKey(KeyRole role);
    std::optional<KeyRole> choosing() const { return choosing_; }

    // The hook procedure. The capture reports its own failures under
    // "modKeyboard.KeyboardHookProc"; nothing escapes back into the platform.
    void onKeyEvent(const KeyEvent& event) override;

    void CaptureMousePosition();

private:
    void trackModifier(Modifier modifier, const KeyEvent& event);
    void chosen(const KeyEvent& event);
    void finishChoosing(std::optional<KeyCombination> combination);

    Parts parts_;
    bool installed_ = false;
    // Each modifier key on its own: one Ctrl released while the other is held still counts.
    bool down_[9] = {};
    Key loneModifier_ = Key::None; // a modifier pressed while choosing, with no key since
    std::optional<KeyRole> choosing_;
};

} // namespace cursovia
