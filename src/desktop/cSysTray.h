#pragma once
#include "base/EventLoop.h"
#include "desktop/TrayShell.h"

#include <cstdint>
#include <string>

namespace cursovia {

// What the tray icon reports to its host window. Button is 1 for the left
// and 2 for the right button; Id is the icon's identifier.
class TrayEvents {
public:
    virtual ~TrayEvents() = default;
    virtual void MouseMove(std::int32_t id) = 0;
    virtual void MouseDown(std::int16_t button, std::int32_t id) = 0;
    virtual void MouseUp(std::int16_t button, std::int32_t id) = 0;
    virtual void MouseDblClick(std::int16_t button, std::int32_t id) = 0;
};

// One icon in the notification area: its tip, picture and balloon, and the
// tray's activity reports turned into events for the host.
class cSysTray : private TrayListener {
public:
    cSysTray(TrayShell& shell, EventLoop& loop, TrayEvents& host);
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

private:
    // The notification table: mouse activity raises the host's events, a
    // balloon clicked or closed ends the balloon's wait.
    void trayActivity(TrayActivity activity) override;

    TrayShell& shell_;
    EventLoop& loop_;
    TrayEvents& host_;
    bool inTray_ = false;
    bool iconAdded_ = false;
    std::string tip_ = "Telnet Server";
    Picture icon_ = Picture::ProgramIcon;
    static constexpr std::int32_t iconId_ = 0;
    bool balloonUp_ = false;
    std::int32_t onceCount_ = 0;
};

} // namespace cursovia
