#include "SkinnedButton.h"

#include "Handles.h"
#include "WindowText.h"

#include <string>

namespace cursovia::win32 {

LRESULT paintSkinnedButton(NMCUSTOMDRAW& draw, COLORREF face, COLORREF text) {
    if (draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
    HDC dc = draw.hdc;
    RECT r = draw.rc;
    const bool pressed = (draw.uItemState & CDIS_SELECTED) != 0;
    const UniqueBrush brush(CreateSolidBrush(face));
    FillRect(dc, &r, brush.get());
    DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    const std::wstring caption = windowText(draw.hdr.hwndFrom);
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(draw.hdr.hwndFrom, WM_GETFONT, 0, 0)));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldText = SetTextColor(dc, text);
    RECT label = r;
    if (pressed) OffsetRect(&label, 1, 1);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, oldText);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);

    if (draw.uItemState & CDIS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
    return CDRF_SKIPDEFAULT;
}

} // namespace cursovia::win32
