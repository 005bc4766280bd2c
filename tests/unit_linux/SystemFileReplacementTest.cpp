#include "SystemCallFaults.h"
#include "FileReplacementAdapter.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cursovia::qtx11 {
namespace {
namespace fs = std::filesystem;

struct stat statOf(const std::string& path) {
    struct stat s {};
    EXPECT_EQ(::stat(path.c_str(), &s), 0) << path;
    return s;
}

struct SystemFileReplacementTest : ::testing::Test {
    fakes::TempFolder temp;
    PosixFileReplacement files;
    std::string folder = temp.path().string();
    std::string target = temp.at("list.txt");
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator{}));
    }
    // The log with the temporary's random name as "<tmp>".
    static std::vector<std::string> withTemporaryNamed(std::vector<std::string> log, const std::string& target) {
        for (std::string& entry : log)
            for (std::size_t at; (at = entry.find(target + ".tmp")) != std::string::npos;) {
                std::size_t end = at + target.size() + 4;
                while (end < entry.size() && std::isdigit(static_cast<unsigned char>(entry[end]))) ++end;
                entry.replace(at, end - at, "<tmp>");
            }
        return log;
    }
};

// The new file reaches the disk before it takes the former one's place, and
// the rename reaches it with the folder; a failed close (as network file
// systems report late write errors) stops the save too.
TEST_F(SystemFileReplacementTest, TheNewFileIsSyncedAndClosedBeforeTheRenameAndTheFolderAfterIt) {
    temp.file("list.txt", "former");
    std::vector<std::string> log;
    {
        faults::Watch watch(folder);
        files.replace(target, "new", true);
        log = withTemporaryNamed(watch.calls.log, target);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"open <tmp>", "fchown <tmp>", "fsync <tmp>", "close <tmp>",
                                             "rename <tmp> " + target, "open " + folder, "fsync " + folder,
                                             "close " + folder}));
    EXPECT_EQ(fakes::TempFolder::read(target), "new");
}

TEST_F(SystemFileReplacementTest, EveryFailingStepLeavesTheFormerFileAndNoTemporary) {
    const struct {
        const char* call;
        int error;
        const char* reason;
    } cases[] = {
        {"open", EACCES, "Permission denied"},
        {"fsync", EIO, "syncing the file to the disk failed: Input/output error"},
        {"close", EIO, "writing failed: Input/output error"},
        {"rename", EXDEV, "Invalid cross-device link"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        temp.file("list.txt", "former");
        faults::Watch watch(folder);
        watch.calls.failWith[c.call] = c.error;
        try {
            files.replace(target, "new", true);
            ADD_FAILURE() << "the save did not fail";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), c.reason);
        }
        EXPECT_EQ(fakes::TempFolder::read(target), "former");
        EXPECT_EQ(entries(), 1u);
    }
}

// Someone who may write the folder plants a link under the name the
// temporary is about to get: the save must neither follow it nor use it.
TEST_F(SystemFileReplacementTest, ALinkPlantedUnderTheTemporarysNameIsNeitherFollowedNorUsed) {
    const std::string victim = temp.file("victim.txt", "the user's other file");
    fs::permissions(victim, fs::perms::owner_read | fs::perms::owner_write);
    temp.file("list.txt", "former");
    fs::permissions(target, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
    int planted = 0;
    {
        faults::Watch watch(folder);
        watch.calls.beforeCreate = [&](const std::string& path) {
            if (planted++ == 0) fs::create_symlink(victim, path);
        };
        files.replace(target, "new", true);
    }
    EXPECT_GE(planted, 2); // a second name was needed
    EXPECT_EQ(fakes::TempFolder::read(victim), "the user's other file");
    EXPECT_EQ(fs::status(victim).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fakes::TempFolder::read(target), "new");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(SystemFileReplacementTest, ARootProcessGivesTheReplacementTheFormerOwnerAndGroup) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    temp.file("list.txt", "former");
    ASSERT_EQ(::chown(target.c_str(), 4321, 4322), 0);

    files.replace(target, "new", true);
    EXPECT_EQ(statOf(target).st_uid, 4321u);
    EXPECT_EQ(statOf(target).st_gid, 4322u);
}

// A colleague's group-writable file: the saver may not give it back to its
// owner (EPERM), but keeps its group.
TEST_F(SystemFileReplacementTest, WhereTheOwnerIsRefusedTheGroupIsKept) {
    if (::geteuid() != 0) GTEST_SKIP() << "a file of another user and group is made as root";
    temp.file("list.txt", "former");
    ASSERT_EQ(::chown(target.c_str(), 4321, 4322), 0);
    {
        faults::Watch watch(folder);
        watch.calls.failWith["fchown"] = EPERM;
        files.replace(target, "new", true);
    }
    EXPECT_EQ(fakes::TempFolder::read(target), "new");
    EXPECT_EQ(statOf(target).st_uid, ::geteuid());
    EXPECT_EQ(statOf(target).st_gid, 4322u);
}

TEST_F(SystemFileReplacementTest, ANewFileGetsTheUsualModeAndAsksNoOwner) {
    const mode_t mask = ::umask(022);
    faults::Watch watch(folder);
    files.replace(target, "new", false);
    ::umask(mask);
    EXPECT_EQ(statOf(target).st_mode & 0777, 0644u);
    for (const std::string& call : watch.calls.log) EXPECT_EQ(call.rfind("fchown", 0), std::string::npos) << call;
}

} // namespace
} // namespace cursovia::qtx11
