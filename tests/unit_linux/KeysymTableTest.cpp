#include "KeysymTable.h"

#include <X11/keysym.h>

#include <gtest/gtest.h>

namespace cursovia::qtx11 {
namespace {

TEST(KeysymTable, MapsTheKeysTheCoreNamesAndNothingElse) {
    const struct {
        unsigned long keysym;
        std::optional<Key> key;
    } cases[] = {
        {XK_F6, Key::F6},           {XK_s, Key::S},           {XK_S, Key::S},
        {XK_Control_L, Key::LeftCtrl}, {XK_Control_R, Key::RightCtrl}, {XK_F7, Key::F7},
        {XK_a, Key::A},             {XK_z, Key::Z},           {XK_Alt_L, Key::LeftAlt},
        {XK_Shift_L, Key::LeftShift}, {XK_Super_R, Key::RightWin}, {XK_Delete, Key::Delete},
        {XK_F24, Key::F24},         {XK_0, Key::Digit0},      {XK_9, Key::Digit9},
        {XK_KP_5, Key::Num5},       {XK_KP_Begin, Key::Num5}, {XK_Pause, Key::Pause},
        {XK_Prior, Key::PageUp},    {XK_F25, std::nullopt},   {XK_exclam, std::nullopt},
        {XK_Caps_Lock, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(keyForKeysym(c.keysym), c.key) << std::hex << c.keysym;
}

TEST(KeysymTable, EveryKeysymOfAKeyMapsBackToIt) {
    EXPECT_EQ(keysymsForKey(Key::LeftCtrl), (std::vector<unsigned long>{XK_Control_L}));
    EXPECT_EQ(keysymsForKey(Key::S), (std::vector<unsigned long>{XK_s, XK_S}));
    EXPECT_TRUE(keysymsForKey(Key::None).empty());
    for (int k = static_cast<int>(Key::LeftCtrl); k <= static_cast<int>(Key::Menu); ++k) {
        const Key key = static_cast<Key>(k);
        EXPECT_FALSE(keysymsForKey(key).empty()) << k;
        for (unsigned long keysym : keysymsForKey(key)) EXPECT_EQ(keyForKeysym(keysym), key) << std::hex << keysym;
    }
}

} // namespace
} // namespace cursovia::qtx11
