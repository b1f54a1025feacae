#pragma once
#include <map>
#include <set>
#include <string>
#include <utility>

#include "ports/hotkey_registrar.h"

namespace tavrin::testing {

// The system's one table of hotkeys, shared by every window: a key belongs to
// one registration at a time, whoever asks second fails. As under Wine, a
// window registering again under an identifier it holds loses the earlier key.
class FakeHotkeySystem {
public:
    using Combination = std::pair<unsigned, unsigned>;  // modifiers as registered, key

    std::set<Combination> Keys(const std::string& window) const {
        std::set<Combination> keys;
        for (const auto& [owner, held] : held_)
            if (owner.first == window) keys.insert(held);
        return keys;
    }
    HotkeyStatus Register(const std::string& window, const HotkeyBinding& b) {
        for (const auto& [owner, held] : held_)
            if ((held.first | kModNoRepeat) == (b.modifiers | kModNoRepeat) && held.second == b.key)
                return HotkeyStatus::Failed;
        held_[{window, b.id}] = {b.modifiers, b.key};
        return HotkeyStatus::Ok;
    }
    HotkeyStatus Unregister(const std::string& window, int id) {
        return held_.erase({window, id}) != 0 ? HotkeyStatus::Ok : HotkeyStatus::Failed;
    }

private:
    std::map<std::pair<std::string, int>, Combination> held_;
};

// One window's share of the system table.
struct FakeHotkeyRegistrar final : HotkeyRegistrar {
    FakeHotkeyRegistrar(FakeHotkeySystem& s, std::string w) : system(s), window(std::move(w)) {}
    HotkeyStatus Register(const HotkeyBinding& binding) override { return system.Register(window, binding); }
    HotkeyStatus Unregister(int id) override { return system.Unregister(window, id); }
    FakeHotkeySystem& system;
    std::string window;
};

}  // namespace tavrin::testing
