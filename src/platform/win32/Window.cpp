#include "Window.h"

#include "SystemError.h"
#include "base/CallbackBoundary.h"

#include <optional>
#include <stdexcept>

namespace cursovia::win32 {

Window::~Window() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void Window::create(const Creation& creation) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(instance, creation.className, &windowClass)) {
        windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &Window::procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hIcon = creation.icon;
        windowClass.hIconSm = creation.smallIcon;
        windowClass.lpszClassName = creation.className;
        if (!RegisterClassExW(&windowClass))
            throw std::runtime_error("The window class could not be registered: " + systemMessage(GetLastError()));
    }
    // The handle is stored by WM_NCCREATE, before the first message that needs it.
    if (!CreateWindowExW(creation.exStyle, creation.className, creation.title, creation.style, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, creation.parent, nullptr, instance, this))
        throw std::runtime_error("The window could not be created: " + systemMessage(GetLastError()));
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // No exception may unwind through the system's call stack. The presenter's
    // handlers report their own failures; what is left here is the window's.
    std::optional<LRESULT> result;
    runAtCallbackBoundary("the window procedure", nullptr,
                          [&] { result = self->handleMessage(message, wParam, lParam); });
    return result ? *result : DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace cursovia::win32
