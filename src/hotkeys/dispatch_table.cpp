#include "hotkeys/dispatch_table.h"

#include "hotkeys/registration_table.h"
#include "power/action_label.h"

namespace tavrin {

namespace {

struct PowerKeyRow {
    unsigned key;
    std::string_view label;
};

struct VolumeKeyRow {
    unsigned key;
    VolumeKeyAction action;
};

constexpr PowerKeyRow kPowerKeys[] = {
    {kVkF6, labels::kShutdown}, {kVkF9, labels::kShutdown}, {kVkF7, labels::kHibernate}, {kVkF10, labels::kHibernate},
    {kVkF8, labels::kLock},     {kVkF11, labels::kLock},    {kVkF12, labels::kRestart},
};

constexpr VolumeKeyRow kVolumeKeys[] = {
    {kVkF6, VolumeKeyAction::VolumeDown}, {kVkF9, VolumeKeyAction::VolumeDown}, {kVkF7, VolumeKeyAction::VolumeUp},
    {kVkF10, VolumeKeyAction::VolumeUp},  {kVkF8, VolumeKeyAction::ToggleMute}, {kVkF11, VolumeKeyAction::ToggleMute},
};

}  // namespace

std::string_view PowerKeyLabel(unsigned key) {
    for (const PowerKeyRow& row : kPowerKeys)
        if (row.key == key) return row.label;
    return {};
}

VolumeKeyAction VolumeKeyActionOf(unsigned key) {
    for (const VolumeKeyRow& row : kVolumeKeys)
        if (row.key == key) return row.action;
    return VolumeKeyAction::None;
}

}  // namespace tavrin
