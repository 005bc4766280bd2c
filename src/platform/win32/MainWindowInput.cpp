// Form1's window: its messages, turned into the user's input for the presenter.
#include "MainWindow.h"

#include "SkinnedButton.h"
#include "Utf16.h"
#include "WindowText.h"
#include "base/ScopedFlag.h"

#include <commctrl.h>
#include <windowsx.h>

namespace cursovia::win32 {
namespace {

// Posted when the focus left a text box for another control of this window; wParam is the box's ControlId.
constexpr UINT TextBoxLeftMessage = WM_APP + 1;
// Posted when the user or the desktop changed the window's state; wParam is the WM_SIZE kind.
constexpr UINT WindowStateMessage = WM_APP + 3;

WindowState stateOfSize(WPARAM kind) {
    if (kind == SIZE_MINIMIZED) return WindowState::Minimized;
    if (kind == SIZE_MAXIMIZED) return WindowState::Maximized;
    return WindowState::Normal;
}

WindowState stateOf(HWND window) {
    if (IsIconic(window)) return WindowState::Minimized;
    if (IsZoomed(window)) return WindowState::Maximized;
    return WindowState::Normal;
}

} // namespace

void MainWindow::onCommand(WORD notification, HWND from) {
    const std::optional<ControlId> id = controlAt(from);
    if (!id) return;
    const ControlKind kind = controlSpec(*id).kind;
    if (kind == ControlKind::PushButton || isChoice(kind)) {
        if (notification != BN_CLICKED) return;
        form_.click(*id);
        // An option button has set itself already; the presenter's state wins.
        if (isChoice(kind))
            for (const ControlSpec& spec : controlTable())
                if (isChoice(spec.kind)) controlChanged(spec.id);
        return;
    }
    if (kind != ControlKind::TextBox) return;
    if (notification == EN_CHANGE && !settingText_) {
        const ScopedFlag userTyping(typing_);
        form_.textTyped(*id, narrow(windowText(from)));
    } else if (notification == EN_SETFOCUS) {
        form_.textGotFocus(*id);
    }
}

std::optional<LRESULT> MainWindow::onNotify(NMHDR& header) {
    const std::optional<ControlId> id = controlAt(header.hwndFrom);
    if (!id) return std::nullopt;
    if (*id == ControlId::ListView1 && header.hwndFrom == control(ControlId::ListView1))
        return list_.onNotify(header, colours_.highlight());
    const SkinColours& skin = skin_.controlColours();
    if (header.code == NM_CUSTOMDRAW && controlSpec(*id).kind == ControlKind::PushButton && (skin.button || skin.buttonText)) {
        const ControlPaint paint = colours_.control(*id);
        const COLORREF face = skin.button ? paint.background : GetSysColor(COLOR_BTNFACE);
        return paintSkinnedButton(reinterpret_cast<NMCUSTOMDRAW&>(header), face,
                                  paint.text.value_or(GetSysColor(COLOR_BTNTEXT)));
    }
    return std::nullopt;
}

LRESULT MainWindow::onControlColour(HDC dc, HWND from) {
    const std::optional<ControlId> id = controlAt(from);
    // A push button's brush paints only the corners around it.
    if (!id || controlSpec(*id).kind == ControlKind::PushButton)
        return reinterpret_cast<LRESULT>(colours_.brush(colours_.window()));
    const ControlPaint paint = colours_.control(*id);
    SetBkColor(dc, paint.background);
    if (paint.text) SetTextColor(dc, *paint.text);
    return reinterpret_cast<LRESULT>(colours_.brush(paint.background));
}

bool MainWindow::onSetCursor(HWND over, WORD hitTest) {
    if (hitTest != HTCLIENT) return false;
    form_.MouseMove(over == hwnd() ? std::nullopt : controlAt(over));
    if (form_.mousePointer() != PointerShape::Custom || !form_.handPointerLoaded() || !skin_.handPointer()) return false;
    SetCursor(skin_.handPointer());
    return true;
}

void MainWindow::onSize(WPARAM kind) {
    if (kind != SIZE_MINIMIZED && kind != SIZE_MAXIMIZED && kind != SIZE_RESTORED) return;
    // A change the presenter made itself is no news to it. Any other reaches it
    // from the message loop once the change is complete: minimising hides the
    // window and waits for the tray balloon, not inside the system's resizing.
    if (stateOfSize(kind) != form_.windowState()) PostMessageW(hwnd(), WindowStateMessage, kind, 0);
}

void MainWindow::onWindowStateMessage(WPARAM kind) {
    // A change already undone by the time the message arrives is dropped.
    const WindowState state = stateOfSize(kind);
    if (state == stateOf(hwnd())) form_.userSetWindowState(state);
}

void MainWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layout();
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void MainWindow::rememberFocus() {
    HWND focused = GetFocus();
    if (focused && IsChild(hwnd(), focused)) lastFocus_ = focused;
}

void MainWindow::restoreFocus() {
    // A plain window does not hand its focus on to a control as a dialog does.
    HWND target = lastFocus_ && IsWindowVisible(lastFocus_) ? lastFocus_ : GetNextDlgTabItem(hwnd(), nullptr, FALSE);
    if (target) SetFocus(target);
}

LRESULT CALLBACK MainWindow::textBoxProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR self) {
    // Only a move to another control of this window counts as leaving the box;
    // not the window losing the focus, nor a message box taking it.
    if (message == WM_KILLFOCUS) {
        HWND main = reinterpret_cast<MainWindow*>(self)->hwnd();
        const auto to = reinterpret_cast<HWND>(wParam);
        if (to && IsChild(main, to)) PostMessageW(main, TextBoxLeftMessage, id, 0);
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, &MainWindow::textBoxProcedure, id);
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: onCommand(HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
    case WM_NOTIFY:
        if (const std::optional<LRESULT> result = onNotify(*reinterpret_cast<NMHDR*>(lParam))) return *result;
        break;
    case WM_CONTEXTMENU:
        // The list's menu: right-click, the menu key or Shift+F10 (-1, -1: from the keyboard).
        if (reinterpret_cast<HWND>(wParam) == control(ControlId::ListView1)) {
            list_.showMenu(lParam == -1 ? std::nullopt
                                        : std::optional<POINT>(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: return onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ERASEBKGND: paintBackground(reinterpret_cast<HDC>(wParam)); return 1;
    case WM_PRINTCLIENT: paintBackground(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_SETCURSOR:
        if (onSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return TRUE;
        break;
    case WM_SIZE: onSize(wParam); return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) rememberFocus();
        break; // activation gives this window the focus, and WM_SETFOCUS passes it on
    case WM_SETFOCUS: restoreFocus(); return 0;
    case WM_DPICHANGED: onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_SYSCOLORCHANGE:
        colours_.forgetBrushes();
        SendMessageW(control(ControlId::ListView1), WM_SYSCOLORCHANGE, wParam, lParam);
        renderColours();
        return 0;
    case TextBoxLeftMessage: form_.textLostFocus(static_cast<ControlId>(wParam)); return 0;
    case WindowStateMessage: onWindowStateMessage(wParam); return 0;
    case ActionListView::SelectionMessage: list_.forwardSelection(); return 0;
    case WM_CLOSE: form_.Form_QueryUnload(); return 0;
    case WM_ENDSESSION:
        if (wParam) form_.Form_QueryUnload();
        return 0;
    default: break;
    }
    return Window::handleMessage(message, wParam, lParam);
}
} // namespace cursovia::win32
