#include "actions/PersistedList.h"
#include "automation/modKeyboard.h"
#include "desktop/cSysTray.h"
#include "fakes/FormFixture.h"

#include <initializer_list>
#include <string>

namespace cursovia {
namespace {

using Startup = fakes::FormFixture;

// A stored list's text: fields joined as the list stores them, a record
// ended by its terminator.
const std::string FieldSeparator = "||MySeparator12||", RecordTerminator = "||MySeparator23||";
std::string fields(std::initializer_list<std::string> values) {
    std::string text;
    for (const std::string& v : values) text += (&v == values.begin() ? "" : FieldSeparator) + v;
    return text;
}
std::string record(std::initializer_list<std::string> values) { return fields(values) + RecordTerminator; }
const std::string SingleClick = record({"1", "2", "3", "Single Click"});

const char* FirstStartTip =
    "This is a one-time message since this is your first time using this software. Please remember this tip: use "
    "the F6 key to capture your current mouse coordinates. You can also click on the 'Help' button for more "
    "instructions.";

TEST_F(Startup, FirstStartOnAnEmptyStore) {
    start();
    EXPECT_EQ(settings.value("Loads"), "1");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, FirstStartTip);
    EXPECT_EQ(dialogs.shown[0].title, "Cursovia");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::None);
    EXPECT_TRUE(form->visible());
    EXPECT_EQ(form->caption(), "Cursovia");
    EXPECT_TRUE(form->iconSet());
    EXPECT_TRUE(form->control(ControlId::Option4).value);
    EXPECT_FALSE(form->control(ControlId::Option5).value);
    EXPECT_EQ(form->control(ControlId::Text1).caption, "2");
    EXPECT_FALSE(form->control(ControlId::Check4).value);
    EXPECT_FALSE(form->control(ControlId::Check8).visible);
    EXPECT_EQ(form->list().rowCount(), 0u);
    EXPECT_EQ(form->control(ControlId::Label1).background, White);
    EXPECT_FALSE(form->FormLoading());
    EXPECT_TRUE(form->keyboard().installed());
    ASSERT_EQ(form->columns().size(), 4u);
    const char* headers[] = {"X Position", " Y Position", " Wait (seconds)", "Action"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(form->columns()[i].header, headers[i]);
        EXPECT_EQ(form->columns()[i].width, 120);
    }
    // the icon is in the tray from start-up on, with the product name as its tip
    ASSERT_EQ(tray.calls.size(), 1u);
    EXPECT_EQ(tray.calls[0].kind, fakes::TrayCall::Kind::Add);
    EXPECT_EQ(tray.calls[0].tip, "Cursovia");
    EXPECT_TRUE(shell.log.empty());
}

TEST_F(Startup, WritesInTheOrderOfItsSteps) {
    start();
    EXPECT_EQ(settings.writes, (std::vector<std::string>{"Loads=1", "Wait=2"}));
}

TEST_F(Startup, AStoredListIsWrittenWhenItChangesNotBecauseItWasRead) {
    const std::string& T = RecordTerminator;
    const struct {
        const char* what;
        std::string stored;
        std::size_t rows;
    } cases[] = {
        {"extra fields", record({"1", "2", "3", "Single Click", "extra"}), 1},
        {"a short record", SingleClick + record({"4", "5"}), 2},
        {"no final terminator", SingleClick + fields({"4", "5", "6", "No Action"}), 2},
        {"empty records", T + SingleClick + T + T, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        settings = {};
        settings.set("Loads", "3");
        settings.set("Actions", c.stored);
        start();
        EXPECT_EQ(rows().size(), c.rows);
        restart(); // closed without a change, and started again
        EXPECT_EQ(rows().size(), c.rows);
        form->Form_QueryUnload();
        EXPECT_EQ(settings.value("Actions"), c.stored);
        for (const std::string& w : settings.writes) EXPECT_NE(w.rfind("Actions=", 0), 0u) << w;
        // the user's first change writes the list as it stands
        start();
        form->click(ControlId::PushButton6);
        EXPECT_EQ(decodeActions(settings.value("Actions").value()).size(), c.rows + 3);
    }
}

TEST_F(Startup, ARestoredRowTheStoredListCannotKeepIsReportedAndLeftOut) {
    const std::string F = "||MySeparator12||", T = "||MySeparator23||";
    // cut short inside a terminator: the last kind would grow a separator at the next save
    settings.set("Loads", "3");
    settings.set("Actions", "1" + F + "2" + F + "3" + F + "No Action" + T + "4" + F + "5" + F + "6" + F + "K||MySeparator23");
    start();
    EXPECT_EQ(rows(), (std::vector<Action>{{"1", "2", "3", "No Action"}}));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text.rfind("Row 2 in the saved list was not added: its Action field holds", 0), 0u)
        << dialogs.shown[0].text;
    EXPECT_NE(dialogs.shown[0].text.find("Form1.Form_Load at line 130"), std::string::npos);
}

