#pragma once
#include <windows.h>

namespace cursovia::win32 {

// Dots per inch of the monitor the window is on. Falls back to the screen's
// when the system predates per-monitor DPI (before Windows 10 1607).
UINT windowDpi(HWND window);

// The outer size of a window whose client area is `client` at `dpi`.
SIZE windowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi);

inline int scaled(int pixelsAt96, UINT dpi) { return MulDiv(pixelsAt96, static_cast<int>(dpi), 96); }

} // namespace cursovia::win32
