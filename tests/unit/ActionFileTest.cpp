#include "actions/ActionFile.h"
#include "actions/FileWrite.h"
#include "base/FilePaths.h"
#include "actions/SampleActions.h"
#include "fakes/Fakes.h"
#include "fakes/FileWriteLimits.h"
#include "fakes/SystemFiles.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace cursovia {
namespace {
namespace fs = std::filesystem;

TEST(FormatActionFile, SampleListGivesTheGoldenBytes) {
    ActionList list;
    list.appendAll({SampleActions.begin(), SampleActions.end()});
    EXPECT_EQ(formatActionFile(list), "0,0,2,No Action\r\n1200,350,1,No Action\r\n1600,750,3,Single Click\r\n\r\n");
}

TEST(FormatActionFile, EmptyListIsTwoBytes) {
    EXPECT_EQ(formatActionFile(ActionList{}), "\r\n");
}

TEST(ParseActionFile, CasesOfFileContent) {
    const struct {
        std::string text;
        std::vector<ParsedRow> rows;
    } cases[] = {
        {"", {}},
        {"\r\n", {}},
        {"1,2,3,Single Click\r\n\r\n", {{{"1", "2", "3", "Single Click"}, 4}}},
        // a blank line in the middle is skipped
        {"1,2,3,A\r\n\r\n4,5,6,B\r\n", {{{"1", "2", "3", "A"}, 4}, {{"4", "5", "6", "B"}, 4}}},
        // LF alone is an ordinary character: one line, the kind runs on
        {"1,2,3,No Action\n4,5,6,Single Click\n", {{{"1", "2", "3", "No Action\n4"}, 7}}},
        // CR alone likewise
        {"1,2,3,A\r4,5,6,B", {{{"1", "2", "3", "A\r4"}, 7}}},
        // a fifth field is dropped
        {"100,200,1,Single Click,extra\r\n", {{{"100", "200", "1", "Single Click"}, 5}}},
        // missing fields stay empty
        {"100,200\r\n", {{{"100", "200", "", ""}, 2}}},
        // three commas are a row of four empty texts
        {",,,\r\n", {{{"", "", "", ""}, 4}}},
        // blanks belong to the field
        {" 1 , 2 ,3,x\r\n", {{{" 1 ", " 2 ", "3", "x"}, 4}}},
        // a decimal comma splits the wait
        {"1,2,1,5,Single Click\r\n", {{{"1", "2", "1", "5"}, 5}}},
        // no final CR LF
        {"7,8,9,K", {{{"7", "8", "9", "K"}, 4}}},
    };
    for (const auto& c : cases) EXPECT_EQ(parseActionFile(c.text), c.rows) << c.text;
}

TEST(ActionFile, WriteThenReadGivesTheSameRowsAndBytes) {
    ActionList list;
    list.append({"-10", "20", "0.25", "Double Click"});
    list.append({"1", "2", "", "No Action"});
    const std::string text = formatActionFile(list);
    ActionList back;
    for (const ParsedRow& r : parseActionFile(text)) back.append(r.action);
    EXPECT_EQ(formatActionFile(back), text);
}

struct FileTest : ::testing::Test {
    fakes::TempFolder temp;
    fakes::SystemFileReplacement files;
    const fs::path& folder = temp.path();
    std::string path(const std::string& name) const { return temp.at(name); }
    static std::string contents(const std::string& p) { return fakes::TempFolder::read(p); }
};

TEST_F(FileTest, WriteReplacesTheWholeFileAndLeavesNoTemporary) {
    const std::string target = path("actions");
    writeFileReplacing(target, std::string(1000, 'x'), files);
    writeFileReplacing(target, "short\r\n", files);
    EXPECT_EQ(contents(target), "short\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);
}

TEST_F(FileTest, NonAsciiNamesWork) {
    const std::string target = path("Aktionen \xC3\xBC\xE2\x82\xAC.txt");
    writeFileReplacing(target, "1,2,3,K\r\n\r\n", files);
    EXPECT_EQ(readActionFileBytes(target), "1,2,3,K\r\n\r\n");
}

TEST_F(FileTest, ReadRefusesMissingFoldersAndTooLargeFiles) {
    EXPECT_THROW(readActionFileBytes(path("missing.txt")), std::runtime_error);
    EXPECT_THROW(readActionFileBytes(utf8FromPath(folder)), std::runtime_error);
    const std::string large = path("large.txt");
    {
        std::ofstream out(pathFromUtf8(large), std::ios::binary);
        out.seekp(static_cast<std::streamoff>(ActionFileSizeLimit));
        out.put('x');
    }
    try {
        readActionFileBytes(large);
        FAIL() << "a file over the limit was read";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("larger than 16 MB"), std::string::npos) << e.what();
    }
}

TEST_F(FileTest, AFolderIsNoSaveTarget) {
    EXPECT_THROW(writeFileReplacing(utf8FromPath(folder), "x", files), std::runtime_error);
}

#if defined(__linux__)
TEST_F(FileTest, WriteKeepsTheTargetsPermissions) {
    using P = fs::perms;
    for (const P mode : {P::owner_read | P::owner_write, P::owner_read | P::owner_write | P::group_read,
                         P::owner_all | P::group_read | P::group_exec | P::others_read | P::others_exec}) {
        const std::string target = path("actions.txt");
        temp.file("actions.txt", "former\r\n");
        fs::permissions(target, mode);
        writeFileReplacing(target, "new\r\n", files);
        EXPECT_EQ(contents(target), "new\r\n");
        EXPECT_EQ(fs::status(target).permissions(), mode) << static_cast<int>(mode);
    }
}

TEST_F(FileTest, WriteGoesThroughSymbolicLinksToTheirTarget) {
    fs::create_directory(folder / "data");
    temp.file("data/real.txt", "former\r\n");
    fs::create_symlink("data/real.txt", folder / "link.txt");
    fs::create_symlink(folder / "link.txt", folder / "link-to-link.txt");
    fs::create_symlink("data/not-yet.txt", folder / "dangling.txt");
    const struct {
        const char* link;
        const char* file;
    } cases[] = {{"link.txt", "data/real.txt"}, {"link-to-link.txt", "data/real.txt"}, {"dangling.txt", "data/not-yet.txt"}};
    for (const auto& c : cases) {
        writeFileReplacing(path(c.link), std::string("through ") + c.link, files);
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder / c.link))) << c.link;
        EXPECT_EQ(contents(path(c.file)), std::string("through ") + c.link);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 4); // no temporary left
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "data"), fs::directory_iterator{}), 2);
}

TEST_F(FileTest, AFailedSaveKeepsTheFormerFileWhole) {
    const std::string target = path("actions.txt");
    writeFileReplacing(target, "former\r\n", files);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    {
        const fakes::PermissionBitsBindRoot evenForRoot;
        ASSERT_FALSE(std::ofstream(folder / "probe")) << "the folder must really be read-only";
        EXPECT_THROW(writeFileReplacing(target, "new\r\n", files), std::runtime_error);
    }
    EXPECT_EQ(contents(target), "former\r\n");
}
#endif

} // namespace
} // namespace cursovia
