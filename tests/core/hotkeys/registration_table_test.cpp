#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "hotkeys/dispatch_table.h"
#include "hotkeys/registration_table.h"
#include "power/action_label.h"

namespace tavrin {
namespace {

using Rows = std::vector<HotkeyBinding>;

const Rows kPlainF6 = {{117, 0, 117}, {118, 0, 118}, {119, 0, 119}};
const Rows kPlainF9 = {{120, 0, 120}, {121, 0, 121}, {122, 0, 122}};
const Rows kCtrlF9 = {{0x278, 2, 120}, {0x279, 2, 121}, {0x27A, 2, 122}, {0x27B, 2, 123}};

TEST(RegistrationTable, PowerRowsForEverySetValue) {
    struct Case {
        std::int16_t set;
        Rows rows;
    };
    const Case cases[] = {{1, kPlainF6}, {2, kPlainF9}, {3, kCtrlF9}, {0, {}},
                          {4, {}},       {-1, {}},      {7, {}},      {INT16_MIN, {}}};
    for (const Case& c : cases) {
        const auto rows = PowerKeyRows(c.set);
        EXPECT_EQ(Rows(rows.begin(), rows.end()), c.rows) << "case: PowerKeySet " << c.set;
    }
}

TEST(RegistrationTable, VolumeRowsAreF6ToF8OnlyForSetOne) {
    for (std::int16_t set : {1, 0, 2, 3, 7, -1, INT16_MAX}) {
        const auto rows = VolumeKeyRows(set);
        EXPECT_EQ(Rows(rows.begin(), rows.end()), set == 1 ? kPlainF6 : kPlainF9) << "case: VolumeKeySet " << set;
    }
}

// Each registered key must be droppable by its own identifier, and no two
// keys of a window may share one.
TEST(RegistrationTable, EveryKeyHasItsOwnDroppableIdInTheApplicationRange) {
    const auto powerIds = PowerKeyIds();
    const auto volumeIds = VolumeKeyIds();
    EXPECT_EQ(std::vector<int>(powerIds.begin(), powerIds.end()),
              (std::vector<int>{117, 118, 119, 120, 121, 122, 0x278, 0x279, 0x27A, 0x27B}));
    EXPECT_EQ(std::vector<int>(volumeIds.begin(), volumeIds.end()), (std::vector<int>{117, 118, 119, 120, 121, 122}));
    std::set<int> ids;
    for (std::int16_t set : {1, 2, 3})
        for (const HotkeyBinding& row : PowerKeyRows(set)) {
            EXPECT_TRUE(ids.insert(row.id).second) << "case: id " << row.id;
            EXPECT_GE(row.id, 0);
            EXPECT_LE(row.id, 0xBFFF);
            EXPECT_NE(std::find(powerIds.begin(), powerIds.end(), row.id), powerIds.end()) << "case: id " << row.id;
        }
    EXPECT_EQ(ids.size(), powerIds.size());
}

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
