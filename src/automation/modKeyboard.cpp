#include "automation/modKeyboard.h"

#include "automation/MouseRecording.h"
#include "automation/RunEngine.h"
#include "automation/RunWindow.h"
#include "automation/modMouse.h"
#include "base/Dialogs.h"
#include "base/ErrorReport.h"
#include "base/EventLoop.h"

namespace cursovia {
namespace {

constexpr Key ModifierKeys[] = {Key::LeftCtrl, Key::RightCtrl, Key::LeftAlt,  Key::RightAlt,
                                Key::LeftShift, Key::RightShift, Key::LeftWin, Key::RightWin};

std::size_t slot(Key modifierKey) { return static_cast<std::size_t>(modifierKey); }

} // namespace

void modKeyboard::InstallKeyboardHook() {
    // Modifiers may already be held when the hook starts watching; later
    // presses and releases keep the state current.
    for (Key k : ModifierKeys) down_[slot(k)] = parts_.source.isKeyDown(k);
    installed_ = parts_.source.install(*this);
}

void modKeyboard::RemoveKeyboardHook() {
    parts_.source.remove();
    installed_ = false;
}

std::string modKeyboard::readKeys() {
    std::string ignored = readGlobalKeys(parts_.settings, parts_.keys);
    parts_.window.keysChanged();
    return ignored;
}

void modKeyboard::chooseKey(KeyRole role) {
    choosing_ = choosing_ == role ? std::nullopt : std::optional<KeyRole>(role);
    loneModifier_ = Key::None;
    parts_.window.keysChanged();
}

void modKeyboard::CaptureMousePosition() {
    const modMouse::Captions captions = parts_.mouse.CaptureMousePosition();
    parts_.window.showPosition(captions.x, captions.y);
}

void modKeyboard::onKeyEvent(const KeyEvent& event) {
    if (const Modifier m = modifierOf(event.key); m != Modifier::None) {
        down_[slot(event.key)] = event.down;
        if (choosing_) {
            if (event.down) loneModifier_ = event.key;
            else if (loneModifier_ == event.key) {
                loneModifier_ = Key::None;
                finishChoosing(KeyCombination{m, event.key}); // refused: a modifier alone
            }
        }
        return;
    }
    if (!event.down) return;
    if (choosing_) return chosen(event);

    Modifiers held;
    for (Key k : ModifierKeys)
        if (down_[slot(k)]) held = held | modifierOf(k);
    const std::optional<KeyRole> role = decideKey(parts_.keys, event.key, held);
    if (!role) return;
    if (parts_.recording.active() && *role != KeyRole::Capture) {
        // The recording lasts until this press; its rows are taken in later.
        parts_.loop.post([this, at = parts_.loop.now()] { parts_.window.endRecording(at); });
        return;
    }
    switch (*role) {
    case KeyRole::Capture:
        // The hook has no trap of its own: a failed capture is reported under it.
        ErrorReport(parts_.dialogs, std::string(KeyboardHookProc)).at(100, [&] { CaptureMousePosition(); });
        return;
    case KeyRole::Stop: parts_.run.StopFlag = true; return;
    case KeyRole::Start:
        // As the button: later, so that a run never holds the platform's key callback.
        parts_.loop.post([this] {
            ErrorReport report(parts_.dialogs, std::string(RunButtonProcedure));
            parts_.run.startOrStop(report);
        });
        return;
    }
}

void modKeyboard::chosen(const KeyEvent& event) {
    loneModifier_ = Key::None;
    Modifiers held;
    for (Key k : ModifierKeys)
        if (down_[slot(k)]) held = held | modifierOf(k);
    if (held == Modifiers{} && event.key == Key::Escape) return finishChoosing(std::nullopt);
    if (held == Modifiers{} && event.key == Key::Backspace) {
        if (mayBeEmpty(*choosing_)) return finishChoosing(KeyCombination{});
        return; // this key may not be none: keep waiting
    }
    finishChoosing(KeyCombination{held, event.key});
}

void modKeyboard::finishChoosing(std::optional<KeyCombination> combination) {
    const KeyRole role = *choosing_;
    choosing_.reset();
    if (combination) {
        if (const std::optional<std::string> why = refusal(parts_.keys, role, *combination)) {
            parts_.window.keysChanged();
            // Out of the key callback, which must return at once.
            parts_.loop.post([this, text = *why] { parts_.window.showMessage(text); });
            return;
        }
        parts_.keys[role] = *combination;
        writeGlobalKey(parts_.settings, role, *combination);
    }
    parts_.window.keysChanged();
}

} // namespace cursovia
