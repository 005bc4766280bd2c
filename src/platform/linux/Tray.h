#pragma once
#include "desktop/TrayShell.h"

#include <QIcon>
#include <QSystemTrayIcon>

namespace cursovia {
class cSysTray;
}

namespace cursovia::x11 {

// The notification area through QSystemTrayIcon, which speaks XEmbed to a
// classic tray host and StatusNotifierItem to a desktop that offers one.
// Qt's activation signals come back as the mouse and balloon messages of the
// tray protocol the core speaks.
class QtTrayShell : public QObject, public TrayShell {
public:
    explicit QtTrayShell(QIcon programIcon);

    // Where the icon's notifications go; before this they are dropped.
    void attach(cSysTray& tray) { tray_ = &tray; }

    void notifyIcon(TrayCommand command, const TrayRequest& request) override;

private:
    void modify(const TrayRequest& request);
    void activated(QSystemTrayIcon::ActivationReason reason);
    void deliver(std::uint32_t message);

    QIcon programIcon_;
    QSystemTrayIcon icon_;
    cSysTray* tray_ = nullptr;
    std::uint32_t iconId_ = 0;
};

} // namespace cursovia::x11
