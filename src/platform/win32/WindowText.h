#pragma once
#include <windows.h>

#include <string>

namespace cursovia::win32 {

// A window's text, however long.
std::wstring windowText(HWND window);

} // namespace cursovia::win32
