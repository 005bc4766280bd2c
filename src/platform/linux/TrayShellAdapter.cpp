#include "TrayShellAdapter.h"

#include "LineBreaks.h"
#include "base/CallbackBoundary.h"

#include <algorithm>
#include <array>
#include <utility>

namespace cursovia::qtx11 {
namespace {

using Kind = TrayActivity::Kind;

// Qt reports a whole click as one activation: it becomes the press and the
// release, in this order. The middle button means nothing to the icon.
struct Activation {
    QSystemTrayIcon::ActivationReason reason;
    std::array<TrayActivity, 2> activities;
    std::size_t count;
};

const Activation Activations[] = {
    {QSystemTrayIcon::Trigger, {{{Kind::ButtonDown, TrayButton::Left}, {Kind::ButtonUp, TrayButton::Left}}}, 2},
    {QSystemTrayIcon::Context, {{{Kind::ButtonDown, TrayButton::Right}, {Kind::ButtonUp, TrayButton::Right}}}, 2},
    {QSystemTrayIcon::DoubleClick, {{{Kind::DoubleClick, TrayButton::Left}, {Kind::DoubleClick}}}, 1},
};

// How long a balloon waits for the tray host to place the icon, and how
// often it looks: embedding takes a few round trips to the X server.
constexpr int LongestPlacementWaitMs = 2000;
constexpr int PlacementPollMs = 50;

} // namespace

QtTrayShell::QtTrayShell(QIcon programIcon) : programIcon_(std::move(programIcon)) {
    connect(&icon_, &QSystemTrayIcon::activated, this, &QtTrayShell::activated);
    connect(&icon_, &QSystemTrayIcon::messageClicked, this, [this] { report({Kind::BalloonClicked}); });
    placementPoll_.setInterval(PlacementPollMs);
    connect(&placementPoll_, &QTimer::timeout, this, &QtTrayShell::showWhenPlaced);
}

void QtTrayShell::add(const std::string& tip, Picture picture, TrayListener& listener) {
    listener_ = &listener;
    icon_.setIcon(picture == Picture::ProgramIcon ? programIcon_ : QIcon());
    icon_.setToolTip(QString::fromStdString(tip));
    icon_.show();
}

void QtTrayShell::setTip(const std::string& tip) { icon_.setToolTip(QString::fromStdString(tip)); }

void QtTrayShell::setPicture(Picture picture) {
    if (picture == Picture::ProgramIcon) icon_.setIcon(programIcon_);
}

void QtTrayShell::remove() {
    clearBalloon();
    icon_.hide();
    listener_ = nullptr;
}

void QtTrayShell::showBalloon(const std::string& title, const std::string& text, std::uint32_t timeoutMs) {
    waiting_ = Balloon{withQtLineBreaks(title), withQtLineBreaks(text), timeoutMs, {}};
    waiting_->asked.start();
    showWhenPlaced();
    if (waiting_) placementPoll_.start();
}

void QtTrayShell::clearBalloon() {
    // Qt has no call to take a shown balloon down: its own balloon and the
    // desktop's notification close by themselves when the time-out they were
    // shown with runs out. Only a balloon still waiting for the icon's place
    // can be taken back.
    waiting_.reset();
    placementPoll_.stop();
}

bool QtTrayShell::placedForBalloon() const {
    // Qt draws the balloon of an XEmbed icon at the icon's place, which is the
    // screen's corner until the tray host has embedded it. A desktop with a
    // notification service gives no place at all and places the balloon itself.
    const QRect place = icon_.geometry();
    if (!place.isValid()) return QSystemTrayIcon::isSystemTrayAvailable();
    return place.topLeft() != QPoint(0, 0);
}

void QtTrayShell::showWhenPlaced() {
    if (!waiting_) return;
    const qint64 waited = waiting_->asked.elapsed();
    if (!placedForBalloon() && waited < LongestPlacementWaitMs) return;
    const Balloon balloon = std::move(*waiting_);
    clearBalloon();
    int shownFor = 0; // as long as the desktop decides
    if (balloon.timeoutMs > 0) {
        shownFor = static_cast<int>(balloon.timeoutMs - std::min<qint64>(waited, balloon.timeoutMs));
        if (shownFor == 0) return; // its time ran out while it waited
    }
    icon_.showMessage(balloon.title, balloon.text, QSystemTrayIcon::NoIcon, shownFor);
}

void QtTrayShell::activated(QSystemTrayIcon::ActivationReason reason) {
    for (const Activation& a : Activations)
        if (a.reason == reason)
            for (std::size_t i = 0; i < a.count; ++i) report(a.activities[i]);
}

void QtTrayShell::report(TrayActivity activity) {
    if (!listener_) return;
    runAtCallbackBoundary("the tray icon's notification", nullptr, [&] { listener_->trayActivity(activity); });
}

} // namespace cursovia::qtx11
