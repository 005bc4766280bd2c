#include "TrayShellAdapter.h"

#include "ResourceIds.h"
#include "Utf16.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

namespace cursovia::win32 {
namespace {

using Kind = TrayActivity::Kind;

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

struct ShellMessage {
    UINT message;
    TrayActivity activity;
};

constexpr ShellMessage ShellMessages[] = {
    {WM_MOUSEMOVE, {Kind::PointerMoved}},
    {WM_LBUTTONDOWN, {Kind::ButtonDown, TrayButton::Left}},
    {WM_LBUTTONUP, {Kind::ButtonUp, TrayButton::Left}},
    {WM_LBUTTONDBLCLK, {Kind::DoubleClick, TrayButton::Left}},
    {WM_RBUTTONDOWN, {Kind::ButtonDown, TrayButton::Right}},
    {WM_RBUTTONUP, {Kind::ButtonUp, TrayButton::Right}},
    {WM_RBUTTONDBLCLK, {Kind::DoubleClick, TrayButton::Right}},
    {NIN_BALLOONHIDE, {Kind::BalloonClosed}},
    {NIN_BALLOONTIMEOUT, {Kind::BalloonClosed}},
    {NIN_BALLOONUSERCLICK, {Kind::BalloonClicked}},
};

} // namespace

std::optional<TrayActivity> trayActivityOf(UINT shellMessage) {
    for (const ShellMessage& m : ShellMessages)
        if (m.message == shellMessage) return m.activity;
    return std::nullopt;
}

NotifyIconTray::NotifyIconTray(NotifyIcon notifyIcon) : notifyIcon_(std::move(notifyIcon)) {
    // A top-level window that is never shown: unlike a message-only window it
    // hears the "TaskbarCreated" broadcast.
    create({.className = WindowClass, .style = WS_POPUP});
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    HICON icon = nullptr;
    if (SUCCEEDED(LoadIconMetric(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_CURSOVIA), LIM_SMALL, &icon)))
        programIcon_.reset(icon);
}

NotifyIconTray::~NotifyIconTray() {
    if (added_) remove();
}

NOTIFYICONDATAW NotifyIconTray::record(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd();
    data.uID = 0;
    data.uFlags = flags;
    return data;
}

HICON NotifyIconTray::pictureHandle(Picture picture) const {
    return picture == Picture::ProgramIcon ? programIcon_.get() : nullptr;
}

void NotifyIconTray::addToShell() {
    NOTIFYICONDATAW data = record(NIF_MESSAGE);
    data.uCallbackMessage = CallbackMessage;
    if (HICON icon = pictureHandle(added_->picture)) {
        data.hIcon = icon;
        data.uFlags |= NIF_ICON;
    }
    if (!added_->tip.empty()) {
        copyCut(data.szTip, added_->tip);
        data.uFlags |= NIF_TIP;
    }
    notifyIcon_(NIM_ADD, &data);
}

void NotifyIconTray::add(const std::string& tip, Picture picture, TrayListener& listener) {
    added_ = Added{tip, picture, &listener};
    addToShell();
}

void NotifyIconTray::setTip(const std::string& tip) {
    NOTIFYICONDATAW data = record(NIF_TIP);
    copyCut(data.szTip, tip);
    notifyIcon_(NIM_MODIFY, &data);
    if (added_) added_->tip = tip;
}

void NotifyIconTray::setPicture(Picture picture) {
    NOTIFYICONDATAW data = record(NIF_ICON);
    data.hIcon = pictureHandle(picture);
    notifyIcon_(NIM_MODIFY, &data);
    if (added_) added_->picture = picture;
}

void NotifyIconTray::remove() {
    NOTIFYICONDATAW data = record(0);
    notifyIcon_(NIM_DELETE, &data);
    added_.reset();
}

void NotifyIconTray::showBalloon(const std::string& title, const std::string& text, std::uint32_t timeoutMs) {
    // Sent with or without an icon: the shell refuses it when there is none.
    NOTIFYICONDATAW data = record(NIF_INFO);
    copyCut(data.szInfoTitle, title);
    copyCut(data.szInfo, text);
    data.uTimeout = timeoutMs;
    data.dwInfoFlags = NIIF_NONE;
    notifyIcon_(NIM_MODIFY, &data);
    balloonTimeoutMs_ = timeoutMs;
}

void NotifyIconTray::clearBalloon() {
    // Empty texts take the balloon down.
    NOTIFYICONDATAW data = record(NIF_INFO);
    data.uTimeout = balloonTimeoutMs_;
    data.dwInfoFlags = NIIF_NONE;
    notifyIcon_(NIM_MODIFY, &data);
}

LRESULT NotifyIconTray::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CallbackMessage) {
        const std::optional<TrayActivity> activity = trayActivityOf(static_cast<UINT>(lParam));
        if (added_ && activity) added_->listener->trayActivity(*activity);
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        if (added_) addToShell();
        return 0;
    }
    return Window::handleMessage(message, wParam, lParam);
}

} // namespace cursovia::win32
