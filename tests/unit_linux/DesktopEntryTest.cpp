#include "DesktopEntry.h"

#include <gtest/gtest.h>

namespace cursovia::qtx11 {
namespace {

// What a desktop entry reader gets back is the argument; the file holds the
// argument quoted (where needed) and then escaped as a string value.
TEST(DesktopEntry, ExecQuotesAndEscapesEachArgument) {
    const struct {
        std::vector<std::string> arguments;
        std::string exec;
    } cases[] = {
        {{"/usr/bin/cursovia"}, "/usr/bin/cursovia"},
        {{"/opt/My Apps/cursovia"}, R"("/opt/My Apps/cursovia")"},
        {{"/opt/a$b/cursovia"}, R"("/opt/a\\$b/cursovia")"},
        {{"/opt/say \"hi\"/cursovia"}, R"("/opt/say \\"hi\\"/cursovia")"},
        {{"/opt/back\\slash/cursovia"}, R"("/opt/back\\\\slash/cursovia")"},
        {{"/opt/tick`/cursovia"}, R"("/opt/tick\\`/cursovia")"},
        {{"/opt/100%/cursovia"}, "/opt/100%%/cursovia"},
        {{"/opt/100% sure/cursovia"}, R"("/opt/100%% sure/cursovia")"},
        {{"/opt/new\nline/cursovia"}, R"("/opt/new\nline/cursovia")"},
        {{"/opt/it's/cursovia"}, R"("/opt/it's/cursovia")"},
        {{"/usr/bin/cursovia", "--flag", ""}, R"(/usr/bin/cursovia --flag "")"},
        {{}, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(desktopEntryExec(c.arguments), c.exec) << c.exec;
}

TEST(DesktopEntry, TheAutostartEntryIsAnApplicationNamedCursovia) {
    EXPECT_EQ(autostartEntryText({"/home/ann/my tools/cursovia"}),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Cursovia\n"
              "Exec=\"/home/ann/my tools/cursovia\"\n");
}

} // namespace
} // namespace cursovia::qtx11
