#include "automation/Automation.h"
#include "fakes/Fakes.h"
#include "fakes/FormFixture.h"

#include <gtest/gtest.h>

namespace cursovia {
namespace {

// The keys' room on its own: a window that logs what the keys asked of it.
struct LoggingRunWindow : RunWindow {
    std::vector<std::string>* log = nullptr;
    std::string caption = StartCaption;
    void showMessage(const std::string& text) override {
        log->push_back(text == "No items in the list." ? "start" : "message: " + text);
    }
    const std::string& buttonCaption() const override { return caption; }
    void setButtonCaption(const std::string& c) override { caption = c; }
    bool startsFromFirstRow() const override { return true; }
    bool startsFromSelectedRow() const override { return false; }
    void minimise() override {}
    void showWindow() override {}
    void focusWindow() override {}
    void clearTrayHidden() override {}
    void showPosition(const std::string&, const std::string&) override { log->push_back("capture"); }
    void keysChanged() override {}
    RunOptions runOptions() const override { return {}; }
    void showProgress(const std::string&) override {}
    void endRecording(MonotonicTime) override { log->push_back("end recording"); }
};

struct Keyboard : ::testing::Test {
    fakes::FakeKeySource source;
    fakes::FakeMouseEvents mouseEvents;
    fakes::RecordingDialogs dialogs;
    fakes::MemorySettings settings;
    fakes::FakeEventLoop loop;
    fakes::RecordingPointer pointer;
    ActionList list;
    std::vector<std::string> log;
    LoggingRunWindow window;
    Automation room{{list, dialogs, settings, loop, pointer, source, mouseEvents}, window};
    modKeyboard& keyboard = room.keyboard;

