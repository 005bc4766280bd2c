#include "automation/RunEngine.h"
#include "desktop/cSysTray.h"
#include "fakes/RunFixture.h"

#include <algorithm>
#include <functional>

namespace cursovia {
namespace {
using namespace std::chrono_literals;

struct Run : fakes::RunFixture {};

TEST_F(Run, AnEmptyListIsRefusedBeforeAnythingElse) {
    form->click(ControlId::PushButton5);
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"No items in the list."}));
    EXPECT_EQ(caption(), StartCaption);
    EXPECT_TRUE(pointer.log.empty());
}

TEST_F(Run, OneRowRepeatsUntilStoppedThenTheWindowComesBack) {
    rowsOf({{"10", "20", "1", "Single Click"}});
    std::string captionDuringRun;
    loop.after(0.5s, [&] { captionDuringRun = caption(); });
    stopAfter(5s + 2.5s); // the first hide's balloon holds the run 5 s
    const MonotonicTime begin = loop.now();
    form->click(ControlId::PushButton5);
    EXPECT_EQ(captionDuringRun, StopCaption);
    EXPECT_EQ(caption(), StartCaption);
    EXPECT_EQ(pointer.log, (std::vector<std::string>{"move 10,20", "click", "move 10,20", "click", "move 10,20", "click"}));
    EXPECT_EQ(loop.now() - begin, 5s + 2.5s);
    EXPECT_TRUE(form->visible());
    EXPECT_FALSE(form->TrayHidden());
    EXPECT_GE(view.windowFocused, 1);
    EXPECT_TRUE(form->StopFlag());
}

TEST_F(Run, MovesClicksAndWaitsRowAfterRowAndWraps) {
    rowsOf({{"1", "1", "1", "No Action"}, {"2", "2", "2", "Double Click"}, {"3", "3", "0.5", "single click"}});
    std::vector<std::optional<std::size_t>> selections;
    for (double t : {5.5, 6.5, 8.2, 8.7}) loop.after(std::chrono::duration<double>(t), [&] { selections.push_back(form->list().selected()); });
    stopAfter(8.9s);
    form->click(ControlId::PushButton5);
    EXPECT_EQ(pointer.log, (std::vector<std::string>{"move 1,1", "move 2,2", "click", "click", "move 3,3", "move 1,1"}));
    // from the second step on, the selected row is the row being carried out
    EXPECT_EQ(selections, (std::vector<std::optional<std::size_t>>{std::nullopt, 1u, 2u, 0u}));
}

TEST_F(Run, StartsAtTheSelectedRowAndWrapsToTheFirst) {
    rowsOf({{"1", "1", "1", "No Action"}, {"2", "2", "1", "No Action"}, {"3", "3", "1", "No Action"}});
    form->click(ControlId::Option5);
    form->ListView1_Select(2);
    stopAfter(6.5s);
    form->click(ControlId::PushButton5);
    EXPECT_EQ(pointer.log, (std::vector<std::string>{"move 3,3", "move 1,1"}));
    EXPECT_EQ(form->list().selected(), 0u); // a stopped run leaves its row selected
}

TEST_F(Run, StartFromSelectedWithoutSelectionSaysSo) {
    rowsOf({{"1", "1", "1", "No Action"}});
    form->click(ControlId::Option5);
    form->click(ControlId::PushButton5);
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"No items selected."}));
    EXPECT_EQ(caption(), StartCaption);
    EXPECT_TRUE(pointer.log.empty());
}

TEST_F(Run, NeitherStartOptionSetRunsNothingSilently) {
    settings.set("Option4", "False");
    settings.set("Option5", "False");
    start();
    rowsOf({{"1", "1", "1", "No Action"}});
    form->click(ControlId::PushButton5);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(pointer.log.empty());
    EXPECT_EQ(caption(), StartCaption);
}

