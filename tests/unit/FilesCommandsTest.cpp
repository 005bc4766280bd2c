#include "actions/ActionFile.h"
#include "base/ErrorReport.h"
#include "base/FilePaths.h"
#include "actions/PersistedList.h"
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
    EXPECT_EQ(dialogs.fileRequests[0].filters,
              (std::vector<FileFilter>{{"Text Files", {"*.txt"}}, {"All Files", {EveryFile}}}));
    EXPECT_EQ(read(target), "0,0,2,No Action\r\n1200,350,1,No Action\r\n1600,750,3,Single Click\r\n\r\n");
    EXPECT_TRUE(dialogs.shown.empty());
}

// A save over a file keeps what the former file had (permissions, owner);
// a new file has nothing to keep.
TEST_F(FileCommands, SaveOverAFileKeepsItsOwnerAndANewFileAsksForNone) {
    const std::string target = utf8FromPath(folder / "mylist.txt");
    choose(target);
    form->click(ControlId::PushButton8);
    ASSERT_EQ(files.calls.size(), 1u);
    EXPECT_FALSE(files.calls[0].keepFormer);

    const std::string saved = read(target);
    form->click(ControlId::PushButton6);
    form->click(ControlId::PushButton8);
    ASSERT_EQ(files.calls.size(), 2u);
    EXPECT_EQ(files.calls[1].file, target);
    EXPECT_TRUE(files.calls[1].keepFormer);
    EXPECT_NE(read(target), saved);
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
    EXPECT_EQ(dialogs.fileRequests.back().filters, (std::vector<FileFilter>{{"All Files", {EveryFile}}}));
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

TEST_F(FileCommands, ARowTheStoredListCannotKeepIsReportedAndNotAdded) {
    choose(file("separators.txt", "1,2,3,No Action\r\n4,5,6||MySeparator12||7,No Action\r\n"
                                  "8,9,1,Single Click||MySeparator23\r\n10,11,1,Single Click\r\n"));
    form->click(ControlId::PushButton9);
    const std::vector<Action> loaded = {{"1", "2", "3", "No Action"}, {"10", "11", "1", "Single Click"}};
    EXPECT_EQ(rows(), loaded);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    const char* reports[] = {"Row 2 in the file was not added: its Wait field holds", "Row 3 in the file was not added: its Action field holds"};
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(dialogs.shown[i].text.rfind(reports[i], 0), 0u) << dialogs.shown[i].text;
        EXPECT_NE(dialogs.shown[i].text.find("Form1.PushButton9_Click at line 104"), std::string::npos);
        EXPECT_EQ(dialogs.shown[i].title, "Application Error");
    }
    restart();
    EXPECT_EQ(rows(), loaded);
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

TEST_F(FileCommands, AFloodOfRowsTheStoredListCannotKeepEndsInOneSummary) {
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "1,2,||MySeparator23||,No Action\r\n";
    choose(file("flood.txt", text + "1,2,3,No Action\r\n"));
    form->click(ControlId::PushButton9);
    EXPECT_EQ(rows().size(), 1u);
    ASSERT_EQ(dialogs.shown.size(), 11u);
    EXPECT_EQ(dialogs.shown.back().text.rfind("990 more rows in the file were not added", 0), 0u) << dialogs.shown.back().text;
}

TEST_F(FileCommands, FilesThatCannotBeReadAddNothingAndSaySo) {
    form->click(ControlId::PushButton6);
    std::string large(17 * 1024 * 1024, 'x');
    encoding.rejectEnabled = true;
    encoding.rejectByte = '\xFF';
    // Files that are no action files are turned away with an ordinary message
    // saying what is wrong and what to do; only real failures are error reports.
    const struct {
        std::string path;
        const char* reason;
        bool refusedByDesign;
    } cases[] = {
        {utf8FromPath(folder / "missing.txt"), "File not found", false},
        {utf8FromPath(folder), "Not a file", false},
        {file("large.txt", large), "larger than 16 MB", true},
        {file("binary.txt", std::string("1,2,3,\xFF\r\n", 9)), "not text", true},
        // NUL is UTF-8 but never text: a binary file, or a list saved as UTF-16
        {file("with-nuls.txt", "1,2,3,No Action\r\n\0\0\0\0"s), "not a text file", true},
        {file("utf16.txt", "1\0,\0002\0,\0003\0,\0K\0\r\0\n\0"s), "not a text file", true},
        // within the size limit, but a row for every three bytes
        {file("tiny-lines.txt", [] {
             std::string text;
             for (std::size_t i = 0; i <= ActionFileRowLimit; ++i) text += "x\r\n";
             return text;
         }()),
         "more than 1048576 rows", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        dialogs.shown.clear();
        choose(c.path);
        form->click(ControlId::PushButton9);
        EXPECT_EQ(rows().size(), 3u);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        const auto& shown = dialogs.shown[0];
        EXPECT_NE(shown.text.find(c.reason), std::string::npos) << shown.text;
        EXPECT_EQ(shown.buttons, MessageButtons::Ok);
        EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
        if (c.refusedByDesign) {
            EXPECT_EQ(shown.title, "Cursovia");
            EXPECT_NE(shown.text.find("Nothing was loaded."), std::string::npos) << shown.text;
            EXPECT_NE(shown.text.find("\r\n\r\nChoose "), std::string::npos) << shown.text; // what to do
            EXPECT_EQ(shown.text.find("in CursoviaApp"), std::string::npos) << shown.text;
        } else {
            EXPECT_EQ(shown.title, "Application Error");
            EXPECT_NE(shown.text.find("Form1.PushButton9_Click at line 102"), std::string::npos) << shown.text;
        }
    }
}

TEST_F(FileCommands, AFileWithLfLineEndsAloneIsRefusedSayingWhy) {
    for (const char* text : {"1,2,3,No Action\n4,5,6,Single Click\n7,8,9,No Action\n", "1,2,3,No Action\n"}) {
        dialogs.shown.clear();
        choose(file("lf.txt", text));
        form->click(ControlId::PushButton9);
        EXPECT_TRUE(rows().empty()) << text;
        ASSERT_EQ(dialogs.shown.size(), 1u) << text;
        EXPECT_NE(dialogs.shown[0].text.find("end in CR LF"), std::string::npos) << dialogs.shown[0].text;
        EXPECT_NE(dialogs.shown[0].text.find("Nothing was loaded."), std::string::npos) << dialogs.shown[0].text;
        EXPECT_EQ(dialogs.shown[0].title, "Cursovia");
    }
    EXPECT_EQ(settings.value("Actions").value_or(""), "");
}

TEST_F(FileCommands, OtherLineEndsBesideCrLfGiveRowsThatSurviveARestart) {
    const struct {
        const char* name;
        std::string text;
        std::vector<Action> rows;
    } cases[] = {
        {"cr.txt", "1,2,3,No Action\r4,5,6,Single Click\r7,8,9,No Action\r", {{"1", "2", "3", "No Action\r4"}}},
        // a CR LF makes it an action file; the LF alone stays a character of its line
        {"mixed.txt", "1,2,3,No Action\n4,5,6,Single Click\r\n", {{"1", "2", "3", "No Action\n4"}}},
    };
    for (const auto& c : cases) {
        form->click(ControlId::PushButton4);
        choose(file(c.name, c.text));
        form->click(ControlId::PushButton9);
        EXPECT_TRUE(dialogs.shown.empty()) << c.name; // more than four fields: nothing is missing
        EXPECT_EQ(rows(), c.rows) << c.name;
        restart();
        EXPECT_EQ(rows(), c.rows) << c.name;
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

#if defined(__linux__)
TEST_F(FileCommands, SaveRefusesAFileTheUserCannotWrite) {
    form->click(ControlId::PushButton6);
    using P = fs::perms;
    fs::create_symlink("list.txt", folder / "link.txt");
    const struct {
        const char* how;
        P mode;
        bool permissionBitsBindRoot;
        const char* chosen;
        const char* reason;
    } cases[] = {
        // made read-only by the user: refused even where the process could write it (root)
        {"a read-only file", P::owner_read | P::group_read | P::others_read, false, "list.txt", "the file is read-only"},
        {"a read-only file behind a link", P::owner_read, false, "link.txt", "the file is read-only"},
        // writable by others, not by its owner, who saves
        {"a file its owner may not write", P::owner_read | P::group_all | P::others_all, true, "list.txt",
         "Permission denied"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        dialogs.shown.clear();
        const std::string target = file("list.txt", "former\r\n");
        fs::permissions(target, c.mode);
        choose(utf8FromPath(folder / c.chosen));
        {
            std::shared_ptr<void> evenForRoot;
            if (c.permissionBitsBindRoot) evenForRoot = std::make_shared<fakes::PermissionBitsBindRoot>();
            form->click(ControlId::PushButton8);
        }
        EXPECT_EQ(read(target), "former\r\n");
        EXPECT_EQ(fs::status(target).permissions(), c.mode);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 2); // no temporary left
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_NE(dialogs.shown[0].text.find("Cannot save to " + utf8FromPath(folder / c.chosen) + ": " + c.reason),
                  std::string::npos)
            << dialogs.shown[0].text;
        EXPECT_NE(dialogs.shown[0].text.find("Form1.PushButton8_Click at line 102"), std::string::npos);
        fs::permissions(target, P::owner_all);
    }
}
#endif

TEST_F(FileCommands, SampleAppendsItsThreeRowsEachTime) {
    for (const char* x : {"1", "2"}) {
        pointer.at = {std::stoi(x), 0};
        keys.press(Key::F6);
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
