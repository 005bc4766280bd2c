#pragma once
#include "desktop/TrayShell.h"

#include <QElapsedTimer>
#include <QIcon>
#include <QSystemTrayIcon>
#include <QTimer>

#include <optional>

namespace cursovia::qtx11 {

// The notification area through QSystemTrayIcon, which speaks XEmbed to a
// classic tray host and StatusNotifierItem to a desktop that offers one.
class QtTrayShell : public QObject, public TrayShell {
public:
    explicit QtTrayShell(QIcon programIcon);

    void add(const std::string& tip, Picture picture, TrayListener& listener) override;
    void setTip(const std::string& tip) override;
    void setPicture(Picture picture) override;
    void remove() override;
    // A balloon asked for before the tray host has placed the icon (right
    // after add(), when the program starts hidden) waits for the icon's
    // place, up to a bound, so that it shows by the icon and not at the
    // screen's corner; it keeps the end its time-out gave it.
    void showBalloon(const std::string& title, const std::string& text, std::uint32_t timeoutMs) override;
    void clearBalloon() override;

private:
    struct Balloon {
        QString title, text;
        std::uint32_t timeoutMs;
        QElapsedTimer asked;
    };

    void activated(QSystemTrayIcon::ActivationReason reason);
    void report(TrayActivity activity);
    bool placedForBalloon() const;
    void showWhenPlaced();

    QIcon programIcon_;
    QSystemTrayIcon icon_{this};
    TrayListener* listener_ = nullptr;
    std::optional<Balloon> waiting_;
    QTimer placementPoll_;
};

} // namespace cursovia::qtx11
