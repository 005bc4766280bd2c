#pragma once
#include "automation/KeyEvents.h"

#include <functional>

namespace cursovia {

// The global keys: F6 captures the pointer position, S while Ctrl is held
// raises the stop flag. The decision is made from each key event itself:
// F6 is tested first, Alt is ignored, and no key is ever blocked.
class modKeyboard : public KeySink {
public:
    struct Actions {
        std::function<void()> capture;
        std::function<void()> stop;
    };
    modKeyboard(KeyEventSource& source, Actions actions);

    void InstallKeyboardHook();
    void RemoveKeyboardHook();
    bool installed() const { return installed_; }

    // The hook procedure. The capture reports its own failures; one that
    // still escapes it stops here: no exception may travel back through the
    // platform's callback.
    void onKeyEvent(const KeyEvent& event) override;

private:
    bool ctrlHeld() const { return leftCtrl_ || rightCtrl_; }

    KeyEventSource& source_;
    Actions actions_;
    bool installed_ = false;
    bool leftCtrl_ = false;
    bool rightCtrl_ = false;
};

} // namespace cursovia
