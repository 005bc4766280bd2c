#include "actions/ActionFile.h"
#include "actions/FilePaths.h"
#include "app/PersistedList.h"
#include "fakes/FileWriteLimits.h"
#include "fakes/FormFixture.h"
#include "fakes/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace cursovia {
namespace {
namespace fs = std::filesystem;
using namespace std::string_literals;

struct FileCommands : fakes::FormFixture {
    fakes::TempFolder temp;
    const fs::path& folder = temp.path();
    void SetUp() override {
        settings.set("Loads", "5");
        start();
    }
    std::string file(const std::string& name, const std::string& bytes) { return temp.file(name, bytes); }
    void choose(const std::string& path) { dialogs.nextFile = {FileDialogResult::Outcome::Chosen, path}; }
    static std::string read(const std::string& path) { return fakes::TempFolder::read(path); }
};

TEST_F(FileCommands, SaveWritesTheListWithTheDialogsSettings) {
    form->click(ControlId::PushButton6);
    const std::string target = utf8FromPath(folder / "mylist"); // no extension added
    choose(target);
    form->click(ControlId::PushButton8);
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].title, "Save Action As");
    EXPECT_EQ(dialogs.fileRequests[0].filter, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|");
    EXPECT_EQ(read(target), "0,0,2,No Action\r\n1200,350,1,No Action\r\n1600,750,3,Single Click\r\n\r\n");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(FileCommands, CancelledDialogsDoNothing) {
    form->click(ControlId::PushButton6);
    dialogs.nextFile = {FileDialogResult::Outcome::Cancelled, ""};
    form->click(ControlId::PushButton8);
    form->click(ControlId::PushButton9);
    EXPECT_EQ(form->list().rowCount(), 3u);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(fs::directory_iterator(folder), fs::directory_iterator{});
}

TEST_F(FileCommands, LoadAppendsBehindTheRowsAlreadyThere) {
    form->click(ControlId::PushButton6);
    form->ListView1_Select(1);
    choose(file("list.txt", "5,6,7,Double Click\r\n\r\n8,9,1,No Action\r\n\r\n"));
    form->click(ControlId::PushButton9);
    EXPECT_EQ(dialogs.fileRequests.back().title, "Select Action File");
    EXPECT_EQ(dialogs.fileRequests.back().filter, "All Files (*.*)|*.*|");
    ASSERT_EQ(rows().size(), 5u);
    EXPECT_EQ(rows()[3], (Action{"5", "6", "7", "Double Click"}));
    EXPECT_EQ(rows()[4], (Action{"8", "9", "1", "No Action"}));
    EXPECT_EQ(form->list().selected(), 1u);
}

TEST_F(FileCommands, SaveThenLoadAppendsASecondCopy) {
    form->click(ControlId::PushButton6);
    const std::string target = utf8FromPath(folder / "copy.txt");
    choose(target);
    form->click(ControlId::PushButton8);
    form->click(ControlId::PushButton9);
    ASSERT_EQ(rows().size(), 6u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(rows()[i + 3], rows()[i]);
}

TEST_F(FileCommands, EachMissingFieldIsReportedAndTheRowStillAdded) {
    choose(file("short.txt", "100,200\r\nalone\r\n"));
    form->click(ControlId::PushButton9);
    ASSERT_EQ(rows().size(), 2u);
    EXPECT_EQ(rows()[0], (Action{"100", "200", "", ""}));
    EXPECT_EQ(rows()[1], (Action{"alone", "", "", ""}));
    const std::vector<std::string> lines = {"at line 106", "at line 108", "at line 104", "at line 106", "at line 108"};
    ASSERT_EQ(dialogs.shown.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_NE(dialogs.shown[i].text.find("Form1.PushButton9_Click " + lines[i]), std::string::npos)
            << dialogs.shown[i].text;
        EXPECT_EQ(dialogs.shown[i].title, "Application Error");
    }
}

TEST_F(FileCommands, AFloodOfMissingFieldsEndsInOneSummary) {
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "x\r\n";
    choose(file("flood.txt", text));
    form->click(ControlId::PushButton9);
    EXPECT_EQ(rows().size(), 1000u);
    ASSERT_EQ(dialogs.shown.size(), 11u);
    EXPECT_NE(dialogs.shown.back().text.find("2990 more fields were missing"), std::string::npos);
}

TEST_F(FileCommands, FilesThatCannotBeReadAddNothingAndSaySo) {
    form->click(ControlId::PushButton6);
    std::string large(17 * 1024 * 1024, 'x');
    encoding.rejectEnabled = true;
    encoding.rejectByte = '\xFF';
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {utf8FromPath(folder / "missing.txt"), "File not found"},
        {utf8FromPath(folder), "Not a file"},
        {file("large.txt", large), "larger than 16 MB"},
        {file("binary.txt", std::string("1,2,3,\xFF\r\n", 9)), "not text"},
        // NUL is UTF-8 but never text: a binary file, or a list saved as UTF-16
        {file("with-nuls.txt", "1,2,3,No Action\r\n\0\0\0\0"s), "not a text file"},
        {file("utf16.txt", "1\0,\0002\0,\0003\0,\0K\0\r\0\n\0"s), "not a text file"},
        // within the size limit, but a row for every three bytes
        {file("tiny-lines.txt", [] {
             std::string text;
             for (std::size_t i = 0; i <= ActionFileRowLimit; ++i) text += "x\r\n";
             return text;
         }()),
         "more than 1048576 rows"},
    };
    for (const auto& c : cases) {
        dialogs.shown.clear();
        choose(c.path);
        form->click(ControlId::PushButton9);
        EXPECT_EQ(rows().size(), 3u) << c.path;
        ASSERT_EQ(dialogs.shown.size(), 1u) << c.path;
        EXPECT_NE(dialogs.shown[0].text.find(c.reason), std::string::npos) << dialogs.shown[0].text;
        EXPECT_NE(dialogs.shown[0].text.find("Form1.PushButton9_Click at line 102"), std::string::npos);
    }
}

TEST_F(FileCommands, LineEndsOtherThanCrLfGiveOneRowThatSurvivesARestart) {
    const struct {
        const char* name;
        std::string text;
        Action row;
    } cases[] = {
        {"lf.txt", "1,2,3,No Action\n4,5,6,Single Click\n7,8,9,No Action\n", {"1", "2", "3", "No Action\n4"}},
        {"cr.txt", "1,2,3,No Action\r4,5,6,Single Click\r7,8,9,No Action\r", {"1", "2", "3", "No Action\r4"}},
    };
    for (const auto& c : cases) {
        form->click(ControlId::PushButton4);
        choose(file(c.name, c.text));
        form->click(ControlId::PushButton9);
        EXPECT_TRUE(dialogs.shown.empty()) << c.name; // more than four fields: nothing is missing
        EXPECT_EQ(rows(), std::vector<Action>{c.row}) << c.name;
        restart();
        EXPECT_EQ(rows(), std::vector<Action>{c.row}) << c.name;
    }
}

TEST_F(FileCommands, LargeFilesWithinTheLimitLoadWhole) {
    const std::string longKind(10 * 1024 * 1024, 'k');
    std::string millionLines = "1,2,3,First\r\n";
    for (int i = 1; i < 999999; ++i) millionLines += "7,8,0,K\r\n";
    millionLines += "4,5,6,Last\r\n";
    const struct {
        const char* name;
        std::string text;
        std::size_t rows;
        Action first, last;
    } cases[] = {
        {"one-long-line.txt", "5,6,7," + longKind + "\r\n", 1, {"5", "6", "7", longKind}, {"5", "6", "7", longKind}},
        {"million-lines.txt", millionLines, 1000000, {"1", "2", "3", "First"}, {"4", "5", "6", "Last"}},
    };
    for (const auto& c : cases) {
        form->click(ControlId::PushButton4);
        choose(file(c.name, c.text));
        form->click(ControlId::PushButton9);
        EXPECT_TRUE(dialogs.shown.empty()) << c.name;
        ASSERT_EQ(form->list().rowCount(), c.rows) << c.name;
        EXPECT_EQ(form->list().row(0), c.first) << c.name;
        EXPECT_EQ(form->list().row(c.rows - 1), c.last) << c.name;
        EXPECT_EQ(decodeActions(settings.value("Actions").value()).size(), c.rows) << c.name;
    }
}

TEST_F(FileCommands, AnEmptyFileAddsNothingSilently) {
    choose(file("empty.txt", ""));
    form->click(ControlId::PushButton9);
    choose(file("crlf.txt", "\r\n"));
    form->click(ControlId::PushButton9);
    EXPECT_EQ(rows().size(), 0u);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(FileCommands, ANameTooLongForTheDialogGivesItsMessage) {
    dialogs.nextFile = {FileDialogResult::Outcome::NameTooLong, ""};
    form->click(ControlId::PushButton9);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "You've selected too many files to add.\r\rPlease try adding via the \"Add All\" button.");
    EXPECT_EQ(dialogs.shown[0].title, "Cursovia");
}

TEST_F(FileCommands, ANameTooLongForTheSaveDialogIsReportedAndNothingIsWritten) {
    form->click(ControlId::PushButton6);
    dialogs.nextFile = {FileDialogResult::Outcome::NameTooLong, ""};
    form->click(ControlId::PushButton8);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, ErrorReport::text("The chosen file name is too long for the file dialog",
                                                       "Form1.PushButton8_Click", 100));
    EXPECT_EQ(dialogs.shown[0].title, "Application Error");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(fs::directory_iterator(folder), fs::directory_iterator{});
}

