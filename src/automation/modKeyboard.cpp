#include "automation/modKeyboard.h"

#include <utility>

namespace cursovia {

modKeyboard::modKeyboard(KeyEventSource& source, Actions actions) : source_(source), actions_(std::move(actions)) {}

void modKeyboard::InstallKeyboardHook() {
    // Ctrl may already be held when the hook starts watching; later presses
    // and releases keep the state current.
    leftCtrl_ = source_.isKeyDown(vk::LeftControl);
    rightCtrl_ = source_.isKeyDown(vk::RightControl);
    installed_ = source_.install(*this);
}

void modKeyboard::RemoveKeyboardHook() {
    source_.remove();
    installed_ = false;
}

void modKeyboard::onKeyEvent(const KeyEvent& event) {
    switch (event.virtualKey) {
    case vk::Control:
    case vk::LeftControl: leftCtrl_ = event.down; return;
    case vk::RightControl: rightCtrl_ = event.down; return;
    case vk::F6:
        if (event.down) {
            try {
                actions_.capture();
            } catch (...) {
            }
        }
        return;
    case vk::S:
        if (event.down && ctrlHeld()) actions_.stop();
        return;
    default: return;
    }
}

} // namespace cursovia