// A list view that cannot take the restored rows (out of memory, say).
struct FailingListView : ListObserver {
    void rowsChanged(const ListChange&) override { throw std::runtime_error("The list view cannot take the rows"); }
    void selectionChanged() override {}
};

TEST_F(Startup, AFailureWhileRestoringTheListIsReportedAndStartUpGoesOn) {
    const std::string stored = "1||MySeparator12||2||MySeparator12||3||MySeparator12||No Action||MySeparator23||";
    settings.set("Loads", "3");
    settings.set("Actions", stored);
    FailingListView failing;
    create().list().setObserver(&failing);
    EXPECT_NO_THROW(form->Form_Load());
    form->list().setObserver(nullptr);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("The list view cannot take the rows"), std::string::npos);
    EXPECT_NE(dialogs.shown[0].text.find("Form1.Form_Load at line 130"), std::string::npos) << dialogs.shown[0].text;
    EXPECT_TRUE(form->keyboard().installed());
    EXPECT_FALSE(form->FormLoading());
    EXPECT_EQ(form->control(ControlId::Label1).background, White);
    form->Form_QueryUnload();
    EXPECT_EQ(settings.value("Actions"), stored); // what could not be shown is not lost
}

TEST_F(Startup, SecondStartCountsAndShowsNoTip) {
    start();
    restart();
    EXPECT_EQ(settings.value("Loads"), "2");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Startup, ANonNumericCountReportsTwiceAndShowsTheTip) {
    settings.set("Loads", "many");
    start();
    EXPECT_EQ(settings.value("Loads"), "many");
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_NE(dialogs.shown[0].text.find("Form1.Form_Load at line 108"), std::string::npos);
    EXPECT_NE(dialogs.shown[1].text.find("Form1.Form_Load at line 110"), std::string::npos);
    EXPECT_EQ(dialogs.shown[2].text, FirstStartTip);
    EXPECT_TRUE(form->visible()); // and start-up went on
    EXPECT_TRUE(form->keyboard().installed());
}

TEST_F(Startup, RestoresTheSavedRowsReportingMissingFields) {
    const std::string F = "||MySeparator12||", T = "||MySeparator23||";
    settings.set("Loads", "3");
    settings.set("Actions", "1" + F + "2" + F + "3" + F + "Single Click" + T + "only-x" + T);
    start();
    ASSERT_EQ(rows().size(), 2u);
    EXPECT_EQ(rows()[0], (Action{"1", "2", "3", "Single Click"}));
    EXPECT_EQ(rows()[1], (Action{"only-x", "", "", ""}));
    ASSERT_EQ(dialogs.shown.size(), 3u);
    for (const char* line : {"at line 130", "at line 132", "at line 134"})
        EXPECT_NE(std::find_if(dialogs.shown.begin(), dialogs.shown.end(),
                               [&](const auto& s) { return s.text.find("Form1.Form_Load " + std::string(line)) != std::string::npos; }),
                  dialogs.shown.end())
            << line;
}

TEST_F(Startup, AStoredListThatCannotBeReadIsNotOverwrittenByTheEmptyOne) {
    const std::string stored = "1||MySeparator12||2||MySeparator12||3||MySeparator12||No Action||MySeparator23||";
    settings.set("Loads", "3");
    settings.set("Actions", stored);
    settings.failReadsOf = "Actions";
    start();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("Form1.Form_Load at line 128"), std::string::npos);
    form->Form_QueryUnload();
    EXPECT_EQ(settings.value("Actions"), stored);
    // once the user builds a list of their own, that list is kept
    start();
    form->click(ControlId::PushButton6);
    EXPECT_EQ(decodeActions(settings.value("Actions").value()).size(), 3u);
}

