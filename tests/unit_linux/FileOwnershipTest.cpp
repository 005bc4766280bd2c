#include "FileOwnership.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace cursovia::x11 {
namespace {

struct stat statOf(const std::string& path) {
    struct stat s {};
    EXPECT_EQ(::stat(path.c_str(), &s), 0) << path;
    return s;
}

TEST(PosixFileOwnership, ARootProcessGivesTheReplacementTheFormerOwnerAndGroup) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    fakes::TempFolder temp;
    const std::string former = temp.file("former", "a");
    const std::string replacement = temp.file("replacement", "b");
    ASSERT_EQ(::chown(former.c_str(), 4321, 4321), 0);

    PosixFileOwnership().copyOwner(former, replacement);
    EXPECT_EQ(statOf(replacement).st_uid, 4321u);
    EXPECT_EQ(statOf(replacement).st_gid, 4321u);
}

TEST(PosixFileOwnership, AMissingFileChangesNothingAndThrowsNothing) {
    fakes::TempFolder temp;
    const std::string present = temp.file("present", "a");
    const struct stat before = statOf(present);
    const std::string missing = temp.at("missing");

    EXPECT_NO_THROW(PosixFileOwnership().copyOwner(missing, present));
    EXPECT_NO_THROW(PosixFileOwnership().copyOwner(present, missing));
    EXPECT_EQ(statOf(present).st_uid, before.st_uid);
    EXPECT_EQ(statOf(present).st_gid, before.st_gid);
}

} // namespace
} // namespace cursovia::x11
