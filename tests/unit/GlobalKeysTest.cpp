#include "automation/GlobalKeys.h"
#include "automation/RunEngine.h"
#include "fakes/FormFixture.h"
#include "guidance/HelpTexts.h"

#include <gtest/gtest.h>

namespace cursovia {
namespace {
using namespace std::chrono_literals;

KeyCombination combo(const std::string& text) { return parseCombination(text).value(); }

GlobalKeys keysOf(const std::string& capture, const std::string& stop, const std::string& start) {
    GlobalKeys keys;
    keys[KeyRole::Capture] = combo(capture);
    keys[KeyRole::Stop] = combo(stop);
    keys[KeyRole::Start] = combo(start);
    return keys;
}

TEST(GlobalKeys, TheDecisionTable) {
    constexpr Modifiers None{}, Ctrl{Modifier::Ctrl}, Alt{Modifier::Alt}, Shift{Modifier::Shift}, Win{Modifier::Win};
    const GlobalKeys defaults;
    const GlobalKeys chosen = keysOf("F6", "Ctrl+Shift+F9", "Ctrl+F6");
    const GlobalKeys tie = keysOf("Ctrl+F6", "Alt+F6", "Win+F6");
    const struct {
        const GlobalKeys& keys;
        Key key;
        Modifiers held;
        std::optional<KeyRole> expected;
    } cases[] = {
        {defaults, Key::F6, None, KeyRole::Capture},
        {defaults, Key::F6, Ctrl | Alt, KeyRole::Capture},
        {defaults, Key::S, Ctrl, KeyRole::Stop},
        {defaults, Key::S, Ctrl | Alt, KeyRole::Stop},
        {defaults, Key::S, Ctrl | Shift | Win, KeyRole::Stop},
        {defaults, Key::S, None, std::nullopt},
        {defaults, Key::S, Alt, std::nullopt},
        {defaults, Key::F7, Ctrl, std::nullopt},
        {chosen, Key::F6, None, KeyRole::Capture},
        {chosen, Key::F6, Ctrl, KeyRole::Start}, // more modifiers win
        {chosen, Key::F6, Ctrl | Alt, KeyRole::Start},
        {chosen, Key::F9, Ctrl | Shift, KeyRole::Stop},
        {chosen, Key::F9, Ctrl, std::nullopt},
        {chosen, Key::S, Ctrl, std::nullopt},
        {tie, Key::F6, Ctrl | Alt | Win, KeyRole::Stop}, // on a tie stopping wins
        {tie, Key::F6, Ctrl | Win, KeyRole::Start},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decideKey(c.keys, c.key, c.held), c.expected)
            << keyName(c.key) << " with " << int(c.held.bits);
}

TEST(GlobalKeys, CombinationsReadAndWriteInTheirReadableForm) {
    const struct {
        std::string text;
        std::optional<std::string> written; // nullopt: unreadable
    } cases[] = {
        {"F6", "F6"},           {"Ctrl+S", "Ctrl+S"},     {"shift + ctrl+f9", "Ctrl+Shift+F9"},
        {"Alt+Pause", "Alt+Pause"}, {"Win+Num+", "Win+Num+"}, {"Ctrl+Num5", "Ctrl+Num5"},
        {"F24", "F24"},         {"Ctrl+7", "Ctrl+7"},     {"", ""},
        {"Ctrl", std::nullopt}, {"Ctrl+Ctrl+S", std::nullopt}, {"F25", std::nullopt},
        {"Hyper+S", std::nullopt}, {"Ctrl+", std::nullopt}, {"S+Ctrl", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<KeyCombination> parsed = parseCombination(c.text);
        ASSERT_EQ(parsed.has_value(), c.written.has_value()) << c.text;
        if (parsed) EXPECT_EQ(combinationText(*parsed), *c.written) << c.text;
    }
    for (int k = static_cast<int>(Key::A); k <= static_cast<int>(Key::Menu); ++k) {
        const KeyCombination c{Modifier::Alt, static_cast<Key>(k)};
        EXPECT_EQ(parseCombination(combinationText(c)), c) << combinationText(c);
    }
}

TEST(GlobalKeys, RefusesWithAPlainReason) {
    const GlobalKeys keys;
    const struct {
        KeyRole role;
        KeyCombination combination;
        std::string reason; // empty: taken
    } cases[] = {
        {KeyRole::Start, combo("Ctrl+S"), "Ctrl+S is already the Stop key. Please choose another combination for the Start/stop key."},
        {KeyRole::Stop, combo("F6"), "F6 is already the Capture key. Please choose another combination for the Stop key."},
        {KeyRole::Start, {Modifier::Ctrl, Key::LeftCtrl}, "Ctrl alone cannot be a key: hold it and press another key with it."},
        {KeyRole::Start, combo("Ctrl+Alt+Delete"), "Ctrl+Alt+Delete is kept by the system for itself. Please choose another combination for the Start/stop key."},
        {KeyRole::Start, combo("Ctrl+Alt+Shift+Delete"), "Ctrl+Alt+Shift+Delete is kept by the system for itself. Please choose another combination for the Start/stop key."},
        {KeyRole::Capture, combo("Alt+Tab"), "Alt+Tab is kept by the system for itself. Please choose another combination for the Capture key."},
        {KeyRole::Stop, combo("Win+L"), "Win+L is kept by the system for itself. Please choose another combination for the Stop key."},
        {KeyRole::Capture, combo("Alt+F4"), "Alt+F4 is kept by the system for itself. Please choose another combination for the Capture key."},
        {KeyRole::Capture, {}, "The Capture key cannot be none."},
        {KeyRole::Start, {}, ""},
        {KeyRole::Start, combo("Ctrl+F6"), ""}, // overlaps the capture key: more modifiers win
        {KeyRole::Capture, combo("F6"), ""},    // its own key again
        {KeyRole::Stop, combo("Ctrl+Tab"), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(refusal(keys, c.role, c.combination).value_or(""), c.reason) << combinationText(c.combination);
}

TEST(GlobalKeys, CaptionsNameTheKeysAndStayAsTheyWereWithTheDefaults) {
    const GlobalKeys defaults;
    EXPECT_EQ(positionLabelCaption(defaults), "Mouse mouse and press F6 to set position");
    EXPECT_EQ(startCaption(defaults), StartCaption);
    EXPECT_EQ(stopCaption(defaults), StopCaption);
    EXPECT_EQ(helpText(combinationText(defaults[KeyRole::Capture]), combinationText(shownStopKey(defaults))), helpText());

    const GlobalKeys chosen = keysOf("Ctrl+F9", "Alt+Shift+Q", "");
    EXPECT_EQ(positionLabelCaption(chosen), "Mouse mouse and press Ctrl+F9 to set position");
    EXPECT_EQ(startCaption(chosen), "Start Running (Press Alt + Shift + Q To Stop)");
    EXPECT_EQ(stopCaption(chosen), "Stop Running (Press Alt + Shift + Q To Stop)");
    EXPECT_EQ(keyBoxCaption(chosen, KeyRole::Start, false), "(none)");
    EXPECT_EQ(keyBoxCaption(chosen, KeyRole::Capture, false), "Ctrl+F9");
}

using KeysInTheWindow = fakes::FormFixture;

TEST_F(KeysInTheWindow, StoredKeysRenameTheCaptionsAndTheRunStillStartsAndStops) {
    settings.set("Capture Key", "Ctrl+F9");
    settings.set("Stop Key", "Alt+Shift+Q");
    start();
    // the first-start tip names the chosen capture key
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_NE(dialogs.shown[0].text.find("use the Ctrl+F9 key to capture"), std::string::npos) << dialogs.shown[0].text;
    EXPECT_EQ(form->control(ControlId::Label1).caption, "Mouse mouse and press Ctrl+F9 to set position");
    EXPECT_EQ(form->control(ControlId::PushButton13).caption, "Alt+Shift+Q");
    const std::string startText = "Start Running (Press Alt + Shift + Q To Stop)";
    EXPECT_EQ(form->control(ControlId::PushButton5).caption, startText);

    dialogs.shown.clear();
    form->click(ControlId::PushButton6);
    std::string duringRun;
    loop.after(1s, [&] {
        duringRun = form->control(ControlId::PushButton5).caption;
        keys.press({Key::LeftAlt, Key::LeftShift}, Key::Q);
    });
    form->click(ControlId::PushButton5);
    EXPECT_EQ(duringRun, "Stop Running (Press Alt + Shift + Q To Stop)");
    EXPECT_EQ(form->control(ControlId::PushButton5).caption, startText);
    ASSERT_FALSE(dialogs.shown.empty()); // the first-run tip
    EXPECT_NE(dialogs.shown[0].text.find("press Alt+Shift+Q keys together"), std::string::npos) << dialogs.shown[0].text;

    dialogs.shown.clear();
    form->click(ControlId::PushButton2);
    EXPECT_EQ(dialogs.shown.at(0).text, helpText("Ctrl+F9", "Alt+Shift+Q"));
}

TEST_F(KeysInTheWindow, AnUnreadableStoredKeyFallsBackAndIsNamedOnce) {
    settings.set("Loads", "3");
    settings.set("Stop Key", "Ctrl+Hyper");
    settings.set("Start Key", "F6"); // the capture key's
    start();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "The setting \"Stop Key\" holds \"Ctrl+Hyper\", which cannot be used; the Stop key is Ctrl+S.\r\n"
              "The setting \"Start Key\" holds \"F6\", which cannot be used; the Start/stop key is none.");
    EXPECT_EQ(form->control(ControlId::PushButton5).caption, StartCaption);
    EXPECT_EQ(settings.value("Stop Key"), "Ctrl+Hyper"); // kept until the user chooses
}

TEST_F(KeysInTheWindow, ChoosingAKeyInItsBoxStoresItAndSurvivesARestart) {
    settings.set("Loads", "3");
    start();
    form->click(ControlId::PushButton14);
    EXPECT_EQ(form->control(ControlId::PushButton14).caption, "Press keys (Esc: cancel, Backspace: none)");
    keys.press({Key::LeftCtrl, Key::LeftAlt}, Key::F12);
    EXPECT_EQ(form->control(ControlId::PushButton14).caption, "Ctrl+Alt+F12");
    EXPECT_EQ(settings.value("Start Key"), "Ctrl+Alt+F12");

    restart();
    EXPECT_EQ(form->control(ControlId::PushButton14).caption, "Ctrl+Alt+F12");
    // the start key presses the button: with an empty list, its message
    keys.press({Key::LeftCtrl, Key::LeftAlt}, Key::F12);
    EXPECT_TRUE(dialogs.shown.empty()) << "not inside the key's event";
    loop.processPendingEvents();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "No items in the list.");

    // and a run started by it is stopped by it
    dialogs.shown.clear();
    form->click(ControlId::PushButton6);
    std::vector<std::string> movesBeforeStop;
    loop.after(7s, [&] {
        movesBeforeStop = pointer.log;
        keys.press({Key::LeftCtrl, Key::LeftAlt}, Key::F12);
    });
    keys.press({Key::LeftCtrl, Key::LeftAlt}, Key::F12);
    loop.processPendingEvents();
    EXPECT_FALSE(movesBeforeStop.empty());
    EXPECT_EQ(form->control(ControlId::PushButton5).caption, StartCaption);
    EXPECT_TRUE(form->visible());
}

} // namespace
} // namespace cursovia