TEST_F(Run, AStopDuringAWaitEndsTheRunWithinThatWait) {
    rowsOf({{"1", "1", "100", "No Action"}, {"2", "2", "1", "No Action"}});
    stopAfter(5s + 30s);
    const MonotonicTime begin = loop.now();
    form->click(ControlId::PushButton5);
    EXPECT_EQ(loop.now() - begin, 35s);
    EXPECT_EQ(pointer.log, (std::vector<std::string>{"move 1,1"}));
}

TEST_F(Run, AStopWhileIdleDoesNotAffectTheNextRun) {
    ctrlS();
    EXPECT_TRUE(form->StopFlag());
    rowsOf({{"1", "1", "1", "No Action"}});
    stopAfter(6.5s);
    form->click(ControlId::PushButton5);
    EXPECT_EQ(pointer.log, (std::vector<std::string>{"move 1,1", "move 1,1"}));
}

TEST_F(Run, TheButtonStopsARunFromInsideIt) {
    rowsOf({{"1", "1", "1", "No Action"}});
    loop.after(6.5s, [&] { form->click(ControlId::PushButton5); });
    form->click(ControlId::PushButton5);
    EXPECT_EQ(pointer.log.size(), 2u);
    EXPECT_EQ(caption(), StartCaption);
    EXPECT_TRUE(form->visible());
}

TEST_F(Run, ARunWhoseListIsEmptiedEndsAtItsNextCheck) {
    const struct {
        const char* when;
        std::function<void(std::function<void()>)> schedule;
        std::vector<std::string> moves;
    } cases[] = {
        {"during the first hide's balloon", [&](auto empty) { loop.onYield(1, empty); }, {}},
        {"during a wait", [&](auto empty) { loop.after(6.5s, empty); }, {"move 1,1", "move 1,1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.when);
        start(); // a fresh window: the first hide holds the run 5 s for the balloon
        dialogs.shown.clear();
        pointer.log.clear();
        view.windowFocused = 0;
        loop.tickPerYield = 1ms; // a run that only yields must still reach the safety stop
        rowsOf({{"1", "1", "1", "No Action"}});
        int yieldsWhenEmptied = 0;
        c.schedule([&] {
            form->click(ControlId::PushButton4);
            form->click(ControlId::PushButton5); // complains and does not raise the flag
            EXPECT_FALSE(form->StopFlag());
            yieldsWhenEmptied = loop.yields;
        });
        stopAfter(60s);
        form->click(ControlId::PushButton5);
        EXPECT_LE(loop.yields - yieldsWhenEmptied, 1); // ended, not spinning until the stop key
        EXPECT_FALSE(form->StopFlag());
        EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"No items in the list."}));
        EXPECT_EQ(pointer.log, c.moves);
        EXPECT_EQ(caption(), StartCaption);
        EXPECT_TRUE(form->visible());
        EXPECT_FALSE(form->TrayHidden());
        EXPECT_GE(view.windowFocused, 1);
    }
}

TEST_F(Run, ARowEditedAwayIsReportedAndTheRunGoesOn) {
    rowsOf({{"1", "1", "1", "No Action"}, {"2", "2", "1", "No Action"}});
    loop.after(5.5s, [&] { form->list().remove(1); }); // while row 1 waits, row 2 goes
    stopAfter(8.5s);
    form->click(ControlId::PushButton5);
    EXPECT_EQ(pointer.log, (std::vector<std::string>{"move 1,1", "move 1,1", "move 1,1", "move 1,1"}));
    EXPECT_TRUE(dialogs.shown.empty()); // the wrap reads the new row count
}

