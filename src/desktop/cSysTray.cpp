#include "desktop/cSysTray.h"

#include <chrono>
#include <limits>
#include <stdexcept>

namespace cursovia {

namespace {

template <typename... Arguments>
void raise(const std::function<void(Arguments...)>& event, Arguments... arguments) {
    if (event) event(arguments...);
}

} // namespace

cSysTray::cSysTray(TrayShell& shell, EventLoop& loop) : shell_(shell), loop_(loop) {}

cSysTray::~cSysTray() {
    if (inTray_) setInTray(false);
}

void cSysTray::setInTray(bool value) {
    if (value == inTray_) return;
    if (value) {
        shell_.add(tip_, icon_ == Picture::ProgramIcon ? icon_ : Picture::None, *this);
        iconAdded_ = true;
    } else if (iconAdded_) {
        shell_.remove();
        iconAdded_ = false;
    }
    inTray_ = value;
}

void cSysTray::setTrayTip(const std::string& tip) {
    if (iconAdded_) shell_.setTip(tip);
    tip_ = tip;
}

void cSysTray::setTrayIcon(Picture picture) {
    if (picture != Picture::ProgramIcon) return;
    if (iconAdded_) shell_.setPicture(picture);
    icon_ = picture;
}

void cSysTray::ShowBalloon(const std::string& text, const std::string& title, std::int32_t timeoutSeconds,
                           bool onlyOnce) {
    if (onlyOnce && onceCount_ >= 1) return;
    if (timeoutSeconds > std::numeric_limits<std::int32_t>::max() / 1000)
        throw std::overflow_error("Overflow: a balloon time-out of " + std::to_string(timeoutSeconds) + " seconds");
    const std::uint32_t timeoutMs = timeoutSeconds > 0 ? static_cast<std::uint32_t>(timeoutSeconds) * 1000u : 0u;
    shell_.showBalloon(title, text, timeoutMs);
    balloonUp_ = true;
    if (onlyOnce) ++onceCount_;
    if (timeoutSeconds <= 0) return;

    const MonotonicTime deadline = loop_.now() + std::chrono::seconds(timeoutSeconds);
    while (balloonUp_ && loop_.now() < deadline) loop_.waitUntil(deadline);
    if (balloonUp_) shell_.clearBalloon();
}

void cSysTray::trayActivity(TrayActivity activity) {
    using Kind = TrayActivity::Kind;
    switch (activity.kind) {
    case Kind::PointerMoved: raise(MouseMove); break;
    case Kind::ButtonDown: raise(MouseDown, activity.button); break;
    case Kind::ButtonUp: raise(MouseUp, activity.button); break;
    case Kind::DoubleClick: raise(MouseDblClick, activity.button); break;
    case Kind::BalloonClicked:
    case Kind::BalloonClosed: balloonUp_ = false; break;
    }
}

} // namespace cursovia
