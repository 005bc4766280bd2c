#include "base/ProgramInfo.h"

#include <gtest/gtest.h>

namespace cursovia {
namespace {

TEST(ProgramInfo, FolderFileNameAndTheProgramsOwnFiles) {
    const struct {
        const char* path;
        char separator;
        const char* folder;
        const char* fileName;
        const char* skin;
    } cases[] = {
        {"C:\\Program Files\\Cursovia\\Cursovia.exe", '\\', "C:\\Program Files\\Cursovia", "Cursovia.exe",
         "C:\\Program Files\\Cursovia\\x\\o.cjs"},
        {"C:\\Cursovia.exe", '\\', "C:\\", "Cursovia.exe", "C:\\x\\o.cjs"},
        {"/opt/cursovia/cursovia", '/', "/opt/cursovia", "cursovia", "/opt/cursovia/x/o.cjs"},
        {"/cursovia", '/', "/", "cursovia", "/x/o.cjs"},
    };
    for (const auto& c : cases) {
        const ProgramInfo info{c.path, c.separator, ""};
        EXPECT_EQ(info.folder(), c.folder) << c.path;
        EXPECT_EQ(info.fileName(), c.fileName) << c.path;
        EXPECT_EQ(info.inFolder({"x", "o.cjs"}), c.skin) << c.path;
    }
}

} // namespace
} // namespace cursovia
