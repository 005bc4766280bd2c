#pragma once
#include "Handles.h"

namespace cursovia::win32 {

// A low-level hook (WH_KEYBOARD_LL, WH_MOUSE_LL) of the whole desktop, called
// on this thread while it retrieves messages. The hook procedure has no
// context argument: `installed()` is how it finds the one `Owner` installed.
template <class Owner>
class LowLevelHook {
public:
    bool install(Owner& owner, int kind, HOOKPROC procedure) {
        remove();
        hook_.reset(SetWindowsHookExW(kind, procedure, GetModuleHandleW(nullptr), 0));
        if (hook_) installed_ = &owner;
        return static_cast<bool>(hook_);
    }
    void remove() {
        if (hook_) installed_ = nullptr;
        hook_.reset();
    }
    static Owner* installed() { return installed_; }

private:
    inline static Owner* installed_ = nullptr;
    UniqueHook hook_;
};

} // namespace cursovia::win32
