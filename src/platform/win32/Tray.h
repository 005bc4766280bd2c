#pragma once
#include "Handles.h"
#include "Window.h"
#include "desktop/TrayShell.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <optional>

namespace cursovia::win32 {

// The notification area through Shell_NotifyIconW. A hidden window of its own
// owns the icon and receives the shell's callback messages; with the icon's
// version left at 0, lParam is the mouse or balloon message and wParam the
// icon's identifier, exactly what the core's notification table expects.
class NotifyIconTray : public TrayShell, private Window {
public:
    using Notification = std::function<void(std::uint32_t lParam, std::uint32_t wParam)>;

    NotifyIconTray();
    ~NotifyIconTray() override;

    // Where the callback messages go (the tray control's notification table).
    void onNotification(Notification handler) { handler_ = std::move(handler); }

    void notifyIcon(TrayCommand command, const TrayRequest& request) override;

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    NOTIFYICONDATAW record(const TrayRequest& request) const;

    Notification handler_;
    UniqueIcon programIcon_;
    UINT taskbarCreated_ = 0;
    // What the shell holds, to put the icon back when Explorer restarts.
    std::optional<TrayRequest> added_;
};

} // namespace cursovia::win32
