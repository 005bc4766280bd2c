#include "Tray.h"

#include "LineBreaks.h"
#include "NoThrow.h"
#include "desktop/cSysTray.h"

#include <array>
#include <utility>

namespace cursovia::x11 {
namespace {

// Mouse messages of the tray protocol.
constexpr std::uint32_t LeftButtonDown = 0x201;
constexpr std::uint32_t LeftButtonUp = 0x202;
constexpr std::uint32_t LeftButtonDoubleClick = 0x203;
constexpr std::uint32_t RightButtonDown = 0x204;
constexpr std::uint32_t RightButtonUp = 0x205;
constexpr std::uint32_t BalloonClicked = 0x405;

// Qt reports a whole click as one activation: it becomes the press and the
// release, in this order. The middle button means nothing to the icon.
struct Activation {
    QSystemTrayIcon::ActivationReason reason;
    std::array<std::uint32_t, 2> messages;
    std::size_t count;
};

constexpr Activation Activations[] = {
    {QSystemTrayIcon::Trigger, {LeftButtonDown, LeftButtonUp}, 2},
    {QSystemTrayIcon::Context, {RightButtonDown, RightButtonUp}, 2},
    {QSystemTrayIcon::DoubleClick, {LeftButtonDoubleClick, 0}, 1},
};

} // namespace

QtTrayShell::QtTrayShell(QIcon programIcon) : programIcon_(std::move(programIcon)) {
    connect(&icon_, &QSystemTrayIcon::activated, this, &QtTrayShell::activated);
    connect(&icon_, &QSystemTrayIcon::messageClicked, this, [this] { deliver(BalloonClicked); });
}

void QtTrayShell::notifyIcon(TrayCommand command, const TrayRequest& request) {
    switch (command) {
    case TrayCommand::Add:
        iconId_ = request.iconId;
        modify(request);
        icon_.show();
        break;
    case TrayCommand::Modify: modify(request); break;
    case TrayCommand::Delete: icon_.hide(); break;
    }
}

void QtTrayShell::modify(const TrayRequest& request) {
    if ((request.flags & tray_flag::Icon) && request.icon == Picture::ProgramIcon) icon_.setIcon(programIcon_);
    if (request.flags & tray_flag::Tip) icon_.setToolTip(QString::fromStdString(request.tip));
    // An empty title and text ask to take the balloon down. Qt has no call for
    // that: its own balloon and the desktop's notification close by
    // themselves when the time-out they were shown with runs out, which is
    // when the core asks; passing the empty request on would make a
    // notification service show an empty message.
    const bool clearing = request.info.empty() && request.infoTitle.empty();
    if ((request.flags & tray_flag::Info) && !clearing)
        icon_.showMessage(withQtLineBreaks(request.infoTitle), withQtLineBreaks(request.info),
                          QSystemTrayIcon::NoIcon, static_cast<int>(request.timeoutMs));
}

void QtTrayShell::activated(QSystemTrayIcon::ActivationReason reason) {
    for (const Activation& a : Activations)
        if (a.reason == reason)
            for (std::size_t i = 0; i < a.count; ++i) deliver(a.messages[i]);
}

void QtTrayShell::deliver(std::uint32_t message) {
    if (!tray_) return;
    noThrow("the tray icon's notification", [&] { tray_->HandleTrayMessage(message, iconId_); });
}

} // namespace cursovia::x11
