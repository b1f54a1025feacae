#pragma once
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ports/hotkey_registrar.h"

namespace tavrin::testing {

// The system's one table of hotkeys, shared by every window: a key
// combination belongs to one registration at a time, whoever asks second
// fails. Another program's keys can be put in the way.
class FakeHotkeySystem {
public:
    using Combination = std::pair<unsigned, unsigned>;  // modifiers, key
    struct Call {
        std::string window;
        bool registers;  // false: an unregistration
        int id;
        Combination combination;
        HotkeyStatus status;
    };

    void HeldByAnotherProgram(unsigned modifiers, unsigned key) { foreign_.insert({modifiers, key}); }

    // The combinations a window holds now.
    std::set<Combination> Keys(const std::string& window) const {
        std::set<Combination> keys;
        for (const auto& [owner, binding] : held_)
            if (owner.first == window) keys.insert({binding.modifiers, binding.key});
        return keys;
    }
    std::vector<Call> calls;
    int idsReused = 0;  // a window registering again under an identifier it holds

    HotkeyStatus Register(const std::string& window, const HotkeyBinding& b) {
        HotkeyStatus status = HotkeyStatus::Ok;
        if (foreign_.count({b.modifiers, b.key}) != 0) status = HotkeyStatus::Failed;
        for (const auto& [owner, held] : held_)
            if (held.modifiers == b.modifiers && held.key == b.key) status = HotkeyStatus::Failed;
        if (status == HotkeyStatus::Ok) {
            // As under Wine: the later registration replaces the earlier one.
            if (held_.count({window, b.id}) != 0) ++idsReused;
            held_[{window, b.id}] = b;
        }
        calls.push_back({window, true, b.id, {b.modifiers, b.key}, status});
        return status;
    }
    HotkeyStatus Unregister(const std::string& window, int id) {
        const auto it = held_.find({window, id});
        const HotkeyStatus status = it == held_.end() ? HotkeyStatus::Failed : HotkeyStatus::Ok;
        const Combination combination =
            it == held_.end() ? Combination{} : Combination{it->second.modifiers, it->second.key};
        if (it != held_.end()) held_.erase(it);
        calls.push_back({window, false, id, combination, status});
        return status;
    }

private:
    std::map<std::pair<std::string, int>, HotkeyBinding> held_;
    std::set<Combination> foreign_;
};

// One window's view of the system table.
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
