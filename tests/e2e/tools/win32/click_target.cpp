// A plain window that logs every left, right and middle button press,
// release and double click, every wheel notch and every move with the left
// button held (a drag), with its screen coordinates. End-to-end tests point a clicker
// at it and read the log back to see where the clicks really landed.
//
//   click_target.exe X Y WIDTH HEIGHT LOGFILE
//
// X, Y, WIDTH, HEIGHT give the outer window rectangle in screen pixels.
// Each log line is "<message> <screenX> <screenY> <time>", e.g.
// "WM_LBUTTONDOWN 960 540 81234", "WM_MOUSEMOVE_LBUTTON 970 540 81290" (a move
// while the left button is down), "WM_MOUSEWHEEL_UP 960 540 81310" or
// "WM_MOUSEWHEEL_DOWN ...", the time being the message's (GetMessageTime, in
// milliseconds), so a test can measure the gaps between the events as the
// system stamped them. Lines are flushed as soon as they are written so a
// test can read the log while we run.

#include "mouse_log.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr wchar_t kWindowTitle[] = L"Cursovia Click Target";
constexpr wchar_t kWindowClass[] = L"CursoviaClickTarget";

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* log = reinterpret_cast<e2e::MouseLog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // Mouse messages carry coordinates as signed 16-bit values: client ones,
    // but the wheel's are already on the screen.
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const char* name = e2e::mouseMessageName(message);
    if (message == WM_MOUSEMOVE && (wParam & MK_LBUTTON)) name = "WM_MOUSEMOVE_LBUTTON";
    if (message == WM_MOUSEWHEEL) {
        if (log) log->write(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? "WM_MOUSEWHEEL_UP" : "WM_MOUSEWHEEL_DOWN", point, GetMessageTime());
        return 0;
    }
    if (name) {
        ClientToScreen(window, &point);
        // The system also reports moves to where the pointer already was.
        static POINT lastLogged{-1, -1};
        const bool moved = point.x != lastLogged.x || point.y != lastLogged.y;
        if (log && (message != WM_MOUSEMOVE || moved)) log->write(name, point, GetMessageTime());
        lastLogged = point;
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool parseInt(const wchar_t* text, int& value) {
    wchar_t* end = nullptr;
    const long parsed = std::wcstol(text, &end, 10);
    if (end == text || *end != L'\0') return false;
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    int x = 0, y = 0, width = 0, height = 0;
    if (argc != 6 || !parseInt(argv[1], x) || !parseInt(argv[2], y) ||
        !parseInt(argv[3], width) || !parseInt(argv[4], height) || width <= 0 || height <= 0) {
        std::fputs("usage: click_target X Y WIDTH HEIGHT LOGFILE\n", stderr);
        return 2;
    }
    e2e::MouseLog log(argv[5]);
    if (!log.isOpen()) {
        std::fprintf(stderr, "click_target: cannot open log file %ls\n", argv[5]);
        return 1;
    }

    // Screen coordinates in the log must be physical pixels, whatever the
    // display scaling is.
    SetProcessDPIAware();

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;  // without it double clicks arrive as plain presses
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&windowClass)) return 1;

    HWND window = CreateWindowExW(0, kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, x, y,
                                  width, height, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log));
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
