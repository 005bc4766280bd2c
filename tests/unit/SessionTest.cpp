// A whole session of the program against fakes, from first start to the next.
#include "desktop/cSysTray.h"
#include "fakes/FormFixture.h"

namespace cursovia {
namespace {
using namespace std::chrono_literals;

using Session = fakes::FormFixture;

TEST_F(Session, CaptureAddRunStopHideComeBackAndStartAgain) {
    start();
    ASSERT_EQ(dialogs.shown.size(), 1u); // the first-start tip

    // two captures with F6 from another application, each added
    pointer.at = {640, 360};
    keys.press(Key::F6);
    EXPECT_EQ(form->control(ControlId::lblXPosition).caption, "640");
    EXPECT_EQ(form->control(ControlId::lblYPosition).caption, "360");
    form->click(ControlId::Option2);
    form->Text1_Typed("0.5");
    form->click(ControlId::PushButton1);
    pointer.at = {-100, 20};
    keys.press(Key::F6);
    form->click(ControlId::Option1);
    form->click(ControlId::PushButton1);
    EXPECT_EQ(form->control(ControlId::lblXPosition).caption, "-100");

    // a run, stopped by Ctrl+S from anywhere
    loop.after(5s + 2.2s, [&] {
        keys.send(Key::RightCtrl, true);
        keys.send(Key::S, true);
    });
    form->click(ControlId::PushButton5);
    EXPECT_EQ(pointer.log, (std::vector<std::string>{"move 640,360", "click", "move -100,20", "move 640,360", "click",
                                                     "move -100,20", "move 640,360", "click"}));
    EXPECT_TRUE(form->visible());
    keys.send(Key::RightCtrl, false);

    // minimise: hidden in the tray, no second balloon; a tray click brings it back
    const std::size_t trayCalls = tray.calls.size();
    form->userSetWindowState(WindowState::Minimized);
    EXPECT_FALSE(form->visible());
    EXPECT_EQ(tray.calls.size(), trayCalls);
    tray.report({TrayActivity::Kind::ButtonDown, TrayButton::Right});
    EXPECT_FALSE(form->visible()); // a button going down is not enough
    tray.report({TrayActivity::Kind::ButtonUp, TrayButton::Right});
    EXPECT_TRUE(form->visible());
    EXPECT_FALSE(form->TrayHidden());

    // close, then the next start shows the same rows and no tip
    restart();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(rows(), (std::vector<Action>{{"640", "360", "0.5", "Single Click"}, {"-100", "20", "0.5", "No Action"}}));
    EXPECT_EQ(settings.value("Loads"), "2");
    EXPECT_EQ(form->control(ControlId::Text1).caption, "0.5");
}

TEST_F(Session, AKilledProcessLosesNoRowWhoseAddReturned) {
    start();
    form->click(ControlId::PushButton6);
    form->click(ControlId::PushButton1);
    // no shutdown: the process is killed here
    start();
    EXPECT_EQ(rows().size(), 4u);
}

TEST_F(Session, ClosingDuringARunSavesAndEnds) {
    settings.set("Loads", "4");
    start();
    form->click(ControlId::PushButton6);
    loop.after(7s, [&] { form->Form_QueryUnload(); });
    loop.after(30s, [&] { form->click(ControlId::PushButton5); }); // stands in for the process having ended
    form->click(ControlId::PushButton5);
    EXPECT_TRUE(loop.ended);
    EXPECT_EQ(keys.sink, nullptr);
    EXPECT_FALSE(form->cSysTray1().InTray());
}

} // namespace
} // namespace cursovia
