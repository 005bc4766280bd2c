#include "app/WaylandNotice.h"

#include "fakes/Fakes.h"

#include <gtest/gtest.h>

namespace cursovia {
namespace {

const std::string Key(WaylandNoticeShown.name);

TEST(WaylandNotice, ToldOnceInAWaylandSessionAndRemembered) {
    const struct {
        const char* name;
        bool wayland;
        std::optional<std::string> stored;
        bool shown;
    } cases[] = {
        {"first start in a Wayland session", true, std::nullopt, true},
        {"already told", true, "True", false},
        {"a hand-edited value that is not True", true, "False", true},
        {"an X11 session", false, std::nullopt, false},
    };
    for (const auto& c : cases) {
        fakes::MemorySettings settings;
        fakes::RecordingDialogs dialogs;
        if (c.stored) settings.set(Key, *c.stored);
        tellAboutWaylandOnce(c.wayland, settings, dialogs, "Cursovia");
        ASSERT_EQ(dialogs.shown.size(), c.shown ? 1u : 0u) << c.name;
        if (!c.shown) {
            EXPECT_TRUE(settings.writes.empty()) << c.name;
            continue;
        }
        EXPECT_EQ(dialogs.shown[0].text, WaylandNoticeText) << c.name;
        EXPECT_EQ(dialogs.shown[0].title, "Cursovia") << c.name;
        EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::Ok) << c.name;
        EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::None) << c.name;
        EXPECT_EQ(settings.value(Key), "True") << c.name;
    }
}

TEST(WaylandNotice, TheSecondStartIsSilent) {
    fakes::MemorySettings settings;
    fakes::RecordingDialogs dialogs;
    tellAboutWaylandOnce(true, settings, dialogs, "Cursovia");
    tellAboutWaylandOnce(true, settings, dialogs, "Cursovia");
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

// A store that fails costs at most a repeated notice, never the start.
TEST(WaylandNotice, AFailingStoreStillTellsAndDoesNotThrow) {
    fakes::MemorySettings unreadable;
    unreadable.failReadsOf = Key;
    fakes::MemorySettings unwritable;
    unwritable.failWritesTo = Key;
    for (fakes::MemorySettings* settings : {&unreadable, &unwritable}) {
        fakes::RecordingDialogs dialogs;
        EXPECT_NO_THROW(tellAboutWaylandOnce(true, *settings, dialogs, "Cursovia"));
        EXPECT_EQ(dialogs.shown.size(), 1u);
    }
}

} // namespace
} // namespace cursovia
