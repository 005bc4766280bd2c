// The kinds beyond the left button, the run's limits and its randomness.
#include "automation/RunEngine.h"
#include "automation/RunRandomness.h"
#include "fakes/RunFixture.h"

#include <cstdio>
#include <set>

namespace cursovia {
namespace {
using namespace std::chrono_literals;
using Log = std::vector<std::string>;

struct MoreActions : fakes::RunFixture {
    void type(ControlId box, const std::string& text) {
        form->textGotFocus(box);
        form->textTyped(box, text);
        form->textLostFocus(box);
    }
    // The tips set while the run went, in order.
    std::vector<std::string> tips() const {
        std::vector<std::string> out;
        for (const auto& call : tray.calls)
            if (call.kind == fakes::TrayCall::Kind::SetTip) out.push_back(call.tip);
        return out;
    }
    bool anyButtonDown() const { return pointer.down[0] || pointer.down[1] || pointer.down[2]; }
};

TEST_F(MoreActions, EachKindIsChosenStoredAndCarriedOut) {
    const struct {
        ControlId option;
        const char* kind;
        Log calls; // after the move
    } cases[] = {
        {ControlId::Option6, "Right Click", {"right click"}},
        {ControlId::Option7, "Middle Click", {"middle click"}},
        {ControlId::Option8, "Right Double Click", {"right click", "right click"}},
        {ControlId::Option9, "Left Down", {"left down", "left up"}}, // released when the run ends
        {ControlId::Option10, "Left Up", {"left up"}},
        {ControlId::Option11, "Scroll Up", {"wheel up"}},
        {ControlId::Option12, "Scroll Down", {"wheel down"}},
        {ControlId::Option2, "Single Click", {"click"}},
    };
    form->click(ControlId::optRepeatTimes); // one pass, then the run ends by itself
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        form->list().clear();
        addRow("30", "40", "1", c.option);
        EXPECT_EQ(rows().back().kind, c.kind);
        // one group over both frames
        for (ControlId other : {ControlId::Option1, ControlId::Option2, ControlId::Option3, ControlId::Option6,
                                ControlId::Option9, ControlId::Option12})
            EXPECT_EQ(form->control(other).value, other == c.option);
        pointer.log.clear();
        form->click(ControlId::PushButton5);
        Log expected{"move 30,40"};
        expected.insert(expected.end(), c.calls.begin(), c.calls.end());
        EXPECT_EQ(pointer.log, expected);
        EXPECT_FALSE(anyButtonDown());
    }
    // a kind this version does not know only moves
    rowsOf({{"5", "6", "1", "Triple Click"}, {"7", "8", "1", "right click"}});
    pointer.log.clear();
    form->click(ControlId::PushButton5);
    EXPECT_EQ(pointer.log, (Log{"move 5,6", "move 7,8"}));
}

// The pointer's system may take events after the call that sent them has
// returned. The run waits for it once per row, after the row's last event,
// so that the next row's move cannot overtake a click; and once more as the
// run ends, after the release of a held button.
TEST_F(MoreActions, TheRunWaitsForThePointerOnceAfterEachRowsLastEvent) {
    rowsOf({{"1", "1", "0", "Single Click"}, {"2", "2", "0", "Right Double Click"}, {"3", "3", "0", "Scroll Down"},
            {"4", "4", "0", "No Action"}, {"5", "5", "0", "Left Down"}});
    form->click(ControlId::optRepeatTimes);
    pointer.log.clear();
    pointer.settledAfter.clear();
    form->click(ControlId::PushButton5);
    EXPECT_EQ(pointer.log, (Log{"move 1,1", "click", "move 2,2", "right click", "right click", "move 3,3",
                                "wheel down", "move 4,4", "move 5,5", "left down", "left up"}));
    EXPECT_EQ(pointer.settledAfter, (std::vector<std::size_t>{2, 5, 7, 8, 10, 11}));
}

TEST_F(MoreActions, HoldsAndDragsKeepTheButtonDownBetweenTheirRows) {
    rowsOf({{"10", "10", "1", "Left Down"}, {"50", "10", "0", "No Action"}, {"90", "10", "0.5", "No Action"},
            {"90", "10", "1", "Left Up"}, {"0", "0", "5", "No Action"}});
    loop.after(5s + 3s, [&] { ctrlS(); });
    form->click(ControlId::PushButton5);
    EXPECT_EQ(pointer.log, (Log{"move 10,10", "left down", "move 50,10", "move 90,10", "move 90,10", "left up",
                                "move 0,0"}));
}

TEST_F(MoreActions, ARunNeverEndsWithAButtonHeld) {
    const struct {
        const char* how;
        std::function<void()> setUp;
    } ends[] = {
        {"the stop key", [&] { loop.after(5s + 1.5s, [&] { ctrlS(); }); }},
        {"the button", [&] { loop.after(5s + 1.5s, [&] { form->click(ControlId::PushButton5); }); }},
        {"the list emptied", [&] { loop.after(5s + 1.5s, [&] { form->click(ControlId::PushButton4); }); }},
        {"its passes", [&] { form->click(ControlId::optRepeatTimes); }},
        {"its time", [&] {
             form->click(ControlId::optRepeatFor);
             type(ControlId::txtRepeatDuration, "3");
         }},
    };
    for (const auto& e : ends) {
        SCOPED_TRACE(e.how);
        settings = {};
        settings.set("Loads", "3");
        start(); // the first hide holds the run 5 s for the balloon
        rowsOf({{"1", "2", "1", "No Action"}, {"3", "4", "10", "Left Down"}});
        e.setUp();
        loop.after(5s + 60s, [&] { ctrlS(); }); // a safety stop
        pointer.log.clear();
        form->click(ControlId::PushButton5);
        EXPECT_EQ(caption(), StartCaption);
        EXPECT_TRUE(form->visible());
        EXPECT_EQ(pointer.log, (Log{"move 1,2", "move 3,4", "left down", "left up"}));
        EXPECT_FALSE(anyButtonDown());
        // nothing left in flight once the run is over
        ASSERT_FALSE(pointer.settledAfter.empty());
        EXPECT_EQ(pointer.settledAfter.back(), pointer.log.size());
        loop.advance(60s);
        loop.processPendingEvents();
    }
    // the program closing in the middle of a hold
    start();
    rowsOf({{"3", "4", "100", "Left Down"}});
    loop.after(1s, [&] { form->Form_QueryUnload(); });
    loop.after(2s, [&] { ctrlS(); }); // the fake process does not end
    pointer.log.clear();
    form->click(ControlId::PushButton5);
    EXPECT_EQ(pointer.log, (Log{"move 3,4", "left down", "left up"}));
    EXPECT_TRUE(loop.ended);
}

TEST_F(MoreActions, NTimesEndsAfterNPassesFromTheStartRowAndShowsItsProgress) {
    const struct {
        bool fromSelected;
        Log moves;
    } cases[] = {
        {false, {"move 1,1", "move 2,2", "move 3,3", "move 1,1", "move 2,2", "move 3,3"}},
        {true, {"move 2,2", "move 3,3", "move 1,1", "move 2,2", "move 3,3", "move 1,1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fromSelected ? "from the selected row" : "from the first row");
        rowsOf({{"1", "1", "1", "No Action"}, {"2", "2", "1", "No Action"}, {"3", "3", "1", "No Action"}});
        form->click(c.fromSelected ? ControlId::Option5 : ControlId::Option4);
        form->list().select(1);
        form->click(ControlId::optRepeatTimes);
        type(ControlId::txtRepeatCount, "2");
        pointer.log.clear();
        tray.calls.clear();
        view.windowFocused = 0;
        loop.after(60s, [&] { ctrlS(); }); // a safety stop, long after the end
        const MonotonicTime begin = loop.now();
        form->click(ControlId::PushButton5);
        EXPECT_EQ(pointer.log, c.moves);
        EXPECT_LT(loop.now() - begin, 20s);
        EXPECT_FALSE(form->StopFlag()); // ended by itself
        EXPECT_EQ(caption(), StartCaption);
        EXPECT_TRUE(form->visible());
        EXPECT_FALSE(form->TrayHidden());
        EXPECT_GE(view.windowFocused, 1);
        const std::string first = c.fromSelected ? "2" : "1";
        std::vector<std::string> t = tips();
        ASSERT_EQ(t.size(), 7u);
        EXPECT_EQ(t.front(), "Cursovia - pass 1 of 2, row " + first + " of 3");
        EXPECT_EQ(t[3], "Cursovia - pass 2 of 2, row " + first + " of 3");
        EXPECT_EQ(t.back(), "Cursovia");
        loop.advance(60s); // past the safety stop
        loop.processPendingEvents();
    }
}

TEST_F(MoreActions, ADurationEndsTheRunMidWaitAndCountsDownInTheTip) {
    rowsOf({{"1", "1", "100", "Left Down"}, {"2", "2", "1", "No Action"}});
    form->click(ControlId::optRepeatFor);
    type(ControlId::txtRepeatDuration, "0:00:03");
    loop.after(60s, [&] { ctrlS(); });
    const MonotonicTime begin = loop.now();
    form->click(ControlId::PushButton5);
    EXPECT_EQ(loop.now() - begin, 5s + 3s); // the balloon, then three seconds from the first move
    EXPECT_EQ(pointer.log, (Log{"move 1,1", "left down", "left up"}));
    EXPECT_EQ(tips(), (std::vector<std::string>{"Cursovia - 0:00:03 left, row 1 of 2", "Cursovia - 0:00:02 left, row 1 of 2",
                                                "Cursovia - 0:00:01 left, row 1 of 2", "Cursovia"}));
    EXPECT_FALSE(form->StopFlag());
    EXPECT_TRUE(form->visible());
}

TEST_F(MoreActions, ARunUntilStoppedKeepsTheProductNameAsItsTip) {
    rowsOf({{"1", "1", "1", "Single Click"}});
    tray.calls.clear();
    loop.after(5s + 3.5s, [&] { ctrlS(); });
    form->click(ControlId::PushButton5);
    EXPECT_TRUE(tips().empty());
}

TEST_F(MoreActions, JitterStaysInsideItsBoundsAndSpreadsOverThem) {
    const ScreenPoint row{500, 400};
    const std::int32_t radius = 20;
    RunRandomness random(7, radius, 50, {{0, 0, 1920, 1080}});
    double sumX = 0, sumY = 0, sumWait = 0;
    int left = 0, right = 0, shorter = 0, longer = 0;
    constexpr int draws = 10000;
    for (int n = 0; n < draws; ++n) {
        const ScreenPoint p = random.position(row);
        const double dx = p.x - row.x, dy = p.y - row.y;
        ASSERT_LE(dx * dx + dy * dy, radius * radius);
        sumX += p.x;
        sumY += p.y;
        (dx < 0 ? left : right) += dx != 0;
        const double w = random.wait(2.0);
        ASSERT_GE(w, 1.0);
        ASSERT_LE(w, 3.0);
        sumWait += w;
        (w < 2.0 ? shorter : longer)++;
    }
    EXPECT_NEAR(sumX / draws, row.x, row.x * 0.02);
    EXPECT_NEAR(sumY / draws, row.y, row.y * 0.02);
    EXPECT_NEAR(sumWait / draws, 2.0, 2.0 * 0.02);
    for (int half : {left, right, shorter, longer}) EXPECT_GT(half, draws / 3);

    // nothing drawn and nothing changed at 0
    RunRandomness none(7, 0, 0, {});
    EXPECT_EQ(none.position({-5, 70000}), (ScreenPoint{-5, 70000}));
    EXPECT_EQ(none.wait(2.5), 2.5);
}

TEST_F(MoreActions, AJitteredPositionStaysOnTheScreens) {
    const std::vector<ScreenArea> screens{{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};
    const struct {
        ScreenPoint at, landed;
    } cases[] = {
        {{5, 5}, {5, 5}},
        {{-3, 7}, {0, 7}},
        {{2000, 1050}, {2000, 1023}}, // below the smaller screen: onto it, not into the gap
        {{1925, 1050}, {1919, 1050}},
        {{4000, -9}, {3199, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(ontoScreens(c.at, screens), c.landed);
    EXPECT_EQ(ontoScreens({-7, -7}, {}), (ScreenPoint{-7, -7}));

    // through a run: the move lands within the radius, on the screen, and the click follows it there
    pointer.screenAreas = {{0, 0, 800, 600}};
    rowsOf({{"2", "598", "1", "Single Click"}});
    type(ControlId::txtPositionJitter, "10");
    loop.after(5s + 30.5s, [&] { ctrlS(); });
    form->click(ControlId::PushButton5);
    ASSERT_EQ(pointer.log.size(), 62u);
    std::set<std::string> distinct;
    for (std::size_t n = 0; n < pointer.log.size(); n += 2) {
        int x = 0, y = 0;
        ASSERT_EQ(std::sscanf(pointer.log[n].c_str(), "move %d,%d", &x, &y), 2) << pointer.log[n];
        EXPECT_TRUE(x >= 0 && y >= 0 && y < 600 && (x - 2) * (x - 2) + (y - 598) * (y - 598) <= 100) << x << "," << y;
        EXPECT_EQ(pointer.log[n + 1], "click");
        distinct.insert(pointer.log[n]);
    }
    EXPECT_GT(distinct.size(), 5u);
}

TEST_F(MoreActions, AJitteredWaitVariesAroundTheRowsWait) {
    rowsOf({{"1", "1", "2", "No Action"}});
    type(ControlId::txtWaitJitter, "50");
    loop.after(5s + 100s, [&] { ctrlS(); });
    form->click(ControlId::PushButton5);
    // 100 s of waits between 1 and 3 s each, 2 s on average: not 50 exactly, but near it
    const double steps = static_cast<double>(pointer.log.size());
    EXPECT_NE(steps, 50);
    EXPECT_NEAR(steps, 50, 8);
}

TEST_F(MoreActions, EachOptionIsWrittenAtOnceAndRestoredAtTheNextStart) {
    settings.writes.clear();
    form->click(ControlId::optRepeatFor);
    type(ControlId::txtRepeatCount, "25");
    type(ControlId::txtRepeatDuration, "1:02:03");
    type(ControlId::txtPositionJitter, "7");
    type(ControlId::txtWaitJitter, "15");
    EXPECT_EQ(settings.writes, (std::vector<std::string>{"Repeat Mode=For", "Repeat Count=25", "Repeat Duration=3723",
                                                         "Position Jitter=7", "Wait Jitter=15"}));
    restart();
    EXPECT_TRUE(form->control(ControlId::optRepeatFor).value);
    EXPECT_FALSE(form->control(ControlId::optUntilStopped).value);
    EXPECT_EQ(form->control(ControlId::txtRepeatCount).caption, "25");
    EXPECT_EQ(form->control(ControlId::txtRepeatDuration).caption, "1:02:03");
    EXPECT_EQ(form->control(ControlId::txtPositionJitter).caption, "7");
    EXPECT_EQ(form->control(ControlId::txtWaitJitter).caption, "15");
    EXPECT_EQ(form->runOptions(), (RunOptions{RepeatMode::For, 25, 3723, 7, 15}));
    form->click(ControlId::optRepeatTimes);
    EXPECT_EQ(settings.value("Repeat Mode"), "Times");
}

TEST_F(MoreActions, AnEmptyStoreGivesTodaysRunAndStartUpWritesNoneOfTheNewKeys) {
    settings = {};
    start();
    EXPECT_EQ(form->runOptions(), RunOptions{});
    EXPECT_TRUE(form->control(ControlId::optUntilStopped).value);
    EXPECT_EQ(form->control(ControlId::txtRepeatDuration).caption, "0:01:00");
    for (const char* k : {"Repeat Mode", "Repeat Count", "Repeat Duration", "Position Jitter", "Wait Jitter"})
        EXPECT_FALSE(settings.value(k)) << k;
}

TEST_F(MoreActions, StoredValuesThatDoNotReadGiveTheDefaultAndOutOfRangeOnesAreClamped) {
    const struct {
        const char* key;
        const char* stored;
        ControlId box;
        const char* shown;
    } cases[] = {
        {"Repeat Count", "abc", ControlId::txtRepeatCount, "1"},
        {"Repeat Count", "2.5", ControlId::txtRepeatCount, "1"},
        {"Repeat Count", "0", ControlId::txtRepeatCount, "1"},
        {"Repeat Count", "5000000", ControlId::txtRepeatCount, "1000000"},
        {"Repeat Count", " 42 ", ControlId::txtRepeatCount, "42"},
        {"Repeat Duration", "1:00", ControlId::txtRepeatDuration, "0:01:00"},
        {"Repeat Duration", "-5", ControlId::txtRepeatDuration, "0:00:01"},
        {"Repeat Duration", "99999999", ControlId::txtRepeatDuration, "99:59:59"},
        {"Position Jitter", "1e999", ControlId::txtPositionJitter, "0"},
        {"Position Jitter", "101", ControlId::txtPositionJitter, "100"},
        {"Wait Jitter", "95", ControlId::txtWaitJitter, "90"},
        {"Wait Jitter", "", ControlId::txtWaitJitter, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
        settings = {};
        settings.set("Loads", "3");
        settings.set(c.key, c.stored);
        start();
        EXPECT_TRUE(dialogs.shown.empty());
        EXPECT_EQ(form->control(c.box).caption, c.shown);
        EXPECT_EQ(settings.value(c.key), c.stored); // not rewritten at start-up
    }
    for (const char* mode : {"times", "", "Forever"}) {
        settings.set("Repeat Mode", mode);
        start();
        EXPECT_TRUE(form->control(ControlId::optUntilStopped).value) << mode;
        EXPECT_EQ(form->runOptions().mode, RepeatMode::UntilStopped);
    }
}

TEST_F(MoreActions, ABoxTakesOnlyValuesAndShowsTheOneInEffectWhenLeft) {
    const struct {
        ControlId box;
        const char* typed;
        const char* shown;
        std::vector<std::string> writes;
    } cases[] = {
        {ControlId::txtRepeatCount, "12", "12", {"Repeat Count=12"}},
        {ControlId::txtRepeatCount, "ten", "1", {}},
        {ControlId::txtRepeatCount, "", "1", {}},
        {ControlId::txtRepeatCount, "9999999", "1000000", {"Repeat Count=1000000"}},
        {ControlId::txtRepeatDuration, "90", "0:01:30", {"Repeat Duration=90"}},
        {ControlId::txtRepeatDuration, "2:30", "0:02:30", {"Repeat Duration=150"}},
        {ControlId::txtRepeatDuration, "1:75", "0:01:00", {}},
        {ControlId::txtRepeatDuration, "100:00:00", "99:59:59", {"Repeat Duration=359999"}},
        {ControlId::txtRepeatDuration, "1:2:3:4", "0:01:00", {}},
        {ControlId::txtRepeatDuration, "0", "0:00:01", {"Repeat Duration=1"}},
        {ControlId::txtPositionJitter, "-4", "0", {}}, // clamped to what it already was
        {ControlId::txtWaitJitter, "33", "33", {"Wait Jitter=33"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        settings = {};
        settings.set("Loads", "3");
        start();
        settings.writes.clear();
        form->textGotFocus(c.box);
        form->textTyped(c.box, c.typed);
        EXPECT_EQ(form->control(c.box).caption, c.typed); // typing is not corrected under the user's hands
        form->textLostFocus(c.box);
        EXPECT_EQ(form->control(c.box).caption, c.shown);
        EXPECT_EQ(form->control(c.box).selectionLength, 0); // no selection left shown in a box without the focus
        EXPECT_EQ(settings.writes, c.writes);
    }
}

} // namespace
} // namespace cursovia
