// The Record button: the window steps aside, the user's clicks become rows,
// and the stop key, the start/stop key, the tray icon or the button end it.
#include "automation/RunEngine.h"
#include "fakes/FormFixture.h"

#include <gtest/gtest.h>

namespace cursovia {
namespace {

using std::chrono::milliseconds;

struct Recording : fakes::FormFixture {
    void SetUp() override { start(); }

    // Presses Record (its balloon's wait passes) and clicks at each point, 250 ms apart.
    void recordClicks(std::initializer_list<ScreenPoint> points) {
        form->click(ControlId::PushButton11);
        for (const ScreenPoint p : points) {
            loop.advance(milliseconds(250));
            mouseEvents.send({.button = {MouseButton::Left, true}, .at = p, .time = loop.now()});
            mouseEvents.send({.button = {MouseButton::Left, false}, .at = p, .time = loop.now() + milliseconds(30)});
        }
        loop.advance(milliseconds(500));
    }
    bool recording() const { return mouseEvents.sink != nullptr; }
    fakes::TrayCall lastBalloon() const {
        for (auto call = tray.calls.rbegin(); call != tray.calls.rend(); ++call)
            if (call->kind == fakes::TrayCall::Kind::ShowBalloon) return *call;
        return {fakes::TrayCall::Kind::Add};
    }
    std::string storedActions() { return settings.read("Actions", ""); }
};

TEST_F(Recording, TheWindowStepsAsideWithABalloonNamingTheKeysThatEndIt) {
    form->click(ControlId::PushButton11);
    EXPECT_TRUE(recording());
    EXPECT_FALSE(form->visible());
    EXPECT_TRUE(form->TrayHidden());
    EXPECT_EQ(form->control(ControlId::PushButton11).caption, "Stop Recording");
    EXPECT_EQ(lastBalloon().text, "Recording your clicks.\r\nCtrl+S, or click this icon, to end it.");
    EXPECT_EQ(lastBalloon().title, "Cursovia");
    EXPECT_EQ(lastBalloon().timeoutMs, 5000u);
}

TEST_F(Recording, TheBalloonFollowsTheChosenKeys) {
    settings.set("Stop Key", "Alt+Pause");
    settings.set("Start Key", "Ctrl+F9");
    restart();
    form->click(ControlId::PushButton11);
    EXPECT_EQ(lastBalloon().text, "Recording your clicks.\r\nAlt+Pause or Ctrl+F9, or click this icon, to end it.");
}

TEST_F(Recording, EachWayOfEndingBringsTheRowsAndTheWindowBack) {
    const struct {
        const char* how;
        std::function<void(Recording&)> end;
    } ways[] = {
        {"stop key", [](Recording& t) { t.keys.press({Key::LeftCtrl}, Key::S); }},
        {"start/stop key", [](Recording& t) { t.keys.press({Key::LeftCtrl}, Key::F9); }},
        {"Record button", [](Recording& t) { t.form->click(ControlId::PushButton11); }},
        {"tray icon",
         [](Recording& t) {
             // The click on the icon reaches the recording too, and is left out.
             t.mouseEvents.send({.button = {MouseButton::Left, true}, .at = {1900, 1070}, .time = t.loop.now()});
             t.mouseEvents.send({.button = {MouseButton::Left, false}, .at = {1900, 1070}, .time = t.loop.now()});
             t.tray.report({TrayActivity::Kind::ButtonUp, TrayButton::Left});
         }},
    };
    for (const auto& way : ways) {
        settings.set("Start Key", "Ctrl+F9");
        settings.set("Actions", "");
        restart();
        recordClicks({{10, 20}, {300, 400}});
        way.end(*this);
        loop.processPendingEvents();
        EXPECT_FALSE(recording()) << way.how;
        EXPECT_EQ(rows(), (std::vector<Action>{{"10", "20", "0.25", "Single Click"}, {"300", "400", "0.5", "Single Click"}}))
            << way.how;
        const std::string F = "||MySeparator12||", T = "||MySeparator23||";
        EXPECT_EQ(storedActions(), "10" + F + "20" + F + "0.25" + F + "Single Click" + T + "300" + F + "400" + F + "0.5" + F +
                                       "Single Click" + T)
            << way.how;
        EXPECT_TRUE(form->visible()) << way.how;
        EXPECT_FALSE(form->TrayHidden()) << way.how;
        EXPECT_EQ(form->control(ControlId::PushButton11).caption, "Record") << way.how;
        EXPECT_EQ(form->control(ControlId::PushButton5).caption, StartCaption) << way.how << ": no run started";
        EXPECT_TRUE(pointer.log.empty()) << way.how << ": nothing replayed";
    }
}

TEST_F(Recording, RowsGoAfterTheListsOwnAndTheCaptureKeyStillCaptures) {
    addRow("1", "2", "3", ControlId::Option1);
    recordClicks({{10, 20}});
    pointer.at = {77, 88};
    keys.press(Key::F6);
    EXPECT_TRUE(recording());
    keys.press({Key::LeftCtrl}, Key::S);
    loop.processPendingEvents();
    ASSERT_EQ(form->list().rowCount(), 2u);
    EXPECT_EQ(form->list().row(0), (Action{"1", "2", "3", "No Action"}));
    EXPECT_EQ(form->list().row(1).kind, "Single Click");
    EXPECT_EQ(form->control(ControlId::lblXPosition).caption, "77");
}

TEST_F(Recording, NothingRecordedLeavesTheListAlone) {
    addRow("1", "2", "3", ControlId::Option1);
    const std::string before = storedActions();
    form->click(ControlId::PushButton11);
    keys.press({Key::LeftCtrl}, Key::S);
    loop.processPendingEvents();
    EXPECT_EQ(form->list().rowCount(), 1u);
    EXPECT_EQ(storedActions(), before);
    EXPECT_TRUE(form->visible());
}

TEST_F(Recording, ARefusedMouseOrARunUnderWayIsSaidAndNothingStarts) {
    mouseEvents.refuse = true;
    form->click(ControlId::PushButton11);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, "The mouse cannot be watched on this desktop, so nothing can be recorded.");
    EXPECT_TRUE(form->visible());
    EXPECT_EQ(form->control(ControlId::PushButton11).caption, "Record");

    mouseEvents.refuse = false;
    dialogs.shown.clear();
    addRow("1", "2", "3", ControlId::Option1);
    // The tray icon brings the window back in the middle of a run; Record is refused there.
    loop.after(std::chrono::seconds(6), [this] {
        tray.report({TrayActivity::Kind::ButtonUp, TrayButton::Left});
        form->click(ControlId::PushButton11);
        form->click(ControlId::PushButton5);
    });
    form->click(ControlId::PushButton5);
    EXPECT_FALSE(recording());
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, "Stop the run before recording.");
}

} // namespace
} // namespace cursovia
