#pragma once
#include <windows.h>
#include <commctrl.h>

namespace cursovia::win32 {

// Paints a push button in the skin's colours from its custom-draw
// notification (push buttons take no colour from WM_CTLCOLORBTN); returns the
// notification's result.
LRESULT paintSkinnedButton(NMCUSTOMDRAW& draw, COLORREF face, COLORREF text);

} // namespace cursovia::win32