    void SetUp() override {
        window.log = &log;
        keyboard.InstallKeyboardHook();
    }
    // Sends the events; what they did, in order (a start runs once the key's event is over).
    std::vector<std::string> after(const std::vector<std::pair<Key, bool>>& events) {
        log.clear();
        for (const auto& [key, isDown] : events) {
            source.send(key, isDown);
            if (room.run.StopFlag) log.push_back("stop");
            room.run.StopFlag = false;
        }
        loop.processPendingEvents();
        return log;
    }
    void down(Key k) { source.send(k, true); }
    void up(Key k) { source.send(k, false); }
};

TEST_F(Keyboard, DecidesFromEachKeyEvent) {
    const struct {
        const char* name;
        std::vector<std::pair<Key, bool>> events;
        std::vector<std::string> expected;
    } cases[] = {
        {"F6 press captures once, its release nothing", {{Key::F6, true}, {Key::F6, false}}, {"capture"}},
        {"held F6 repeats capture", {{Key::F6, true}, {Key::F6, true}}, {"capture", "capture"}},
        {"Ctrl+S stops", {{Key::LeftCtrl, true}, {Key::S, true}, {Key::S, false}, {Key::LeftCtrl, false}}, {"stop"}},
        {"right Ctrl counts", {{Key::RightCtrl, true}, {Key::S, true}}, {"stop"}},
        {"S alone does nothing", {{Key::S, true}, {Key::S, false}}, {}},
        {"Alt+S does nothing", {{Key::LeftAlt, true}, {Key::S, true}}, {}},
        {"Ctrl released before S", {{Key::LeftCtrl, true}, {Key::LeftCtrl, false}, {Key::S, true}}, {}},
        {"one Ctrl still held", {{Key::LeftCtrl, true}, {Key::RightCtrl, true}, {Key::LeftCtrl, false}, {Key::S, true}}, {"stop"}},
        {"Ctrl+Alt+S stops", {{Key::LeftCtrl, true}, {Key::LeftAlt, true}, {Key::S, true}}, {"stop"}},
        {"Ctrl+Shift+S stops", {{Key::LeftCtrl, true}, {Key::RightShift, true}, {Key::S, true}}, {"stop"}},
        {"S key-up with Ctrl does nothing", {{Key::LeftCtrl, true}, {Key::S, false}}, {}},
        {"F6 with Ctrl held captures", {{Key::LeftCtrl, true}, {Key::F6, true}, {Key::S, true}}, {"capture", "stop"}},
    };
    for (const auto& c : cases) {
        for (Key k : {Key::LeftCtrl, Key::RightCtrl, Key::LeftAlt, Key::RightShift}) up(k);
        EXPECT_EQ(after(c.events), c.expected) << c.name;
    }
}

TEST_F(Keyboard, ChosenKeysDecideTheSameWayAndTheStartKeyPressesTheButton) {
    settings.set("Capture Key", "F6");
    settings.set("Stop Key", "Alt+Pause");
    settings.set("Start Key", "Ctrl+F6");
    EXPECT_EQ(keyboard.readKeys(), "");
    const std::vector<std::pair<Key, bool>> ctrlF6{{Key::LeftCtrl, true}, {Key::F6, true}, {Key::F6, false}, {Key::LeftCtrl, false}};
    EXPECT_EQ(after(ctrlF6), (std::vector<std::string>{"start"})) << "more modifiers win";
    EXPECT_EQ(after({{Key::F6, true}}), (std::vector<std::string>{"capture"}));
    EXPECT_EQ(after({{Key::LeftAlt, true}, {Key::Pause, true}, {Key::LeftAlt, false}}), (std::vector<std::string>{"stop"}));
    EXPECT_EQ(after({{Key::LeftCtrl, true}, {Key::S, true}, {Key::LeftCtrl, false}}), (std::vector<std::string>{}))
        << "Ctrl+S no longer stops";
}

TEST_F(Keyboard, ChoosingTakesTheNextCombinationInsteadOfActing) {
    const struct {
        const char* name;
        KeyRole role;
        std::vector<std::pair<Key, bool>> events;
        std::string stored;        // the setting afterwards; "-" for not written
        std::string messageStart;  // the refusal shown, if any
    } cases[] = {
        {"a combination", KeyRole::Capture, {{Key::LeftCtrl, true}, {Key::LeftShift, true}, {Key::F9, true}}, "Ctrl+Shift+F9", ""},
        {"Escape cancels", KeyRole::Stop, {{Key::Escape, true}}, "-", ""},
        {"Backspace clears the start key", KeyRole::Start, {{Key::Backspace, true}}, "", ""},
        {"Backspace leaves the stop key waiting", KeyRole::Stop, {{Key::Backspace, true}, {Key::F8, true}}, "F8", ""},
        {"a modifier alone", KeyRole::Start, {{Key::LeftCtrl, true}, {Key::LeftCtrl, false}}, "-", "message: Ctrl alone"},
        {"another role's key", KeyRole::Start, {{Key::F6, true}}, "-", "message: F6 is already the Capture key"},
        {"kept by the system", KeyRole::Start, {{Key::LeftAlt, true}, {Key::F4, true}}, "-", "message: Alt+F4 is kept by the system"},
    };
    for (const auto& c : cases) {
        for (Key k : {Key::LeftCtrl, Key::LeftShift, Key::LeftAlt}) up(k);
        settings = {};
        keyboard.readKeys();
        keyboard.chooseKey(c.role);
        const std::vector<std::string> seen = after(c.events);
        EXPECT_FALSE(keyboard.choosing()) << c.name;
        const std::string setting = std::string(c.role == KeyRole::Capture ? "Capture" : c.role == KeyRole::Stop ? "Stop" : "Start") + " Key";
        EXPECT_EQ(settings.value(setting).value_or("-"), c.stored) << c.name;
        if (c.messageStart[0]) {
            ASSERT_EQ(seen.size(), 1u) << c.name;
            EXPECT_EQ(seen[0].rfind(c.messageStart, 0), 0u) << seen[0];
        } else {
            EXPECT_TRUE(seen.empty()) << c.name << ": " << (seen.empty() ? "" : seen[0]);
        }
    }
}

TEST_F(Keyboard, ModifiersHeldWhenTheHookStartsCountUntilReleased) {
    keyboard.RemoveKeyboardHook();
    source.heldAtInstall = {Key::RightCtrl};
    keyboard.InstallKeyboardHook();
    EXPECT_EQ(after({{Key::S, true}, {Key::RightCtrl, false}, {Key::S, true}}), (std::vector<std::string>{"stop"}));
}

TEST_F(Keyboard, RemovedHookHearsNothingAndARefusedOneSaysSo) {
    keyboard.RemoveKeyboardHook();
    EXPECT_TRUE(after({{Key::F6, true}}).empty());
    source.refuse = true;
    keyboard.InstallKeyboardHook();
    EXPECT_FALSE(keyboard.installed());
}

TEST_F(Keyboard, AFailingCaptureDoesNotEscapeTheHook) {
    struct Failing : LoggingRunWindow {
        void showPosition(const std::string&, const std::string&) override { throw std::runtime_error("window gone"); }
    } failing;
    failing.log = &log;
    Automation broken{{list, dialogs, settings, loop, pointer, source, mouseEvents}, failing};
    broken.keyboard.InstallKeyboardHook();
    EXPECT_NO_THROW(source.send(Key::F6, true));
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
    EXPECT_NO_THROW(keys.press(Key::F6));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Application Error");
    EXPECT_EQ(dialogs.shown[0].text.rfind("The X label cannot be written\r\nin CursoviaApp2021/08/31.modKeyboard."
                                          "KeyboardHookProc at line 100", 0),
              0u)
        << dialogs.shown[0].text;
    form->setView(&view);
    keys.press(Key::F6);
    EXPECT_EQ(form->control(ControlId::lblYPosition).caption, "34");
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

} // namespace
} // namespace cursovia
