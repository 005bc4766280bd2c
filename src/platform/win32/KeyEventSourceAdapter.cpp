#include "KeyEventSourceAdapter.h"

#include "VirtualKeyTable.h"
#include "base/CallbackBoundary.h"

#include <optional>

namespace cursovia::win32 {
namespace {

struct KeyMessage {
    WPARAM message;
    bool down;
};

// Alt turns key messages into their WM_SYS forms; both count.
constexpr KeyMessage KeyMessages[] = {
    {WM_KEYDOWN, true},
    {WM_SYSKEYDOWN, true},
    {WM_KEYUP, false},
    {WM_SYSKEYUP, false},
};

std::optional<bool> keyDown(WPARAM message) {
    for (const KeyMessage& k : KeyMessages)
        if (k.message == message) return k.down;
    return std::nullopt;
}

} // namespace

bool KeyboardHook::install(KeySink& sink) {
    remove();
    if (!hook_.install(*this, WH_KEYBOARD_LL, &KeyboardHook::procedure)) return false;
    sink_ = &sink;
    return true;
}

void KeyboardHook::remove() {
    hook_.remove();
    sink_ = nullptr;
}

bool KeyboardHook::isKeyDown(Key key) {
    const std::optional<unsigned> virtualKey = virtualKeyForKey(key);
    return virtualKey && (GetAsyncKeyState(static_cast<int>(*virtualKey)) & 0x8000) != 0;
}

LRESULT CALLBACK KeyboardHook::procedure(int code, WPARAM message, LPARAM event) {
    // The event itself says which key moved: the asynchronous key state is not
    // yet updated for it when the hook runs. Injected events count the same.
    KeyboardHook* const installed = LowLevelHook<KeyboardHook>::installed();
    if (code == HC_ACTION && installed && installed->sink_) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(event);
        const std::optional<bool> down = keyDown(message);
        if (const std::optional<Key> known = keyForVirtualKey(key->vkCode); down && known) {
            // Only logged: a message box here would hold up every key of the
            // desktop past LowLevelHooksTimeout.
            runAtCallbackBoundary(KeyboardHookProc, nullptr, [&] { installed->sink_->onKeyEvent({*known, *down}); });
        }
    }
    return CallNextHookEx(nullptr, code, message, event);
}

} // namespace cursovia::win32
