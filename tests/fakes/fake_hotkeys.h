#pragma once
#include <map>
#include <set>
#include <string>
#include <utility>

#include "ports/hotkey_registrar.h"

namespace tavrin::testing {

// The system's one table of hotkeys, shared by every window: a key
// combination belongs to one registration at a time, whoever asks second
// fails. Every call is counted.
class FakeHotkeySystem {
public:
    using Combination = std::pair<unsigned, unsigned>;  // modifiers, key
    int calls = 0;
    int idsReused = 0;                    // a window registering again under an identifier it holds
    int repeating = 0;                    // registrations that would let a held key repeat
    std::set<Combination> heldElsewhere;  // taken by other programs

    // The combinations a window holds now.
    std::set<Combination> Keys(const std::string& window) const {
        std::set<Combination> keys;
        for (const auto& [owner, binding] : held_)
            if (owner.first == window) keys.insert({binding.modifiers & ~kModNoRepeat, binding.key});
        return keys;
    }

    HotkeyStatus Register(const std::string& window, const HotkeyBinding& b) {
        ++calls;
        if ((b.modifiers & kModNoRepeat) == 0) ++repeating;
        const Combination wanted{b.modifiers & ~kModNoRepeat, b.key};
        if (heldElsewhere.count(wanted) != 0) return HotkeyStatus::Failed;
        for (const auto& [owner, held] : held_)
            if (Combination{held.modifiers & ~kModNoRepeat, held.key} == wanted) return HotkeyStatus::Failed;
        // As under Wine: the later registration replaces the earlier one.
        if (held_.count({window, b.id}) != 0) ++idsReused;
        held_[{window, b.id}] = b;
        return HotkeyStatus::Ok;
    }
    HotkeyStatus Unregister(const std::string& window, int id) {
        ++calls;
        return held_.erase({window, id}) != 0 ? HotkeyStatus::Ok : HotkeyStatus::Failed;
    }

private:
    std::map<std::pair<std::string, int>, HotkeyBinding> held_;
};

// One window's share of the system table.
class FakeHotkeyRegistrar final : public HotkeyRegistrar {
public:
    FakeHotkeyRegistrar(FakeHotkeySystem& system, std::string window) : system_(system), window_(std::move(window)) {}
    HotkeyStatus Register(const HotkeyBinding& binding) override { return system_.Register(window_, binding); }
    HotkeyStatus Unregister(int id) override { return system_.Unregister(window_, id); }

private:
    FakeHotkeySystem& system_;
    std::string window_;
};

}  // namespace tavrin::testing
