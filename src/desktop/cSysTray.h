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
// shell's notifications turned into events for the host.
class cSysTray {
public:
    // The message the shell sends the control's window for activity on the icon.
    static constexpr std::uint32_t CallbackMessage = 0x465;

    cSysTray(TrayShell& shell, EventLoop& loop, TrayEvents& host);
    ~cSysTray();
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

    // The notification table: `lParam` is the mouse or balloon message,
    // `wParam` the icon's identifier.
    void HandleTrayMessage(std::uint32_t lParam, std::uint32_t wParam);

    bool iconAdded() const { return iconAdded_; }
    bool balloonUp() const { return balloonUp_; }

private:
    TrayRequest request(std::uint32_t flags) const;

    TrayShell& shell_;
    EventLoop& loop_;
    TrayEvents& host_;
    bool inTray_ = false;
    bool iconAdded_ = false;
    std::string tip_ = "Telnet Server";
    Picture icon_ = Picture::ProgramIcon;
    static constexpr std::uint32_t iconId_ = 0;
    bool balloonUp_ = false;
    std::int32_t onceCount_ = 0;
};

} // namespace cursovia
