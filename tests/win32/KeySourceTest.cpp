#include "KeyEventSourceAdapter.h"
#include "EventLoopAdapter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <vector>

namespace {

using namespace std::chrono_literals;
using cursovia::KeyEvent;
using cursovia::KeySink;
using cursovia::win32::KeyboardHook;
using cursovia::win32::MessageLoop;
using cursovia::win32::OwnerWindow;

// F24: a key no application reacts to, so the injected presses go nowhere.
constexpr WORD Harmless = VK_F24;
constexpr cursovia::Key HarmlessKey = cursovia::Key::F24;

class Recorder : public KeySink {
public:
    void onKeyEvent(const KeyEvent& event) override {
        if (event.key == HarmlessKey || event.key == cursovia::Key::RightShift) events.push_back(event);
    }
    std::vector<KeyEvent> events;
};

INPUT key(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

class KeyboardHookTest : public ::testing::Test {
protected:
    // The hook's calls arrive while this thread takes messages.
    void pumpUntil(std::size_t count) {
        const auto deadline = loop.now() + 5s;
        while (recorder.events.size() < count && loop.now() < deadline) loop.waitUntil(loop.now() + 50ms);
    }

    OwnerWindow owner;
    MessageLoop loop{owner};
    KeyboardHook hook;
    Recorder recorder;
};

bool same(const std::vector<KeyEvent>& actual, const std::vector<KeyEvent>& expected) {
    if (actual.size() != expected.size()) return false;
    for (std::size_t i = 0; i < actual.size(); ++i)
        if (actual[i].key != expected[i].key || actual[i].down != expected[i].down) return false;
    return true;
}

TEST_F(KeyboardHookTest, InjectedPressAndReleaseReachTheSink) {
    ASSERT_TRUE(hook.install(recorder));
    INPUT inputs[] = {key(Harmless, true), key(Harmless, false)};
    ASSERT_EQ(SendInput(2, inputs, sizeof(INPUT)), 2u);
    pumpUntil(2);
    EXPECT_TRUE(same(recorder.events, {{HarmlessKey, true}, {HarmlessKey, false}}));
}

TEST_F(KeyboardHookTest, KeysWithAltHeldCountAsPressesAndReleasesToo) {
    ASSERT_TRUE(hook.install(recorder));
    // With Alt down the system reports WM_SYSKEYDOWN and WM_SYSKEYUP.
    INPUT inputs[] = {key(VK_MENU, true), key(Harmless, true), key(Harmless, false), key(VK_MENU, false)};
    ASSERT_EQ(SendInput(4, inputs, sizeof(INPUT)), 4u);
    pumpUntil(2);
    EXPECT_TRUE(same(recorder.events, {{HarmlessKey, true}, {HarmlessKey, false}}));
}

TEST_F(KeyboardHookTest, EachSideOfAModifierIsItsOwnKey) {
    ASSERT_TRUE(hook.install(recorder));
    INPUT inputs[] = {key(VK_RSHIFT, true), key(Harmless, true), key(Harmless, false), key(VK_RSHIFT, false)};
    ASSERT_EQ(SendInput(4, inputs, sizeof(INPUT)), 4u);
    pumpUntil(4);
    EXPECT_TRUE(same(recorder.events, {{cursovia::Key::RightShift, true}, {HarmlessKey, true}, {HarmlessKey, false},
                                       {cursovia::Key::RightShift, false}}));
}

TEST_F(KeyboardHookTest, NothingArrivesAfterRemove) {
    ASSERT_TRUE(hook.install(recorder));
    hook.remove();
    INPUT inputs[] = {key(Harmless, true), key(Harmless, false)};
    SendInput(2, inputs, sizeof(INPUT));
    const auto until = loop.now() + 300ms;
    while (loop.now() < until) loop.waitUntil(until);
    EXPECT_TRUE(recorder.events.empty());
}

// A failure of the key handler stops in the hook procedure: it is logged,
// the hook stays installed and the next keys still arrive.
TEST_F(KeyboardHookTest, AFailingSinkIsLoggedAndKeepsTheHook) {
    struct FailingOnce : Recorder {
        void onKeyEvent(const KeyEvent& event) override {
            Recorder::onKeyEvent(event);
            if (events.size() == 1) throw std::runtime_error("Overflow");
        }
    } failing;
    ASSERT_TRUE(hook.install(failing));
    testing::internal::CaptureStderr();
    INPUT inputs[] = {key(Harmless, true), key(Harmless, false)};
    ASSERT_EQ(SendInput(2, inputs, sizeof(INPUT)), 2u);
    const auto deadline = loop.now() + 5s;
    while (failing.events.size() < 2 && loop.now() < deadline) loop.waitUntil(loop.now() + 50ms);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(same(failing.events, {{HarmlessKey, true}, {HarmlessKey, false}}));
    EXPECT_NE(log.find("cursovia: modKeyboard.KeyboardHookProc failed: Overflow"), std::string::npos) << log;
}

} // namespace
