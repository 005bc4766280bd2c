#include "Pointer.h"

#include <windows.h>

namespace cursovia::win32 {

void CursorPointer::moveTo(ScreenPoint at) { SetCursorPos(at.x, at.y); }

void CursorPointer::leftClick() {
    // Press and release in one injection: nothing can come between them.
    INPUT events[2]{};
    events[0].type = INPUT_MOUSE;
    events[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    events[1].type = INPUT_MOUSE;
    events[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, events, sizeof(INPUT));
}

ScreenPoint CursorPointer::position() {
    POINT at{};
    GetCursorPos(&at);
    return {at.x, at.y};
}

} // namespace cursovia::win32
