#include "Tray.h"

#include "ResourceIds.h"
#include "Utf16.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

namespace cursovia::win32 {
namespace {

// Copies as much of `text` as the fixed field holds, NUL-terminated, never
// splitting a surrogate pair.
template <std::size_t N>
void copyCut(wchar_t (&field)[N], const std::string& text) {
    const std::wstring wide = widen(text);
    std::size_t length = std::min(wide.size(), N - 1);
    if (length > 0 && length < wide.size() && IS_HIGH_SURROGATE(wide[length - 1])) --length;
    std::copy_n(wide.data(), length, field);
    field[length] = L'\0';
}

struct FlagPair {
    std::uint32_t core;
    UINT shell;
};

constexpr FlagPair Flags[] = {
    {tray_flag::Message, NIF_MESSAGE},
    {tray_flag::Icon, NIF_ICON},
    {tray_flag::Tip, NIF_TIP},
    {tray_flag::Info, NIF_INFO},
};

UINT shellFlags(std::uint32_t flags) {
    UINT shell = 0;
    for (const FlagPair& f : Flags)
        if (flags & f.core) shell |= f.shell;
    return shell;
}

} // namespace

NotifyIconTray::NotifyIconTray() {
    // A top-level window that is never shown: unlike a message-only window it
    // hears the "TaskbarCreated" broadcast.
    create({.className = L"CursoviaTrayWindow", .style = WS_POPUP});
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    HICON icon = nullptr;
    if (SUCCEEDED(LoadIconMetric(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_CURSOVIA), LIM_SMALL, &icon)))
        programIcon_.reset(icon);
}

NotifyIconTray::~NotifyIconTray() {
    if (added_) notifyIcon(TrayCommand::Delete, *added_);
}

NOTIFYICONDATAW NotifyIconTray::record(const TrayRequest& request) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd();
    data.uID = request.iconId;
    data.uFlags = shellFlags(request.flags);
    data.uCallbackMessage = request.callbackMessage;
    data.hIcon = request.icon == Picture::ProgramIcon ? programIcon_.get() : nullptr;
    copyCut(data.szTip, request.tip);
    copyCut(data.szInfo, request.info);
    copyCut(data.szInfoTitle, request.infoTitle);
    data.uTimeout = request.timeoutMs;
    data.dwInfoFlags = NIIF_NONE;
    return data;
}

void NotifyIconTray::notifyIcon(TrayCommand command, const TrayRequest& request) {
    NOTIFYICONDATAW data = record(request);
    switch (command) {
    case TrayCommand::Add:
        Shell_NotifyIconW(NIM_ADD, &data);
        added_ = request;
        break;
    case TrayCommand::Modify:
        Shell_NotifyIconW(NIM_MODIFY, &data);
        if (added_ && (request.flags & tray_flag::Tip)) added_->tip = request.tip;
        if (added_ && (request.flags & tray_flag::Icon)) added_->icon = request.icon;
        break;
    case TrayCommand::Delete:
        Shell_NotifyIconW(NIM_DELETE, &data);
        added_.reset();
        break;
    }
}

LRESULT NotifyIconTray::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (added_ && added_->callbackMessage != 0 && message == added_->callbackMessage) {
        if (handler_) handler_(static_cast<std::uint32_t>(lParam), static_cast<std::uint32_t>(wParam));
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0 && added_) {
        NOTIFYICONDATAW data = record(*added_);
        Shell_NotifyIconW(NIM_ADD, &data);
        return 0;
    }
    return Window::handleMessage(message, wParam, lParam);
}

} // namespace cursovia::win32
