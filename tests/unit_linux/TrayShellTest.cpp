// Qt's activations of the tray icon, as the core hears them.
#include "TrayShellAdapter.h"

#include <QPixmap>

#include <gtest/gtest.h>

#include <vector>

namespace cursovia::qtx11 {
namespace {

using Kind = TrayActivity::Kind;

struct Recorder : TrayListener {
    void trayActivity(TrayActivity activity) override { heard.push_back(activity); }
    std::vector<TrayActivity> heard;
};

QIcon square() {
    QPixmap picture(16, 16);
    picture.fill(Qt::blue);
    return QIcon(picture);
}

struct TrayShellTest : ::testing::Test {
    QtTrayShell shell{square()};
    Recorder listener;
    QSystemTrayIcon& icon() { return *shell.findChild<QSystemTrayIcon*>(); }
};

TEST_F(TrayShellTest, EachActivationBecomesTheButtonsActivityInOrder) {
    const struct {
        QSystemTrayIcon::ActivationReason reason;
        std::vector<TrayActivity> heard;
    } cases[] = {
        {QSystemTrayIcon::Trigger, {{Kind::ButtonDown, TrayButton::Left}, {Kind::ButtonUp, TrayButton::Left}}},
        {QSystemTrayIcon::Context, {{Kind::ButtonDown, TrayButton::Right}, {Kind::ButtonUp, TrayButton::Right}}},
        {QSystemTrayIcon::DoubleClick, {{Kind::DoubleClick, TrayButton::Left}}},
        {QSystemTrayIcon::MiddleClick, {}},
        {QSystemTrayIcon::Unknown, {}},
    };
    shell.add("Cursovia", Picture::ProgramIcon, listener);
    for (const auto& c : cases) {
        listener.heard.clear();
        emit icon().activated(c.reason);
        EXPECT_EQ(listener.heard, c.heard) << c.reason;
    }
    listener.heard.clear();
    emit icon().messageClicked();
    EXPECT_EQ(listener.heard, std::vector<TrayActivity>{{Kind::BalloonClicked}});
}

TEST_F(TrayShellTest, NothingIsHeardBeforeTheIconIsAddedOrAfterItIsRemoved) {
    emit icon().activated(QSystemTrayIcon::Trigger);
    shell.add("Cursovia", Picture::ProgramIcon, listener);
    shell.remove();
    emit icon().activated(QSystemTrayIcon::Trigger);
    emit icon().messageClicked();
    EXPECT_TRUE(listener.heard.empty());
}

} // namespace
} // namespace cursovia::qtx11
