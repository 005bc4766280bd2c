#pragma once
#include "LowLevelHook.h"
#include "automation/MouseEvents.h"

namespace cursovia::win32 {

// The desktop's mouse buttons and wheel through a WH_MOUSE_LL hook on the
// user-interface thread, shaped as the keyboard's hook: Windows calls the
// procedure while this thread retrieves messages and drops a hook that runs
// past LowLevelHooksTimeout, so the procedure only translates the event for
// the sink and always passes it on.
class MouseHook : public MouseEventSource {
public:
    MouseHook() = default;
    ~MouseHook() override { remove(); }
    MouseHook(const MouseHook&) = delete;
    MouseHook& operator=(const MouseHook&) = delete;

    bool install(MouseSink& sink) override;
    void remove() override;
    ClickLimits clickLimits() override;

private:
    static LRESULT CALLBACK procedure(int code, WPARAM message, LPARAM event);
    void deliver(WPARAM message, const MSLLHOOKSTRUCT& event, MonotonicTime time);

    LowLevelHook<MouseHook> hook_;
    MouseSink* sink_ = nullptr;
    // What a fine-grained wheel turned short of a whole notch, carried to its
    // next message.
    int wheelRest_ = 0;
};

} // namespace cursovia::win32
