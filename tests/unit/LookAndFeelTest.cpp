#include "base/FilePaths.h"
#include "desktop/FileIsPresent.h"
#include "desktop/SkinFile.h"
#include "fakes/FormFixture.h"
#include "fakes/TempFolder.h"

#include <filesystem>
#include <fstream>

namespace cursovia {
namespace {
namespace fs = std::filesystem;

struct LookAndFeel : fakes::FormFixture {
    fakes::TempFolder temp;
    const fs::path& folder = temp.path();
    void SetUp() override {
        fs::create_directories(folder / "x");
        program.executablePath = temp.at("cursovia");
        program.separator = static_cast<char>(fs::path::preferred_separator);
        settings.set("Loads", "3");
    }
    void put(const std::string& relative) { temp.file(relative, "window = #102030\n"); }
};

TEST_F(LookAndFeel, WithoutFilesTheWindowKeepsItsLook) {
    start();
    EXPECT_TRUE(skin.log.empty());
    EXPECT_FALSE(form->handPointerLoaded());
    EXPECT_EQ(form->control(ControlId::Frame1).background, White);
}

TEST_F(LookAndFeel, ASkinRecoloursThenHandsTheFilesColoursToTheWindow) {
    put("x/o.cjs");
    create();
    form->Form_Load();
    EXPECT_EQ(skin.log, (std::vector<std::string>{"apply"}));
    EXPECT_EQ(skin.applied, (std::vector<SkinColours>{{.window = 0x102030}}));
    for (ControlId id : {ControlId::Frame1, ControlId::Option4, ControlId::Check4, ControlId::Label4})
        EXPECT_EQ(form->control(id).background, ButtonFace);
    EXPECT_EQ(form->control(ControlId::Text1).background, White);
    EXPECT_EQ(form->control(ControlId::ListView1).background, White);
    EXPECT_EQ(form->control(ControlId::Label1).background, White); // made white again after the skin
}

TEST_F(LookAndFeel, ASkinFileThatDoesNotParseIsReportedAndStartUpGoesOn) {
    temp.file("x/o.cjs", "window = red\n");
    start();
    EXPECT_TRUE(skin.applied.empty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("Skin file line 1: expected a colour written #RRGGBB\r\nin CursoviaApp2021/08/31."
                                         "Form1.Form_Load at line 102"),
              std::string::npos);
    EXPECT_EQ(form->control(ControlId::Frame1).background, ButtonFace); // recoloured before the file is read
    EXPECT_TRUE(form->visible());
}

TEST_F(LookAndFeel, AFolderNamedLikeTheSkinIsNoSkin) {
    fs::create_directories(folder / "x" / "o.cjs");
    start();
    EXPECT_TRUE(skin.log.empty());
}

TEST_F(LookAndFeel, AHandPointerFileGivesTheHandOverButtonsOnly) {
    put("HAND-M.CUR");
    start();
    EXPECT_EQ(skin.log, (std::vector<std::string>{"pointer " + utf8FromPath(folder / "HAND-M.CUR")}));
    EXPECT_TRUE(form->handPointerLoaded());
    const struct {
        std::optional<ControlId> over;
        PointerShape shape;
    } cases[] = {{ControlId::PushButton5, PointerShape::Custom}, {std::nullopt, PointerShape::Default},
                 {ControlId::PushButton10, PointerShape::Custom}, {ControlId::ListView1, PointerShape::Default},
                 {ControlId::PushButton1, PointerShape::Custom}, {ControlId::Text1, PointerShape::Default},
                 {ControlId::Frame3, PointerShape::Default}};
    for (const auto& c : cases) {
        form->MouseMove(c.over);
        EXPECT_EQ(form->mousePointer(), c.shape);
    }
}

TEST_F(LookAndFeel, APointerThatCannotLoadIsReportedAndStartUpGoesOn) {
    put("HAND-M.CUR");
    skin.failPointerWith = "not a cursor file";
    start();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("not a cursor file\r\nin CursoviaApp2021/08/31.Form1.Form_Load at line 104"),
              std::string::npos);
    EXPECT_FALSE(form->handPointerLoaded());
    EXPECT_TRUE(form->visible());
}

TEST(FileIsPresentTest, NeverThrows) {
    const fakes::TempFolder temp;
    EXPECT_FALSE(FileIsPresent(temp.at("no-such-folder/file")));
    EXPECT_FALSE(FileIsPresent(""));
    EXPECT_FALSE(FileIsPresent(std::string("bad\0name", 8)));
    EXPECT_TRUE(FileIsPresent(temp.file("here", "x")));
    EXPECT_TRUE(FileIsPresent(utf8FromPath(temp.path())));
}

TEST(SkinFileTest, ParsesColoursAndRefusesAnythingElse) {
    const SkinColours parsed = parseSkin("# a comment\r\n; another\n\nwindow = #0A0b0C\nButtonText=#FFFFFF\n");
    EXPECT_EQ(parsed.window, 0x0A0B0Cu);
    EXPECT_EQ(parsed.buttonText, 0xFFFFFFu);
    EXPECT_EQ(parsed.field, std::nullopt);
    for (const char* bad : {"window #000000", "window = red", "window = #12345", "colour = #000000", "=#000000"})
        EXPECT_THROW(parseSkin(bad), std::runtime_error) << bad;
}

} // namespace
} // namespace cursovia
