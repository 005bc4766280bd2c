#pragma once
#include "LowLevelHook.h"
#include "automation/KeyEvents.h"

namespace cursovia::win32 {

// The desktop's keys through a WH_KEYBOARD_LL hook on the user-interface
// thread. Windows calls the procedure while this thread retrieves messages,
// and silently drops a hook whose procedure runs past LowLevelHooksTimeout:
// the procedure only translates the event for the sink, whose work is a few
// captions at most, and always passes the event on.
class KeyboardHook : public KeyEventSource {
public:
    KeyboardHook() = default;
    ~KeyboardHook() override { remove(); }
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    bool install(KeySink& sink) override;
    void remove() override;
    bool isKeyDown(Key key) override;

private:
    static LRESULT CALLBACK procedure(int code, WPARAM message, LPARAM event);

    LowLevelHook<KeyboardHook> hook_;
    KeySink* sink_ = nullptr;
};

} // namespace cursovia::win32
