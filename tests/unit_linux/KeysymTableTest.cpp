#include "KeysymTable.h"

#include "automation/KeyEvents.h"

#include <X11/keysym.h>

#include <gtest/gtest.h>

namespace cursovia::x11 {
namespace {

TEST(KeysymTable, MapsTheGlobalKeysAndNothingElse) {
    const struct {
        unsigned long keysym;
        std::optional<std::uint32_t> virtualKey;
    } cases[] = {
        {XK_F6, vk::F6},          {XK_s, vk::S},        {XK_S, vk::S},          {XK_Control_L, vk::LeftControl},
        {XK_Control_R, vk::RightControl}, {XK_F7, std::nullopt}, {XK_a, std::nullopt}, {XK_Alt_L, std::nullopt},
        {XK_Shift_L, std::nullopt}, {XK_Delete, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(virtualKeyForKeysym(c.keysym), c.virtualKey) << std::hex << c.keysym;
}

TEST(KeysymTable, TheGenericControlKeyIsEitherSide) {
    EXPECT_EQ(keysymsForVirtualKey(vk::Control), (std::vector<unsigned long>{XK_Control_L, XK_Control_R}));
    EXPECT_EQ(keysymsForVirtualKey(vk::LeftControl), (std::vector<unsigned long>{XK_Control_L}));
    EXPECT_EQ(keysymsForVirtualKey(vk::S), (std::vector<unsigned long>{XK_s, XK_S}));
    EXPECT_TRUE(keysymsForVirtualKey(0x41).empty());
}

} // namespace
} // namespace cursovia::x11