// A stored list that did not come back whole is kept under a key of its own,
// and the user told where, before the first change replaces it.
TEST_F(Startup, AStoredListNotRestoredWholeIsKeptAsideBeforeTheFirstChangeReplacesIt) {
    const std::string& T = RecordTerminator;
    const struct {
        const char* what;
        std::string stored;
        bool keptAside;
    } cases[] = {
        {"a short record", SingleClick + record({"4", "5"}), true},
        {"extra fields", record({"1", "2", "3", "Single Click", "extra"}), true},
        {"a row the list cannot keep", SingleClick + fields({"4", "5", "6", "K||MySeparator23"}), true},
        {"not a list at all", "not a list", true},
        {"a whole list", SingleClick + SingleClick, false},
        {"empty records and no final terminator", T + SingleClick + T + fields({"4", "5", "6", "No Action"}), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        settings = {};
        settings.set("Loads", "3");
        settings.set("Actions", c.stored);
        start();
        dialogs.shown.clear();
        settings.writes.clear();
        form->click(ControlId::PushButton6);
        form->click(ControlId::PushButton6);
        std::vector<std::string> kept;
        for (const std::string& w : settings.writes)
            if (w.rfind("Actions.damaged-", 0) == 0) kept.push_back(w.substr(0, w.find('=')));
        if (!c.keptAside) {
            EXPECT_TRUE(kept.empty());
            EXPECT_TRUE(dialogs.shown.empty());
            continue;
        }
        ASSERT_EQ(kept.size(), 1u); // once, before the first change
        EXPECT_EQ(settings.writes.front().rfind("Actions.damaged-", 0), 0u);
        EXPECT_EQ(kept[0].size(), std::string("Actions.damaged-20261210-130512").size()) << kept[0];
        EXPECT_EQ(settings.value(kept[0]), c.stored);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_NE(dialogs.shown[0].text.find("\"" + kept[0] + "\""), std::string::npos) << dialogs.shown[0].text;
        EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(settings.value("Actions"), encodeActions(form->list()));
    }
}

TEST_F(Startup, AStoredListThatCouldNotBeKeptAsideIsNotReplaced) {
    const std::string F = "||MySeparator12||", T = "||MySeparator23||";
    const std::string stored = "1" + F + "2" + T;
    settings.set("Loads", "3");
    settings.set("Actions", stored);
    start();
    dialogs.shown.clear();
    settings.failWritesOfKeysStartingWith = "Actions.damaged-";
    form->click(ControlId::PushButton6);
    EXPECT_EQ(settings.value("Actions"), stored);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("Form1.PushButton6_Click at line 102"), std::string::npos)
        << dialogs.shown[0].text;
}

TEST_F(Startup, StartsHiddenInTheTrayWithoutRegisteringAgain) {
    settings.set("Loads", "3");
    settings.set("Windows Startup", "On");
    settings.set("Minimized", "On");
    start();
    EXPECT_FALSE(form->visible());
    EXPECT_TRUE(form->TrayHidden());
    EXPECT_EQ(form->windowState(), WindowState::Normal);
    EXPECT_TRUE(form->control(ControlId::Check4).value);
    EXPECT_TRUE(form->control(ControlId::Check8).value);
    EXPECT_TRUE(form->control(ControlId::Check8).visible);
    EXPECT_TRUE(autostart.log.empty());
    // the tray icon is there and the balloon was shown
    ASSERT_GE(tray.calls.size(), 2u);
    EXPECT_EQ(tray.calls[1].kind, fakes::TrayCall::Kind::ShowBalloon);
    EXPECT_EQ(tray.calls[1].title, "Cursovia");
    EXPECT_EQ(tray.calls[1].text, "has been minimized to the system tray.\r\nClick on the blue 'K' icon (K "
                                  "for Kelvardo) to bring the software back.");
}

TEST_F(Startup, MinimizedWithoutStartupOpensNormally) {
    settings.set("Loads", "3");
    settings.set("Windows Startup", "Off");
    settings.set("Minimized", "On");
    start();
    EXPECT_TRUE(form->visible());
    EXPECT_FALSE(form->control(ControlId::Check8).visible);
}

