#include "SkinnedDialogs.h"

#include "ControlColours.h"

#include <commctrl.h>

#include <cwchar>

namespace cursovia::win32 {
namespace {

// The class of every dialog window: message boxes, the file dialogs and their inner panes.
constexpr const wchar_t* DialogClass = L"#32770";
constexpr UINT_PTR SubclassId = 0x534B; // "SK"

bool isDialog(HWND window) {
    wchar_t name[16] = {};
    return GetClassNameW(window, name, 16) && std::wcscmp(name, DialogClass) == 0;
}

} // namespace

SkinnedDialogs* SkinnedDialogs::active_ = nullptr;

SkinnedDialogs::~SkinnedDialogs() {
    hook_.reset();
    if (active_ == this) active_ = nullptr;
}

void SkinnedDialogs::start(std::uint32_t windowRgb, std::optional<std::uint32_t> textRgb) {
    backgroundColour_ = colorRef(windowRgb);
    background_.reset(CreateSolidBrush(backgroundColour_));
    text_ = textRgb ? std::optional<COLORREF>(colorRef(*textRgb)) : std::nullopt;
    if (!hook_) hook_.reset(SetWindowsHookExW(WH_CBT, &SkinnedDialogs::creationHook, nullptr, GetCurrentThreadId()));
    active_ = this;
}

LRESULT CALLBACK SkinnedDialogs::creationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && active_) {
        const auto window = reinterpret_cast<HWND>(wParam);
        if (isDialog(window)) SetWindowSubclass(window, &SkinnedDialogs::dialogProcedure, SubclassId, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK SkinnedDialogs::dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                                 DWORD_PTR) {
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (active_) {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, active_->backgroundColour_);
            if (active_->text_) SetTextColor(dc, *active_->text_);
            return reinterpret_cast<LRESULT>(active_->background_.get());
        }
        break;
    case WM_NCDESTROY: RemoveWindowSubclass(dialog, &SkinnedDialogs::dialogProcedure, id); break;
    default: break;
    }
    return DefSubclassProc(dialog, message, wParam, lParam);
}

} // namespace cursovia::win32
