#pragma once
#include <windows.h>

namespace cursovia::win32 {

// The main window's handle, for the ports built before it: dialogs are owned
// by it, the shell opens things on its behalf, and the message loop sends it
// keyboard navigation. Null until the window exists.
struct OwnerWindow {
    HWND hwnd = nullptr;
};

} // namespace cursovia::win32