TEST_F(Run, ARowRemovedUnderTheRunReportsUnderTheRun) {
    rowsOf({{"1", "1", "1", "No Action"}, {"2", "2", "1", "No Action"}});
    form->click(ControlId::Option5);
    form->ListView1_Select(1);
    loop.onYield(1, [&] { form->list().remove(1); }); // gone during the balloon, before its first move
    stopAfter(7.5s);
    form->click(ControlId::PushButton5);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_NE(dialogs.shown[0].text.find("Row 2 no longer exists"), std::string::npos) << dialogs.shown[0].text;
    EXPECT_NE(dialogs.shown[0].text.find("Form1.MouseClickList at line 106"), std::string::npos);
    EXPECT_EQ(pointer.log, (std::vector<std::string>{"move 1,1", "move 1,1", "move 1,1"}));
}

TEST_F(Run, PositionsRoundHalfToEvenAndBadCellsAreReportedOncePerRun) {
    rowsOf({{"2.5", "3.5", "0.5", "No Action"}, {"abc", "1", "x", "Single Click"}});
    stopAfter(5s + 3.2s);
    form->click(ControlId::PushButton5);
    // row 2 cannot move or wait, but still clicks and the run goes on
    EXPECT_EQ(pointer.log, (std::vector<std::string>{"move 2,4", "click", "move 2,4", "click", "move 2,4", "click",
                                                     "move 2,4", "click", "move 2,4", "click", "move 2,4", "click",
                                                     "move 2,4"}));
    std::vector<std::string> reports;
    for (const auto& s : dialogs.shown) reports.push_back(s.text.substr(0, s.text.find("\r\n")));
    EXPECT_EQ(reports, (std::vector<std::string>{"Row 2: Type mismatch: \"abc\" is not a number",
                                                 "Row 2: Type mismatch: \"x\" is not a number"}));
}

TEST_F(Run, ARowThatCannotBeCarriedOutIsReportedOnceAndTheRunStillStopsByKeyAndButton) {
    const struct {
        Action row;
        const char* report; // the first line of the one report, and where
        int line;
    } cases[] = {
        {{"1", "abc", "1", "Single Click"}, "Row 2: Type mismatch: \"abc\" is not a number", 106},
        {{"2147483648", "1", "1", "Single Click"}, "Row 2: Overflow: 2147483648 is beyond a screen position", 106},
        {{"1", "-2147483649", "1", "Single Click"}, "Row 2: Overflow: -2147483649 is beyond a screen position", 106},
        {{"2147483647.5", "1", "1", "Single Click"}, "Row 2: Overflow: 2147483647.5 is beyond a screen position", 106},
        {{"1e999", "1", "1", "Single Click"}, "Row 2: Overflow: \"1e999\" is too large a number", 106},
        {{"1", "1", "", "Single Click"}, "Row 2: Type mismatch: \"\" is not a number", 110},
        {{"1", "1", "5 s", "Single Click"}, "Row 2: Type mismatch: \"5 s\" is not a number", 110},
        {{"1", "1", "-1e999", "Single Click"}, "Row 2: Overflow: \"-1e999\" is too large a number", 110},
    };
    for (const auto& c : cases)
        for (const bool byButton : {false, true}) {
            SCOPED_TRACE(c.report + std::string(byButton ? " (button)" : " (key)"));
            start(); // a fresh window: the first hide holds the run 5 s for the balloon
            dialogs.shown.clear();
            pointer.log.clear();
            rowsOf({{"7", "7", "1", "No Action"}, c.row});
            loop.after(5s + 6.5s, [&] { byButton ? form->click(ControlId::PushButton5) : ctrlS(); });
            form->click(ControlId::PushButton5);
            EXPECT_EQ(caption(), StartCaption);
            EXPECT_TRUE(form->visible());
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.shown[0].text.substr(0, dialogs.shown[0].text.find("\r\n")), c.report);
            EXPECT_NE(dialogs.shown[0].text.find("Form1.MouseClickList at line " + std::to_string(c.line)),
                      std::string::npos);
            // the good row is carried out at every pass, and the bad row still clicks
            EXPECT_GE(std::count(pointer.log.begin(), pointer.log.end(), "move 7,7"), 3);
            EXPECT_GE(std::count(pointer.log.begin(), pointer.log.end(), "click"), 3);
        }
}

