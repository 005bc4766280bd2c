#include "fakes/FormFixture.h"
#include "guidance/HelpTexts.h"

namespace cursovia {
namespace {

struct Guidance : fakes::FormFixture {
    void SetUp() override {
        settings.set("Loads", "5");
        start();
    }
};

TEST_F(Guidance, HelpShowsTheFiveParagraphsWithTheirSeparators) {
    form->click(ControlId::PushButton2);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const std::string& text = dialogs.shown[0].text;
    EXPECT_EQ(text.rfind("Move your mouse to the desired location on the screen and then press F6 to set the X and "
                         "Y coordinate/position of the mouse.\r\rImportant: Press Ctrl+Alt+S",
                         0),
              0u);
    EXPECT_NE(text.find("feature.\r\rSome softwares like BlueStacks"), std::string::npos);
    EXPECT_NE(text.find("does not work well.\r\n\r\nQuestions? Please contact Team Kelvardo at http://"),
              std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 9), "/contact/");
    // only the separator before the last paragraph holds line feeds
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 8);
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(dialogs.shown[0].title, "Cursovia");
}

TEST_F(Guidance, NotWorkingOpensTheSearchOnlyOnYes) {
    dialogs.answers = {MessageAnswer::No, MessageAnswer::Yes};
    form->click(ControlId::PushButton10);
    EXPECT_TRUE(shell.log.empty());
    form->click(ControlId::PushButton10);
    ASSERT_EQ(shell.log.size(), 1u);
    EXPECT_EQ(shell.log[0], "open https://www.google.com/search?q=autohotkey");
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.shown[0].text,
              "If this software is not working, you can try another software: \r\rAutoHotKey.\r\n\r\nDo you want "
              "me to open\r\n\r\nhttps://www.google.com/search?q=autohotkey\r\n\r\nnow?");
}

} // namespace
} // namespace cursovia
