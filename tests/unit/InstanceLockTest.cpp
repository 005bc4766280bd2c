#include "app/Form1.h"
#include "desktop/InstanceLock.h"
#include "fakes/FormFixture.h"

#include <gtest/gtest.h>

namespace cursovia {
namespace {

class FakeInstanceLock : public InstanceLock {
public:
    bool claim() override {
        log.push_back("claim");
        return !heldElsewhere;
    }
    bool askHolderToShow() override {
        log.push_back("ask");
        return reachable;
    }
    void onShowAsked(std::function<void()> s) override { show = std::move(s); }
    bool heldElsewhere = false;
    bool reachable = true;
    std::vector<std::string> log;
    std::function<void()> show;
};

TEST(InstanceLock, OnlyTheCopyThatClaimsTheSessionRunsTheOthersAskItToShowItself) {
    const struct {
        bool heldElsewhere, reachable, runs;
        std::vector<std::string> log;
    } cases[] = {
        {false, true, true, {"claim"}},
        {true, true, false, {"claim", "ask"}},
        {true, false, false, {"claim", "ask"}}, // a copy hanging at its start still holds the list
    };
    for (const auto& c : cases) {
        FakeInstanceLock lock;
        lock.heldElsewhere = c.heldElsewhere;
        lock.reachable = c.reachable;
        EXPECT_EQ(startsAsTheSessionsCopy(lock), c.runs);
        EXPECT_EQ(lock.log, c.log);
    }
}

using SecondStart = fakes::FormFixture;

TEST_F(SecondStart, BringsTheWindowBackOutOfTheTrayWithTheFocus) {
    settings.set("Loads", "3");
    start();
    form->userSetWindowState(WindowState::Minimized);
    ASSERT_TRUE(form->TrayHidden());
    ASSERT_FALSE(form->visible());
    const int focusedBefore = view.windowFocused;
    form->AnotherCopyStarted();
    EXPECT_TRUE(form->visible());
    EXPECT_FALSE(form->TrayHidden());
    EXPECT_EQ(view.windowFocused, focusedBefore + 1);
    // on screen already, it takes the focus again
    form->AnotherCopyStarted();
    EXPECT_TRUE(form->visible());
    EXPECT_EQ(view.windowFocused, focusedBefore + 2);
}

} // namespace
} // namespace cursovia