TEST_F(Startup, StartFromOptions) {
    const struct {
        const char* option4;
        const char* option5;
        bool set4, set5;
        std::vector<std::string> writes;
    } cases[] = {
        {"True", "False", true, false, {}},
        {"False", "True", false, true, {"Option4=False", "Option5=True"}},
        {"True", "True", false, true, {"Option4=False", "Option5=True"}},
        {"False", "False", false, false, {}},
        {"0", "1", false, true, {"Option4=False", "Option5=True"}},
    };
    for (const auto& c : cases) {
        settings = {};
        settings.set("Loads", "3");
        settings.set("Option4", c.option4);
        settings.set("Option5", c.option5);
        start();
        EXPECT_EQ(form->control(ControlId::Option4).value, c.set4) << c.option4 << c.option5;
        EXPECT_EQ(form->control(ControlId::Option5).value, c.set5) << c.option4 << c.option5;
        std::vector<std::string> optionWrites;
        for (const auto& w : settings.writes)
            if (w.rfind("Option", 0) == 0) optionWrites.push_back(w);
        EXPECT_EQ(optionWrites, c.writes) << c.option4 << c.option5;
    }
}

TEST_F(Startup, AnOptionThatIsNotBooleanIsReportedAndKeepsItsState) {
    settings.set("Loads", "3");
    settings.set("Option4", "maybe");
    start();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("\"maybe\""), std::string::npos);
    EXPECT_NE(dialogs.shown[0].text.find("Form1.Form_Load at line 154"), std::string::npos);
    EXPECT_TRUE(form->control(ControlId::Option4).value);
}

TEST_F(Startup, HomePageOpensOnlyOnSeven) {
    settings.set("Loads", "3");
    for (int draw : {1, 6, 8, 100}) {
        homePageDraw = draw;
        start();
    }
    EXPECT_TRUE(shell.log.empty());
    homePageDraw = 7;
    start();
    EXPECT_EQ(shell.log, (std::vector<std::string>{"start xdg-open [http://www.kelvardo.com]"}));
}

TEST_F(Startup, ShutdownInItsOrderThenTheProcessEnds) {
    settings.set("Loads", "3");
    start();
    form->click(ControlId::PushButton6);
    settings.writes.clear();
    tray.calls.clear();
    int yieldsBefore = loop.yields;
    form->Form_QueryUnload();
    EXPECT_EQ(keys.sink, nullptr);
    EXPECT_TRUE(settings.writes.empty()); // the change was written when it was made
    EXPECT_EQ(decodeActions(settings.value("Actions").value()).size(), 3u);
    ASSERT_EQ(tray.calls.size(), 1u);
    EXPECT_EQ(tray.calls[0].kind, fakes::TrayCall::Kind::Remove);
    EXPECT_EQ(loop.yields - yieldsBefore, 3);
    EXPECT_TRUE(loop.ended);
}

TEST_F(Startup, AListThatCouldNotBeWrittenWhenItChangedIsWrittenAtShutdown) {
    settings.set("Loads", "3");
    start();
    settings.failWritesTo = "Actions";
    form->click(ControlId::PushButton6);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("Form1.PushButton6_Click at line 102"), std::string::npos);
    settings.failWritesTo.clear();
    form->Form_QueryUnload();
    EXPECT_EQ(decodeActions(settings.value("Actions").value()).size(), 3u);
}

TEST_F(Startup, ShutdownGoesOnPastAFailedStep) {
    settings.set("Loads", "3");
    start();
    settings.failWritesTo = "Actions";
    form->click(ControlId::PushButton6);
    dialogs.shown.clear();
    form->Form_QueryUnload();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("Form1.Form_QueryUnload at line 102"), std::string::npos);
    EXPECT_FALSE(form->cSysTray1().InTray());
    EXPECT_TRUE(loop.ended);
}

TEST(ShortApplicationTitle, CutsAtTheLastBlankAtLeastOnce) {
    const struct {
        const char* name;
        const char* title;
    } cases[] = {
        {"Cursovia", "Cursovia"},
        {"Cursovia Mouse Clicker", "Cursovia Mouse"},
        {"A very long product name that goes on and on beyond forty", "A very long product name that goes on"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(shortApplicationTitle(c.name), c.title) << c.name;
}

} // namespace
} // namespace cursovia
