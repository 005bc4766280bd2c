// Building Form1's window from the control table and rendering the
// presenter's state into it.
#include "MainWindow.h"

#include "Dpi.h"
#include "ResourceIds.h"
#include "base/ScopedFlag.h"
#include "Utf16.h"
#include "WindowText.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <stdexcept>
#include <string>

namespace cursovia::win32 {
namespace {

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

void setWindowText(HWND window, const std::string& utf8) {
    const std::wstring text = widen(utf8);
    if (windowText(window) != text) SetWindowTextW(window, text.c_str());
}

HICON programIcon(int metric) {
    HICON icon = nullptr;
    LoadIconMetric(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_CURSOVIA), metric, &icon);
    return icon;
}

} // namespace

RECT MainWindow::scaledRect(const Rect& r, UINT dpi) {
    const int left = scaled(r.x, dpi), top = scaled(r.y, dpi);
    return {left, top, left + scaled(r.width, dpi), top + scaled(r.height, dpi)};
}

MainWindow::MainWindow(Form1& form, ColourSkin& skin)
    : form_(form), skin_(skin), colours_(form_, skin), list_(form), bigIcon_(programIcon(LIM_LARGE)),
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
    form_.setView(this);
    form_.list().setObserver(&list_);
}

MainWindow::~MainWindow() {
    form_.list().setObserver(nullptr);
    form_.setView(nullptr);
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
    for (const ControlSpec& spec : controlTable())
        if (spec.kind == ControlKind::TextBox)
            SetWindowSubclass(control(spec.id), &MainWindow::textBoxProcedure, static_cast<UINT_PTR>(spec.id),
                              reinterpret_cast<DWORD_PTR>(this));
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
    if (spec.kind == ControlKind::TextBox) renderTextBox(id);
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

void MainWindow::renderTextBox(ControlId id) {
    HWND box = control(id);
    const ControlState& state = form_.control(id);
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
    // Each state change shows up in WM_SIZE, which keeps it from the
    // presenter: the presenter already holds the state.
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

} // namespace cursovia::win32
