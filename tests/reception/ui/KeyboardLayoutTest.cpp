#include <gtest/gtest.h>

#include <string>

#include "reception/ui/KeyboardLayout.h"

namespace orv::reception {
namespace {

using namespace std::string_literals;

// The X server's _XKB_RULES_NAMES as setxkbmap leaves it.
TEST(KeyboardLayout, GroupOfEachConfiguredLayout) {
    const std::string both = "evdev\0pc105\0us,ir\0,\0grp:alt_shift_toggle\0"s;
    EXPECT_EQ(XkbGroupOf(both, "us"), 0);
    EXPECT_EQ(XkbGroupOf(both, "ir"), 1);
    const std::string reversed = "evdev\0pc105\0ir,de,us\0\0\0"s;
    EXPECT_EQ(XkbGroupOf(reversed, "ir"), 0);
    EXPECT_EQ(XkbGroupOf(reversed, "us"), 2);
    EXPECT_EQ(XkbGroupOf("evdev\0pc105\0us\0\0\0"s, "ir"), -1);
    EXPECT_EQ(XkbGroupOf("evdev\0pc105\0usa,irq\0"s, "us"), -1);
    EXPECT_EQ(XkbGroupOf("", "us"), -1);
    EXPECT_EQ(XkbGroupOf("evdev"s, "us"), -1);
}

TEST(KeyboardLayout, TestsReplaceTheSwitch) {
    std::string asked;
    SetKeyboardLayouts([&](KeyboardLayout l) { asked += l == KeyboardLayout::Persian ? "fa " : "en "; });
    ActivatePersianLayout();
    ActivateUsEnglishLayout();
    SetKeyboardLayouts({});
    ActivatePersianLayout();  // the platform's again: without a display, nothing happens
    EXPECT_EQ(asked, "fa en ");
}

}  // namespace
}  // namespace orv::reception