TEST_F(FileCommands, SaveIntoAFolderThatIsGoneIsReported) {
    form->click(ControlId::PushButton6);
    choose(utf8FromPath(folder / "gone" / "list.txt"));
    form->click(ControlId::PushButton8);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("Form1.PushButton8_Click at line 102"), std::string::npos);
}

#if defined(__linux__)
TEST_F(FileCommands, AFailedSaveKeepsTheFormerFileWholeAndSaysSo) {
    for (int i = 0; i < 100; ++i) form->click(ControlId::PushButton6); // some 7 KB of file
    const std::string target = file("list.txt", "former\r\n");
    const auto writable = [&] {
        const fs::path probe = folder / "probe";
        bool written = false;
        {
            std::ofstream out(probe, std::ios::binary);
            written = out && out.write(std::string(4096, 'x').data(), 4096) && out.flush();
        }
        std::error_code ec;
        fs::remove(probe, ec);
        return written;
    };
    const struct {
        const char* how;
        std::function<std::shared_ptr<void>()> failWrites;
        const char* reason;
    } cases[] = {
        {"a read-only folder",
         [&] {
             fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
             return std::make_shared<fakes::PermissionBitsBindRoot>();
         },
         "Permission denied"},
        {"a full disk", [] { return std::make_shared<fakes::FileSizeLimit>(1024); }, "writing failed"},
    };
    for (const auto& c : cases) {
        dialogs.shown.clear();
        choose(target);
        {
            const std::shared_ptr<void> failing = c.failWrites();
            ASSERT_FALSE(writable()) << c.how << ": the write must really fail, or this proves nothing";
            form->click(ControlId::PushButton8);
        }
        fs::permissions(folder, fs::perms::owner_all);
        EXPECT_EQ(read(target), "former\r\n") << c.how;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1) << c.how; // no temporary left
        ASSERT_EQ(dialogs.shown.size(), 1u) << c.how;
        EXPECT_NE(dialogs.shown[0].text.find("Cannot save to " + target + ": "), std::string::npos) << c.how;
        EXPECT_NE(dialogs.shown[0].text.find(c.reason), std::string::npos) << dialogs.shown[0].text;
        EXPECT_NE(dialogs.shown[0].text.find("Form1.PushButton8_Click at line 102"), std::string::npos);
        EXPECT_EQ(rows().size(), 300u);
    }
}
#endif

TEST_F(FileCommands, SampleAppendsItsThreeRowsEachTime) {
    for (const char* x : {"1", "2"}) {
        pointer.at = {std::stoi(x), 0};
        keys.press(vk::F6);
        form->click(ControlId::PushButton1);
    }
    form->click(ControlId::PushButton6);
    form->click(ControlId::PushButton6);
    ASSERT_EQ(rows().size(), 8u);
    EXPECT_EQ(rows()[2], (Action{"0", "0", "2", "No Action"}));
    EXPECT_EQ(rows()[4], (Action{"1600", "750", "3", "Single Click"}));
    EXPECT_EQ(rows()[7], rows()[4]);
}

} // namespace
} // namespace cursovia
