#include "MainWindow.h"

#include "Dpi.h"
#include "ResourceIds.h"
#include "ScopedFlag.h"
#include "SkinnedButton.h"
#include "Utf16.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <stdexcept>
#include <string>

namespace cursovia::win32 {
namespace {

// Posted when the focus left the wait box for another control of this window.
constexpr UINT Text1LeftMessage = WM_APP + 1;
constexpr int FirstControlId = 1000;
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int FontPoints = 9;

struct KindStyle {
    ControlKind kind;
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

// Check boxes are not automatic: a click goes to the presenter, which decides the value.
constexpr KindStyle KindStyles[] = {
    {ControlKind::Frame, WC_BUTTONW, BS_GROUPBOX, 0},
    {ControlKind::OptionButton, WC_BUTTONW, BS_AUTORADIOBUTTON, 0},
    {ControlKind::CheckBox, WC_BUTTONW, BS_CHECKBOX | WS_TABSTOP, 0},
    {ControlKind::TextBox, WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {ControlKind::PushButton, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0},
    {ControlKind::Label, WC_STATICW, SS_LEFT | SS_NOPREFIX, 0},
    {ControlKind::ListView, WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
     WS_EX_CLIENTEDGE},
};

const KindStyle& kindStyle(ControlKind kind) {
    for (const KindStyle& k : KindStyles)
        if (k.kind == kind) return k;
    throw std::logic_error("a control kind without a window class");
}

bool isChoice(ControlKind kind) { return kind == ControlKind::OptionButton || kind == ControlKind::CheckBox; }

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void setWindowText(HWND window, const std::string& utf8) {
    const std::wstring text = widen(utf8);
    if (windowText(window) != text) SetWindowTextW(window, text.c_str());
}

RECT scaledRect(const Rect& r, UINT dpi) {
    const int left = scaled(r.x, dpi), top = scaled(r.y, dpi);
    return {left, top, left + scaled(r.width, dpi), top + scaled(r.height, dpi)};
}

HICON programIcon(int metric) {
    HICON icon = nullptr;
    LoadIconMetric(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_CURSOVIA), metric, &icon);
    return icon;
}

WindowState stateOfSize(WPARAM kind) {
    if (kind == SIZE_MINIMIZED) return WindowState::Minimized;
    if (kind == SIZE_MAXIMIZED) return WindowState::Maximized;
    return WindowState::Normal;
}

} // namespace

MainWindow::MainWindow(Form1& form, ColourSkin& skin)
    : form_(form), skin_(skin), colours_(form, skin), list_(form), bigIcon_(programIcon(LIM_LARGE)),
      smallIcon_(programIcon(LIM_SMALL)) {
    create({.className = L"CursoviaMainWindow", .style = WindowStyle});
    dpi_ = windowDpi(hwnd());
    createControls();
    layout();
    const SIZE outer = windowSizeForClient({scaled(ClientWidth, dpi_), scaled(ClientHeight, dpi_)}, WindowStyle, 0, dpi_);
    SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const ControlSpec& spec : controlTable()) controlChanged(spec.id);
    renderColours();
    skin_.onApplied([this] { renderColours(); });
}

void MainWindow::createControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    bool afterOption = false;
    for (const ControlSpec& spec : controlTable()) {
        const KindStyle& kind = kindStyle(spec.kind);
        const bool option = spec.kind == ControlKind::OptionButton;
        // Option buttons in a row form one group: arrow keys move among them, Tab enters at the first.
        DWORD style = WS_CHILD | kind.style;
        if (!(option && afterOption)) style |= WS_GROUP;
        if (option && !afterOption) style |= WS_TABSTOP;
        afterOption = option;
        const auto index = static_cast<std::size_t>(spec.id);
        HWND child = CreateWindowExW(kind.exStyle, kind.windowClass, widen(spec.caption).c_str(), style, 0, 0, 0, 0,
                                     hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(FirstControlId + index)),
                                     instance, nullptr);
        if (!child) throw std::runtime_error("The control " + std::string(spec.name) + " could not be created");
        controls_[index] = child;
    }
    SetWindowSubclass(control(ControlId::Text1), &MainWindow::text1Procedure, 1, reinterpret_cast<DWORD_PTR>(this));
    list_.attach(control(ControlId::ListView1), hwnd());

    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, instance,
                               nullptr);
    std::wstring tip = widen(ListTooltip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(control(ControlId::ListView1));
    tool.lpszText = tip.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::layout() {
    UniqueFont font(CreateFontW(-MulDiv(FontPoints, static_cast<int>(dpi_), 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                DEFAULT_PITCH | FF_SWISS, L"Arial"));
    for (const ControlSpec& spec : controlTable()) {
        const RECT r = scaledRect(spec.bounds, dpi_);
        HWND child = control(spec.id);
        SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    font_ = std::move(font); // the old font goes only once no control uses it
    list_.renderColumns(dpi_);
}

std::optional<ControlId> MainWindow::controlAt(HWND window) const {
    // A control's own children (the list's header) count as the control.
    for (HWND w = window; w && w != hwnd(); w = GetAncestor(w, GA_PARENT))
        for (std::size_t i = 0; i < controls_.size(); ++i)
            if (controls_[i] == w) return static_cast<ControlId>(i);
    return std::nullopt;
}

// --- Rendering the presenter's state ----------------------------------------

void MainWindow::controlChanged(ControlId id) {
    const ControlSpec& spec = controlSpec(id);
    const ControlState& state = form_.control(id);
    HWND child = control(id);
    if (spec.kind == ControlKind::TextBox) renderText1();
    else if (spec.kind != ControlKind::ListView) setWindowText(child, state.caption);
    if (isChoice(spec.kind)) SendMessageW(child, BM_SETCHECK, state.value ? BST_CHECKED : BST_UNCHECKED, 0);
    const bool shown = (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != state.visible) ShowWindow(child, state.visible ? SW_SHOWNA : SW_HIDE);
    if (spec.kind == ControlKind::Frame) {
        // A frame's background is painted by this window, under the frame.
        const RECT r = scaledRect(spec.bounds, dpi_);
        InvalidateRect(hwnd(), &r, TRUE);
    }
    InvalidateRect(child, nullptr, TRUE);
}

void MainWindow::renderText1() {
    HWND box = control(ControlId::Text1);
    const ControlState& state = form_.control(ControlId::Text1);
    {
        const ScopedFlag ownChange(settingText_);
        setWindowText(box, state.caption);
    }
    // While the user types, the caret stays where the typing put it.
    if (typing_) return;
    const auto start = static_cast<std::size_t>(std::max(0, state.selectionStart));
    const auto end = start + static_cast<std::size_t>(std::max(0, state.selectionLength));
    SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(utf16Length(state.caption, start)),
                 static_cast<LPARAM>(utf16Length(state.caption, end)));
}

void MainWindow::windowChanged() {
    setWindowText(hwnd(), form_.caption());
    if (form_.iconSet() && SendMessageW(hwnd(), WM_GETICON, ICON_BIG, 0) != reinterpret_cast<LRESULT>(bigIcon_.get())) {
        SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
        SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    }
    if (colours_.window() != paintedBackground_) renderColours();
    list_.renderColumns(dpi_);
    renderWindowState();
}

void MainWindow::renderWindowState() {
    // Each state change shows up in WM_SIZE, which hands it back to the
    // presenter; that is harmless, as the presenter already holds the state.
    if (!form_.visible()) {
        if (IsWindowVisible(hwnd())) ShowWindow(hwnd(), SW_HIDE);
        return;
    }
    const bool shown = IsWindowVisible(hwnd()) != FALSE;
    switch (form_.windowState()) {
    case WindowState::Minimized:
        if (!IsIconic(hwnd())) ShowWindow(hwnd(), SW_MINIMIZE);
        else if (!shown) ShowWindow(hwnd(), SW_SHOWMINNOACTIVE);
        break;
    case WindowState::Maximized:
        if (!IsZoomed(hwnd()) || !shown) ShowWindow(hwnd(), SW_SHOWMAXIMIZED);
        break;
    case WindowState::Normal:
        if (IsIconic(hwnd()) || IsZoomed(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
        else if (!shown) ShowWindow(hwnd(), SW_SHOWNORMAL);
        break;
    }
}

void MainWindow::renderColours() {
    const ControlPaint list = colours_.control(ControlId::ListView1);
    list_.renderColours(list.background, list.text);
    // Themed option buttons, check boxes and frames draw their text in the
    // theme's colour; a skin with a text colour turns their theme off.
    if (skin_.controlColours().text)
        for (const ControlSpec& spec : controlTable())
            if (isChoice(spec.kind) || spec.kind == ControlKind::Frame) SetWindowTheme(control(spec.id), L"", L"");
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void MainWindow::paintBackground(HDC dc) {
    paintedBackground_ = colours_.window();
    RECT client;
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, colours_.brush(paintedBackground_));
    for (const ControlSpec& spec : controlTable())
        if (spec.kind == ControlKind::Frame && form_.control(spec.id).visible) {
            const RECT r = scaledRect(spec.bounds, dpi_);
            FillRect(dc, &r, colours_.brush(colours_.control(spec.id).background));
        }
}

void MainWindow::focusWindow() {
    SetForegroundWindow(hwnd());
    BringWindowToTop(hwnd());
}

void MainWindow::focusControl(ControlId id) { SetFocus(control(id)); }

// --- The user's input ---------------------------------------------------------

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
        form_.Text1_Typed(narrow(windowText(from)));
    } else if (notification == EN_SETFOCUS) {
        form_.Text1_GotFocus();
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
    if (kind == SIZE_MINIMIZED || kind == SIZE_MAXIMIZED || kind == SIZE_RESTORED)
        form_.userSetWindowState(stateOfSize(kind));
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

LRESULT CALLBACK MainWindow::text1Procedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR self) {
    // Only a move to another control of this window counts as leaving the box;
    // not the window losing the focus, nor a message box taking it.
    if (message == WM_KILLFOCUS) {
        HWND main = reinterpret_cast<MainWindow*>(self)->hwnd();
        const auto to = reinterpret_cast<HWND>(wParam);
        if (to && IsChild(main, to)) PostMessageW(main, Text1LeftMessage, 0, 0);
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, &MainWindow::text1Procedure, id);
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: onCommand(HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
    case WM_NOTIFY:
        if (const std::optional<LRESULT> result = onNotify(*reinterpret_cast<NMHDR*>(lParam))) return *result;
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
    case Text1LeftMessage: form_.Text1_LostFocus(); return 0;
    case ListViewModel::SelectionMessage: list_.forwardSelection(); return 0;
    case WM_CLOSE: form_.Form_QueryUnload(); return 0;
    case WM_ENDSESSION:
        if (wParam) form_.Form_QueryUnload();
        return 0;
    default: break;
    }
    return Window::handleMessage(message, wParam, lParam);
}

} // namespace cursovia::win32
