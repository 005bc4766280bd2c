#pragma once
#include "Handles.h"
#include "Window.h"
#include "desktop/TrayShell.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace cursovia::win32 {

// What a mouse or balloon message of the shell means for the icon; nothing
// for the messages the icon ignores (the middle button, a balloon showing).
std::optional<TrayActivity> trayActivityOf(UINT shellMessage);

// The notification area through Shell_NotifyIconW. A hidden window of its own
// owns the icon and receives the shell's callback messages; with the icon's
// version left at 0, lParam is the mouse or balloon message.
class NotifyIconTray : public TrayShell, private Window {
public:
    // The shell's entry point; tests put a recorder in front of it.
    using NotifyIcon = std::function<BOOL(DWORD command, NOTIFYICONDATAW* data)>;
    // The message the shell sends the tray's window for activity on the icon.
    static constexpr UINT CallbackMessage = WM_USER + 101;
    static constexpr const wchar_t* WindowClass = L"CursoviaTrayWindow";

    explicit NotifyIconTray(NotifyIcon notifyIcon = &Shell_NotifyIconW);
    ~NotifyIconTray() override;

    void add(const std::string& tip, Picture picture, TrayListener& listener) override;
    void setTip(const std::string& tip) override;
    void setPicture(Picture picture) override;
    void remove() override;
    void showBalloon(const std::string& title, const std::string& text, std::uint32_t timeoutMs) override;
    void clearBalloon() override;

private:
    // What the shell holds, to put the icon back when Explorer restarts.
    struct Added {
        std::string tip;
        Picture picture;
        TrayListener* listener;
    };

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    NOTIFYICONDATAW record(UINT flags) const;
    HICON pictureHandle(Picture picture) const;
    void addToShell();

    NotifyIcon notifyIcon_;
    UniqueIcon programIcon_;
    UINT taskbarCreated_ = 0;
    std::optional<Added> added_;
    // A balloon is cleared with the time-out it was shown with.
    std::uint32_t balloonTimeoutMs_ = 0;
};

} // namespace cursovia::win32
