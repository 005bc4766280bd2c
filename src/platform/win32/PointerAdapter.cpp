#include "PointerAdapter.h"

#include <windows.h>

namespace cursovia::win32 {
namespace {

// SendInput's flags for each MouseButton (Left, Right, Middle): pressed, released.
constexpr DWORD ButtonFlags[][2] = {
    {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
    {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
    {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP},
};

BOOL CALLBACK addMonitor(HMONITOR, HDC, LPRECT area, LPARAM areas) {
    reinterpret_cast<std::vector<ScreenArea>*>(areas)->push_back({area->left, area->top, area->right, area->bottom});
    return TRUE;
}

} // namespace

void CursorPointer::moveTo(ScreenPoint at) { SetCursorPos(at.x, at.y); }

void CursorPointer::buttons(std::span<const ButtonEvent> events) {
    // All in one injection: nothing can come between them.
    std::vector<INPUT> inputs(events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = ButtonFlags[static_cast<std::size_t>(events[i].button)][events[i].pressed ? 0 : 1];
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void CursorPointer::wheel(WheelStep step) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(step == WheelStep::Up ? WHEEL_DELTA : -WHEEL_DELTA);
    SendInput(1, &input, sizeof(INPUT));
}

// SetCursorPos has moved the pointer when it returns, and SendInput has
// handed its events to the system's input stream: there is no server to
// wait for, so this build waits for nothing here, as it did before.
void CursorPointer::settle() {}

ScreenPoint CursorPointer::position() {
    POINT at{};
    GetCursorPos(&at);
    return {at.x, at.y};
}

std::vector<ScreenArea> CursorPointer::screens() {
    std::vector<ScreenArea> areas;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

} // namespace cursovia::win32