TEST_F(Run, ManyRowsThatCannotBeCarriedOutDoNotBuryTheUserUnderReports) {
    // a list loaded from a file that is not an action file: every row fails in its own way
    std::vector<Action> rows;
    for (int i = 0; i < 40; ++i) rows.push_back({"line" + std::to_string(i), "1", "1", "No Action"});
    rowsOf(rows);
    stopAfter(5s + 100s); // two and a half passes
    form->click(ControlId::PushButton5);
    EXPECT_EQ(caption(), StartCaption);
    ASSERT_EQ(dialogs.shown.size(), 11u);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(dialogs.shown[i].text.substr(0, dialogs.shown[i].text.find("\r\n")),
                  "Row " + std::to_string(i + 1) + ": Type mismatch: \"line" + std::to_string(i) + "\" is not a number");
    EXPECT_EQ(dialogs.shown[10].text.substr(0, dialogs.shown[10].text.find("\r\n")),
              "More steps of this run failed; no more reports are shown until it ends");
    EXPECT_NE(dialogs.shown[10].text.find("Form1.MouseClickList at line 106"), std::string::npos);
    EXPECT_EQ(dialogs.shown[10].title, "Application Error");
}

TEST_F(Run, AZeroWaitRunStaysStoppableByKeyAndButton) {
    rowsOf({{"1", "1", "0", "Single Click"}, {"2", "2", "-1", "No Action"}});
    loop.onYield(50, [&] { ctrlS(); });
    form->click(ControlId::PushButton5);
    EXPECT_EQ(caption(), StartCaption);
    EXPECT_LT(pointer.log.size(), 100u);

    pointer.log.clear();
    loop.onYield(20, [&] { form->click(ControlId::PushButton5); });
    form->click(ControlId::PushButton5);
    EXPECT_EQ(caption(), StartCaption);
    EXPECT_LT(pointer.log.size(), 40u);
}

TEST_F(Run, TheFirstUseTipShowsAtEveryRunWhileTheCountIsOne) {
    settings.set("Loads", "1");
    rowsOf({{"1", "1", "1", "No Action"}});
    for (int run = 0; run < 2; ++run) {
        stopAfter(0.5s);
        form->click(ControlId::PushButton5);
    }
    const std::string tip = "This is a one-time message since this is your first time using this software. Please "
                            "remember this tip: press Ctrl+Alt+S keys together to stop running this automation. You "
                            "can also click on the 'Help' button later for more instructions.";
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{tip, tip}));
    settings.set("Loads", "2");
    stopAfter(0.5s);
    form->click(ControlId::PushButton5);
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(Run, TheWindowComesBackAfterARunEvenIfTheUserHidItAgain) {
    rowsOf({{"1", "1", "1", "No Action"}});
    loop.after(6s, [&] {
        tray.report({TrayActivity::Kind::ButtonUp, TrayButton::Left}); // shown from the tray during the run
        form->userSetWindowState(WindowState::Minimized);  // and hidden again
    });
    stopAfter(8.5s);
    form->click(ControlId::PushButton5);
    EXPECT_TRUE(form->visible());
    EXPECT_FALSE(form->TrayHidden());
}

TEST_F(Run, TheWindowHidesInTheTrayDuringTheRun) {
    rowsOf({{"1", "1", "1", "No Action"}});
    bool visibleDuringRun = true, hiddenFlag = false;
    loop.after(6s, [&] {
        visibleDuringRun = form->visible();
        hiddenFlag = form->TrayHidden();
    });
    stopAfter(6.5s);
    form->click(ControlId::PushButton5);
    EXPECT_FALSE(visibleDuringRun);
    EXPECT_TRUE(hiddenFlag);
    // the balloon only the first time
    tray.calls.clear();
    stopAfter(0.5s);
    form->click(ControlId::PushButton5);
    EXPECT_FALSE(tray.balloonShown());
}

} // namespace
} // namespace cursovia
