#include <gtest/gtest.h>

#include <cstdint>

#include "hotkeys/dispatch_table.h"
#include "power/action_label.h"

namespace tavrin {
namespace {

TEST(DispatchTable, ActionsByKeyCodeOnly) {
    for (unsigned key = 0; key <= 0x1FF; ++key) {
        std::string_view label;
        VolumeKeyAction action = VolumeKeyAction::None;
        if (key == 117 || key == 120) label = labels::kShutdown, action = VolumeKeyAction::VolumeDown;
        if (key == 118 || key == 121) label = labels::kHibernate, action = VolumeKeyAction::VolumeUp;
        if (key == 119 || key == 122) label = labels::kLock, action = VolumeKeyAction::ToggleMute;
        if (key == 123) label = labels::kRestart;
        EXPECT_EQ(PowerKeyLabel(key), label) << "case: key " << key;
        EXPECT_EQ(VolumeKeyActionOf(key), action) << "case: key " << key;
    }
}

TEST(DispatchTable, TheKeyCodeIsTheHighWordOfTheLowHalf) {
    struct Case {
        std::intptr_t lParam;
        unsigned key;
    };
    const Case cases[] = {{0x00780002, 0x78},
                          {0x00750000, 0x75},
                          {0x7B0002, 0x7B},
                          {0xFFFF, 0},
                          {static_cast<std::intptr_t>(-65536), 0xFFFF},
                          {static_cast<std::intptr_t>(~std::uintptr_t{0xFF87FFFF}), 0x78}};
    for (const Case& c : cases) EXPECT_EQ(HotkeyKeyCode(c.lParam), c.key) << "case: lParam " << c.lParam;
}

}  // namespace
}  // namespace tavrin
