#include "SkinnedButton.h"

#include "Handles.h"

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

    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(draw.hdr.hwndFrom)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(draw.hdr.hwndFrom, caption.data(), static_cast<int>(caption.size()))));
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
