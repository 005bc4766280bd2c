#include "Dpi.h"

#include <memory>

namespace cursovia::win32 {
namespace {

// Looked up at run time so the program still starts on systems without them.
template <typename Function>
Function user32Function(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

struct ScreenRelease {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};

} // namespace

UINT windowDpi(HWND window) {
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    const std::unique_ptr<HDC__, ScreenRelease> screen(GetDC(nullptr));
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

SIZE windowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto adjustForDpi = user32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, client.cx, client.cy};
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, dpi)) AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace cursovia::win32
