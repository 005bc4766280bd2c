#include "desktop/cSysTray.h"

#include <chrono>
#include <limits>
#include <stdexcept>

namespace cursovia {
namespace {

enum class Raise { Move, Down, Up, DblClick, BalloonClosed };

struct Notification {
    std::uint32_t message;
    Raise raise;
    std::int16_t button;
};

constexpr Notification Notifications[] = {
    {0x200, Raise::Move, 0},          // WM_MOUSEMOVE
    {0x201, Raise::Down, 1},          // WM_LBUTTONDOWN
    {0x202, Raise::Up, 1},            // WM_LBUTTONUP
    {0x203, Raise::DblClick, 1},      // WM_LBUTTONDBLCLK
    {0x204, Raise::Down, 2},          // WM_RBUTTONDOWN
    {0x205, Raise::Up, 2},            // WM_RBUTTONUP
    {0x206, Raise::DblClick, 2},      // WM_RBUTTONDBLCLK
    {0x403, Raise::BalloonClosed, 0}, // NIN_BALLOONHIDE
    {0x404, Raise::BalloonClosed, 0}, // NIN_BALLOONTIMEOUT
    {0x405, Raise::BalloonClosed, 0}, // NIN_BALLOONUSERCLICK
};

} // namespace

cSysTray::cSysTray(TrayShell& shell, EventLoop& loop, TrayEvents& host) : shell_(shell), loop_(loop), host_(host) {}

cSysTray::~cSysTray() {
    if (inTray_) setInTray(false);
}

TrayRequest cSysTray::request(std::uint32_t flags) const {
    TrayRequest r;
    r.iconId = iconId_;
    r.flags = flags;
    return r;
}

void cSysTray::setInTray(bool value) {
    if (value == inTray_) return;
    if (value) {
        TrayRequest add = request(0);
        if (icon_ == Picture::ProgramIcon) {
            add.icon = icon_;
            add.flags |= tray_flag::Icon;
        }
        if (!tip_.empty()) {
            add.tip = tip_;
            add.flags |= tray_flag::Tip;
        }
        add.callbackMessage = CallbackMessage;
        add.flags |= tray_flag::Message;
        shell_.notifyIcon(TrayCommand::Add, add);
        iconAdded_ = true;
    } else if (iconAdded_) {
        shell_.notifyIcon(TrayCommand::Delete, request(0));
        iconAdded_ = false;
    }
    inTray_ = value;
}

void cSysTray::setTrayTip(const std::string& tip) {
    if (iconAdded_) {
        TrayRequest modify = request(tray_flag::Tip);
        modify.tip = tip;
        shell_.notifyIcon(TrayCommand::Modify, modify);
    }
    tip_ = tip;
}

void cSysTray::setTrayIcon(Picture picture) {
    if (picture != Picture::ProgramIcon) return;
    if (iconAdded_) {
        TrayRequest modify = request(tray_flag::Icon);
        modify.icon = picture;
        shell_.notifyIcon(TrayCommand::Modify, modify);
    }
    icon_ = picture;
}

void cSysTray::ShowBalloon(const std::string& text, const std::string& title, std::int32_t timeoutSeconds,
                           bool onlyOnce) {
    if (onlyOnce && onceCount_ >= 1) return;
    if (timeoutSeconds > std::numeric_limits<std::int32_t>::max() / 1000)
        throw std::overflow_error("Overflow: a balloon time-out of " + std::to_string(timeoutSeconds) + " seconds");
    TrayRequest show = request(tray_flag::Info);
    show.infoTitle = title;
    show.info = text;
    show.timeoutMs = timeoutSeconds > 0 ? static_cast<std::uint32_t>(timeoutSeconds) * 1000u : 0u;
    shell_.notifyIcon(TrayCommand::Modify, show);
    balloonUp_ = true;
    if (onlyOnce) ++onceCount_;
    if (timeoutSeconds <= 0) return;

    const MonotonicTime deadline = loop_.now() + std::chrono::seconds(timeoutSeconds);
    while (balloonUp_ && loop_.now() < deadline) loop_.waitUntil(deadline);
    if (balloonUp_) {
        TrayRequest clear = request(tray_flag::Info);
        clear.timeoutMs = show.timeoutMs;
        shell_.notifyIcon(TrayCommand::Modify, clear);
    }
}

void cSysTray::HandleTrayMessage(std::uint32_t lParam, std::uint32_t wParam) {
    const auto id = static_cast<std::int32_t>(wParam);
    for (const Notification& n : Notifications) {
        if (n.message != lParam) continue;
        switch (n.raise) {
        case Raise::Move: host_.MouseMove(id); break;
        case Raise::Down: host_.MouseDown(n.button, id); break;
        case Raise::Up: host_.MouseUp(n.button, id); break;
        case Raise::DblClick: host_.MouseDblClick(n.button, id); break;
        case Raise::BalloonClosed: balloonUp_ = false; break;
        }
        return;
    }
}

} // namespace cursovia
