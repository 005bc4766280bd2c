#include "automation/modKeyboard.h"
#include "fakes/Fakes.h"
#include "fakes/FormFixture.h"

#include <gtest/gtest.h>

namespace cursovia {
namespace {

struct Keyboard : ::testing::Test {
    fakes::FakeKeySource source;
    std::vector<std::string> log;
    modKeyboard keyboard{source, {[this] { log.push_back("capture"); }, [this] { log.push_back("stop"); }}};
    void SetUp() override { keyboard.InstallKeyboardHook(); }
    void down(std::uint32_t k) { source.send(k, true); }
    void up(std::uint32_t k) { source.send(k, false); }
};

TEST_F(Keyboard, DecidesFromEachKeyEvent) {
    const struct {
        const char* name;
        std::vector<std::pair<std::uint32_t, bool>> events;
        std::vector<std::string> expected;
    } cases[] = {
        {"F6 press captures once, its release nothing", {{vk::F6, true}, {vk::F6, false}}, {"capture"}},
        {"held F6 repeats capture", {{vk::F6, true}, {vk::F6, true}}, {"capture", "capture"}},
        {"Ctrl+S stops", {{vk::LeftControl, true}, {vk::S, true}, {vk::S, false}, {vk::LeftControl, false}}, {"stop"}},
        {"right Ctrl counts", {{vk::RightControl, true}, {vk::S, true}}, {"stop"}},
        {"the generic Ctrl code counts", {{vk::Control, true}, {vk::S, true}}, {"stop"}},
        {"S alone does nothing", {{vk::S, true}, {vk::S, false}}, {}},
        {"Alt+S does nothing", {{0x12, true}, {vk::S, true}}, {}},
        {"Ctrl released before S", {{vk::LeftControl, true}, {vk::LeftControl, false}, {vk::S, true}}, {}},
        {"one Ctrl still held", {{vk::LeftControl, true}, {vk::RightControl, true}, {vk::LeftControl, false}, {vk::S, true}}, {"stop"}},
        {"Ctrl+Alt+S stops", {{vk::LeftControl, true}, {0x12, true}, {vk::S, true}}, {"stop"}},
        {"S key-up with Ctrl does nothing", {{vk::LeftControl, true}, {vk::S, false}}, {}},
        {"F6 with Ctrl held captures", {{vk::LeftControl, true}, {vk::F6, true}, {vk::S, true}}, {"capture", "stop"}},
    };
    for (const auto& c : cases) {
        log.clear();
        for (std::uint32_t k : {vk::LeftControl, vk::RightControl}) up(k);
        for (const auto& [key, isDown] : c.events) source.send(key, isDown);
        EXPECT_EQ(log, c.expected) << c.name;
    }
}

TEST_F(Keyboard, CtrlHeldWhenTheHookStartsCountsUntilReleased) {
    keyboard.RemoveKeyboardHook();
    source.heldAtInstall = {vk::RightControl, vk::Control}; // the platform reports "either Ctrl" too
    keyboard.InstallKeyboardHook();
    down(vk::S);
    up(vk::RightControl);
    down(vk::S);
    EXPECT_EQ(log, (std::vector<std::string>{"stop"}));
}

TEST_F(Keyboard, RemovedHookHearsNothingAndARefusedOneSaysSo) {
    keyboard.RemoveKeyboardHook();
    down(vk::F6);
    EXPECT_TRUE(log.empty());
    source.refuse = true;
    keyboard.InstallKeyboardHook();
    EXPECT_FALSE(keyboard.installed());
}

TEST(KeyboardFailure, AFailingCaptureDoesNotEscapeTheHook) {
    fakes::FakeKeySource source;
    modKeyboard keyboard{source, {[] { throw std::runtime_error("window gone"); }, [] {}}};
    keyboard.InstallKeyboardHook();
    EXPECT_NO_THROW(source.send(vk::F6, true));
}

// A window whose X label cannot be written (gone, say, or out of memory).
struct FailingCaptionView : fakes::RecordingView {
    void controlChanged(ControlId id) override {
        if (id == ControlId::lblXPosition) throw std::runtime_error("The X label cannot be written");
    }
};

using KeyboardInTheWindow = fakes::FormFixture;

TEST_F(KeyboardInTheWindow, AFailingCaptureIsReportedUnderTheHookAndTheKeysGoOnWorking) {
    settings.set("Loads", "3");
    start();
    FailingCaptionView failing;
    form->setView(&failing);
    pointer.at = {12, 34};
    EXPECT_NO_THROW(keys.press(vk::F6));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Application Error");
    EXPECT_EQ(dialogs.shown[0].text.rfind("The X label cannot be written\r\nin CursoviaApp2021/08/31.modKeyboard."
                                          "KeyboardHookProc at line 100", 0),
              0u)
        << dialogs.shown[0].text;
    form->setView(&view);
    keys.press(vk::F6);
    EXPECT_EQ(form->control(ControlId::lblYPosition).caption, "34");
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

} // namespace
} // namespace cursovia
