#include "fakes/FormFixture.h"

namespace cursovia {
namespace {

struct Options : fakes::FormFixture {
    void SetUp() override {
        settings.set("Loads", "3");
        start();
        settings.writes.clear();
    }
};

TEST_F(Options, CheckingStartupShowsMinimizedAndRegistersTheQuotedPath) {
    program.executablePath = "/opt/my apps/cursovia";
    start();
    settings.writes.clear();
    form->click(ControlId::Check4);
    EXPECT_TRUE(form->control(ControlId::Check8).visible);
    EXPECT_FALSE(form->control(ControlId::Check8).value);
    EXPECT_EQ(settings.writes, (std::vector<std::string>{"Windows Startup=On"}));
    EXPECT_EQ(autostart.entries, (std::map<std::string, std::string>{{"cursovia", "/opt/my apps/cursovia"}}));
    form->click(ControlId::Check4);
    form->click(ControlId::Check4);
    EXPECT_EQ(autostart.entries.size(), 1u); // twice on is still one entry
}

TEST_F(Options, UncheckingStartupClearsMinimizedFirst) {
    form->click(ControlId::Check4);
    form->click(ControlId::Check8);
    settings.writes.clear();
    form->click(ControlId::Check4);
    EXPECT_EQ(settings.writes, (std::vector<std::string>{"Minimized=Off", "Windows Startup=Off"}));
    EXPECT_FALSE(form->control(ControlId::Check8).value);
    EXPECT_FALSE(form->control(ControlId::Check8).visible);
    EXPECT_TRUE(autostart.entries.empty());
    EXPECT_EQ(autostart.log.back(), "remove cursovia");
}

TEST_F(Options, AFailedRegistrationIsExplainedAndTurnsTheOptionOff) {
    autostart.failWith = "the autostart folder is read-only";
    form->click(ControlId::Check4);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("the autostart folder is read-only"), std::string::npos);
    EXPECT_EQ(dialogs.shown[0].title, "Cursovia");
    EXPECT_FALSE(form->control(ControlId::Check4).value);
    EXPECT_FALSE(form->control(ControlId::Check8).visible);
    EXPECT_EQ(settings.value("Windows Startup"), "Off");
    EXPECT_TRUE(autostart.entries.empty());
}

TEST_F(Options, MinimizedWritesItsState) {
    form->click(ControlId::Check4);
    settings.writes.clear();
    form->click(ControlId::Check8);
    form->click(ControlId::Check8);
    EXPECT_EQ(settings.writes, (std::vector<std::string>{"Minimized=On", "Minimized=Off"}));
}

TEST_F(Options, StartFromOptionsWriteBothInOneGo) {
    form->click(ControlId::Option5);
    EXPECT_EQ(settings.writes, (std::vector<std::string>{"Option4=False", "Option5=True"}));
    EXPECT_FALSE(form->control(ControlId::Option4).value);
    form->click(ControlId::Option5); // already set: no click
    form->click(ControlId::Option4);
    EXPECT_EQ(settings.writes, (std::vector<std::string>{"Option4=False", "Option5=True", "Option4=True", "Option5=False"}));
    restart();
    EXPECT_TRUE(form->control(ControlId::Option4).value);
}

TEST_F(Options, ClickOptionsExcludeEachOtherButNotTheStartFromOnes) {
    form->click(ControlId::Option2);
    EXPECT_FALSE(form->control(ControlId::Option1).value);
    EXPECT_TRUE(form->control(ControlId::Option2).value);
    EXPECT_TRUE(form->control(ControlId::Option4).value);
    EXPECT_TRUE(settings.writes.empty()); // the click option is never stored
}

TEST_F(Options, TheWaitBoxStoresEveryChangeAndComplainsOnLeaving) {
    form->Text1_Typed("3.5");
    EXPECT_EQ(settings.value("Wait"), "3.5");
    form->Text1_LostFocus();
    EXPECT_TRUE(dialogs.shown.empty());
    form->Text1_Typed("abc");
    EXPECT_EQ(settings.value("Wait"), "abc");
    form->Text1_LostFocus();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Must be a numeric entry.");
    EXPECT_EQ(view.focused, (std::vector<ControlId>{ControlId::Text1}));
    EXPECT_EQ(form->control(ControlId::Text1).caption, "abc");
    restart();
    EXPECT_EQ(form->control(ControlId::Text1).caption, "abc");
}

TEST_F(Options, AnEmptyWaitBoxIsNotNumeric) {
    form->Text1_Typed("");
    form->Text1_LostFocus();
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"Must be a numeric entry."}));
}

TEST_F(Options, EnteringTheWaitBoxSelectsItsWholeText) {
    form->Text1_Typed("12.75");
    form->Text1_GotFocus();
    EXPECT_EQ(form->control(ControlId::Text1).selectionStart, 0);
    EXPECT_EQ(form->control(ControlId::Text1).selectionLength, 5);
}

TEST_F(Options, AFailedWriteOfAnOptionIsReportedUnderItsHandler) {
    settings.failWritesTo = "Wait";
    form->Text1_Typed("4");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("Form1.Text1_Change at line 100"), std::string::npos);
}

} // namespace
} // namespace cursovia
