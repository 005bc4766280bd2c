#pragma once
#include "base/EventLoop.h"
#include "desktop/TrayShell.h"

#include <cstdint>
#include <functional>
#include <string>

namespace cursovia {

// One icon in the notification area: its tip, picture and balloon, and the
// tray's activity reports turned into events for the host.
class cSysTray : private TrayListener {
public:
    cSysTray(TrayShell& shell, EventLoop& loop);
    ~cSysTray() override;
    cSysTray(const cSysTray&) = delete;
    cSysTray& operator=(const cSysTray&) = delete;

    bool InTray() const { return inTray_; }
    void setInTray(bool value);
    const std::string& TrayTip() const { return tip_; }
    void setTrayTip(const std::string& tip);
    Picture TrayIcon() const { return icon_; }
    // A picture that is not an icon is ignored.
    void setTrayIcon(Picture picture);

    // Shows a balloon; with a positive time-out, waits (running window
    // events) until the shell reports it closed or the time-out passes, and
    // clears it if the shell did not. A show-once balloon shows at most once
    // per instance. A time-out whose milliseconds overflow 32 bits throws
    // std::overflow_error before anything is shown.
    void ShowBalloon(const std::string& text, const std::string& title, std::int32_t timeoutSeconds, bool onlyOnce);

    bool iconAdded() const { return iconAdded_; }

    // The events mouse activity on the icon raises on the host, with the
    // button it used; an event the host leaves empty is not handled.
    std::function<void()> MouseMove;
    std::function<void(TrayButton)> MouseDown;
    std::function<void(TrayButton)> MouseUp;
    std::function<void(TrayButton)> MouseDblClick;

private:
    // The notification table: mouse activity raises the host's events, a
    // balloon clicked or closed ends the balloon's wait.
    void trayActivity(TrayActivity activity) override;

    TrayShell& shell_;
    EventLoop& loop_;
    bool inTray_ = false;
    bool iconAdded_ = false;
    std::string tip_ = "Telnet Server";
    Picture icon_ = Picture::ProgramIcon;
    bool balloonUp_ = false;
    std::int32_t onceCount_ = 0;
};

} // namespace cursovia
